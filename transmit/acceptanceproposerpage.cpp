#include "transmit/acceptanceproposerpage.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "capture/fieldbinder.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

// Addresses and telephone numbers take at most what the Data Server stores.
constexpr int kAddressLength = 30;
constexpr int kTelephoneLength = 15;

// The fields' object names.
constexpr char kTitle[] = "TitleKwComboEdit";
constexpr char kForenames[] = "ForenamesKwEdit";
constexpr char kSurname[] = "SurnameKwEdit";
constexpr char kAddress1[] = "Address1KwEdit";
constexpr char kAddress2[] = "Address2KwEdit";
constexpr char kTown[] = "TownKwEdit";
constexpr char kCounty[] = "CountyKwEdit";
constexpr char kPostCode[] = "PostCodeKwEdit";
constexpr char kHomeTel[] = "HomeTelKwEdit";
constexpr char kWorkTel[] = "WorkTelKwEdit";
constexpr char kFaxNo[] = "FaxNoKwEdit";
constexpr char kEmail[] = "EmailKwEdit";

}  // namespace

TAcceptanceProposerPage::TAcceptanceProposerPage(QWidget* parent)
    : TAcceptancePage("Proposer", parent) {
  AddHeading(
      QStringLiteral("Please provide the following additional details for the "
                     "policy-holder."));
  AddText(
      QStringLiteral("The following correspondence details are required so that Quillmarsh "
                     "can get back to you to confirm your cover and take the payment "
                     "details."));

  fields_ = new TFieldBinder(this);
  auto* grid = new QGridLayout;
  AddFields(fields_, Table(), grid);
  grid->setColumnStretch(1, 1);
  Column()->addLayout(grid);
  Column()->addStretch(1);
  title_ = fields_->Field<TKwComboEdit>(kTitle);
  forenames_ = fields_->Field<TKwEdit>(kForenames);
  surname_ = fields_->Field<TKwEdit>(kSurname);
  address1_ = fields_->Field<TKwEdit>(kAddress1);
  address2_ = fields_->Field<TKwEdit>(kAddress2);
  town_ = fields_->Field<TKwEdit>(kTown);
  county_ = fields_->Field<TKwEdit>(kCounty);
  postCode_ = fields_->Field<TKwEdit>(kPostCode);
  homeTel_ = fields_->Field<TKwEdit>(kHomeTel);
  workTel_ = fields_->Field<TKwEdit>(kWorkTel);
  email_ = fields_->Field<TKwEdit>(kEmail);
}

// Each field writes its value when it is left, which is all its handler does.
std::vector<TFieldRow> TAcceptanceProposerPage::Table() const {
  using K = TFieldKind;
  using W = TWriteRule;
  const TPathProvider driver0 = [] { return TPath{DriverPath(0)}; };
  const TPathProvider proposer = [] { return TPath{ProposerPath()}; };
  return {
      {.Name = kTitle,
       .Kind = K::List,
       .Label = "Title",
       .List = TListSource::DataServer,
       .PropertyId = Id::Title,
       .Path = driver0,
       .Write = W::OnExit,
       .ListId = ListId::Titles,
       .Handler = "TitleKwComboEditExit"},
      {.Name = kForenames,
       .Kind = K::Text,
       .Label = "Forename(s)",
       .PropertyId = Id::Forenames,
       .Path = driver0,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kTextLength,
       .Handler = "ForenamesKwEditExit"},
      {.Name = kSurname,
       .Kind = K::Text,
       .Label = "Surname",
       .PropertyId = Id::Surname,
       .Path = driver0,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kTextLength,
       .Handler = "SurnameKwEditExit"},
      {.Name = kAddress1,
       .Kind = K::Text,
       .Label = "Address",
       .Hint = "Enter the First Line of the Proposer's address, include the house number or name",
       .PropertyId = Id::AddressLine1,
       .Path = proposer,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kAddressLength,
       .Handler = "Address1KwEditExit"},
      {.Name = kAddress2,
       .Kind = K::Text,
       .Hint = "Enter the Locality of the Proposer's address, if applicable",
       .PropertyId = Id::Locality,
       .Path = proposer,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kAddressLength,
       .Handler = "Address2KwEditExit"},
      {.Name = kTown,
       .Kind = K::Text,
       .Label = "Town",
       .Hint = "Enter the Town of the Proposer's address",
       .PropertyId = Id::Town,
       .Path = proposer,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kAddressLength,
       .Handler = "TownKwEditExit"},
      {.Name = kCounty,
       .Kind = K::Text,
       .Label = "County",
       .Hint = "Enter the County of the Proposer's address",
       .PropertyId = Id::County,
       .Path = proposer,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kAddressLength,
       .Handler = "CountyKwEditExit"},
      {.Name = kPostCode,
       .Kind = K::Text,
       .Label = "Postcode",
       .Hint = "Enter the Postcode of the Proposer's address",
       .PropertyId = Id::ProposerPostcode,
       .Path = proposer,
       .Write = W::OnExit,
       .Options = foUpperCase,
       .MaxLength = kAddressLength,
       .Handler = "PostCodeKwEditExit"},
      {.Name = kHomeTel,
       .Kind = K::Text,
       .Label = "Home Tel. No.",
       .Hint = "Enter the Proposer's Home Telephone Number, including the area code",
       .PropertyId = Id::HomeTelephone,
       .Path = proposer,
       .Write = W::OnExit,
       .MaxLength = kTelephoneLength,
       .Handler = "HomeTelKwEditExit"},
      {.Name = kWorkTel,
       .Kind = K::Text,
       .Label = "Work Tel. No.",
       .Hint = "Enter the Proposer's Work, or Daytime Telephone Number, including the area code",
       .PropertyId = Id::WorkTelephone,
       .Path = proposer,
       .Write = W::OnExit,
       .MaxLength = kTelephoneLength,
       .Handler = "WorkTelKwEditExit"},
      {.Name = kFaxNo,
       .Kind = K::Text,
       .Label = "Fax No.",
       .Hint = "Enter the Proposer's Fax Number, if applicable",
       .PropertyId = Id::FaxNumber,
       .Path = proposer,
       .Write = W::OnExit,
       .MaxLength = kTelephoneLength,
       .Handler = "FaxNoKwEditExit"},
      {.Name = kEmail,
       .Kind = K::Text,
       .Label = "E-Mail",
       .Hint = "Enter the Proposer's full Electronic Mail address, if applicable",
       .PropertyId = Id::EmailAddress,
       .Path = proposer,
       .Write = W::OnExit,
       .MaxLength = kTextLength,
       .Handler = "EmailKwEditExit"},
  };
}

void TAcceptanceProposerPage::Load() {
  fields_->LoadAll();
}

bool TAcceptanceProposerPage::Validate() {
  const auto refuse = [](QWidget* field, const QString& text) {
    Ask(PromptKind::Information, PromptButtons::Ok, text);
    field->setFocus(Qt::OtherFocusReason);
    return false;
  };
  const QString name = QStringLiteral(
      "You must provide the 'Surname' and 'Forenames' or 'Initials' for the policyholder");
  if (surname_->Text().isEmpty())
    return refuse(surname_, name);
  if (forenames_->Text().isEmpty())
    return refuse(forenames_, name);
  if (address1_->Text().isEmpty()) {
    return refuse(address1_, QStringLiteral("You must provide the first line of the address, "
                                            "i.e. 'House number & Street'"));
  }
  int lines = 0;
  for (const TKwEdit* line : {address1_, address2_, town_, county_})
    lines += line->Text().isEmpty() ? 0 : 1;
  if (lines < 2 && postCode_->Text().isEmpty()) {
    return refuse(address2_, QStringLiteral("You must provide at least two lines of the "
                                            "address, or the 'Postcode'"));
  }
  if (homeTel_->Text().isEmpty() && workTel_->Text().isEmpty()) {
    return refuse(homeTel_,
                  QStringLiteral("Note - you have not provided any contact telephone numbers, "
                                 "please enter a daytime telephone number where Quillmarsh can "
                                 "call you back to confirm the cover and take payment."));
  }
  return true;
}

QWidget* TAcceptanceProposerPage::FirstField() const {
  return title_;
}

QWidget* TAcceptanceProposerPage::LastField() const {
  return email_;
}
