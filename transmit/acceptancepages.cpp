// The acceptance wizard's Proposer and Drivers pages: their texts and fields, and how each page
// reads the Data Server when it is shown.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "capture/fieldbinder.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/proposallisting.h"
#include "platform/prompt.h"
#include "settings/displayformats.h"
#include "transmit/acceptanceform.h"

namespace {

// Names and addresses take at most what the Data Server stores.
constexpr int kTextLength = 255;
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
constexpr char kDriverTitle[] = "DriverTitleKwComboEdit";
constexpr char kDriverForename[] = "DriverForenameKwEdit";
constexpr char kDriverSurname[] = "DriverSurnameKwEdit";

QLabel* AddText(QBoxLayout* layout, QWidget* page, const QString& text) {
  auto* label = new QLabel(text, page);
  label->setTextFormat(Qt::PlainText);  // keeps the texts' double blanks
  label->setWordWrap(true);
  layout->addWidget(label);
  return label;
}

QLabel* AddHeading(QBoxLayout* layout, QWidget* page, const QString& text) {
  QLabel* label = AddText(layout, page, text);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

// Makes the table's fields, each on a line of the grid after its label, in tab order.
void AddFields(TFieldBinder* binder, const std::vector<TFieldRow>& rows, QGridLayout* grid) {
  QWidget* previous = nullptr;
  int line = 0;
  for (const TFieldRow& row : rows) {
    QWidget* control = binder->Create(row);
    if (QLabel* label = binder->Label(row.Name))
      grid->addWidget(label, line, 0);
    grid->addWidget(control, line++, 1);
    if (previous != nullptr)
      QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

QLabel* MakeSummaryLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

// Records of the object below the path; 0 when they cannot be counted.
int CountBelow(const TPath& path, std::uint16_t objectId) {
  int count = 0;
  try {
    GetObjectCount(path, objectId, count);
  } catch (const EHierarchyError&) {
    count = 0;
  }
  return count;
}

QString ListDescription(std::int32_t id, const TPath& path) {
  return GetListText(id, GetListValue(id, path));
}

}  // namespace

// Each field writes its value when it is left, which is all its handler does: the names to the
// proposer as driver 0, the address and contact details to the proposer record.
std::vector<TFieldRow> TAcceptanceForm::ProposerTable() {
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

// The names of the additional driver shown, written to that driver when they are left.
std::vector<TFieldRow> TAcceptanceForm::DriverTable() {
  using K = TFieldKind;
  using W = TWriteRule;
  const TPathProvider driver = [this] { return TPath{DriverPath(currentDriver_)}; };
  return {
      {.Name = kDriverTitle,
       .Kind = K::List,
       .Label = "Title",
       .List = TListSource::DataServer,
       .PropertyId = Id::Title,
       .Path = driver,
       .Write = W::OnExit,
       .ListId = ListId::Titles,
       .Handler = "DriverTitleKwComboEditExit"},
      {.Name = kDriverForename,
       .Kind = K::Text,
       .Label = "Forename(s)",
       .PropertyId = Id::Forenames,
       .Path = driver,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kTextLength,
       .Handler = "DriverForenameKwEditExit"},
      {.Name = kDriverSurname,
       .Kind = K::Text,
       .Label = "Surname",
       .PropertyId = Id::Surname,
       .Path = driver,
       .Write = W::OnExit,
       .Options = foInitialCaps,
       .MaxLength = kTextLength,
       .Handler = "DriverSurnameKwEditExit"},
  };
}

void TAcceptanceForm::BuildProposerPage() {
  page_ = new QWidget(notebook_);
  page_->setObjectName(QStringLiteral("Proposer"));
  auto* layout = new QVBoxLayout(page_);
  AddHeading(layout, page_,
             QStringLiteral("Please provide the following additional details for the "
                            "policy-holder."));
  AddText(layout, page_,
          QStringLiteral("The following correspondence details are required so that Quillmarsh "
                         "can get back to you to confirm your cover and take the payment "
                         "details."));

  proposerFields_ = new TFieldBinder(page_);
  auto* grid = new QGridLayout;
  AddFields(proposerFields_, ProposerTable(), grid);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  layout->addStretch(1);
  title_ = proposerFields_->Field<TKwComboEdit>(kTitle);
  forenames_ = proposerFields_->Field<TKwEdit>(kForenames);
  surname_ = proposerFields_->Field<TKwEdit>(kSurname);
  address1_ = proposerFields_->Field<TKwEdit>(kAddress1);
  address2_ = proposerFields_->Field<TKwEdit>(kAddress2);
  town_ = proposerFields_->Field<TKwEdit>(kTown);
  county_ = proposerFields_->Field<TKwEdit>(kCounty);
  postCode_ = proposerFields_->Field<TKwEdit>(kPostCode);
  homeTel_ = proposerFields_->Field<TKwEdit>(kHomeTel);
  workTel_ = proposerFields_->Field<TKwEdit>(kWorkTel);
  email_ = proposerFields_->Field<TKwEdit>(kEmail);
  notebook_->addWidget(page_);
}

void TAcceptanceForm::BuildDriversPage() {
  page_ = new QWidget(notebook_);
  page_->setObjectName(QStringLiteral("Drivers"));
  auto* layout = new QVBoxLayout(page_);
  AddHeading(layout, page_, QStringLiteral("Please provide the name of the additional driver."));
  AddText(layout, page_,
          QStringLiteral("Please identify each of the entered additional drivers by providing "
                         "their full name in the space provided.  A summary of the drivers "
                         "details is displayed to help you remember who is which driver"));

  driverFields_ = new TFieldBinder(page_);
  auto* fields = new QGridLayout;
  AddFields(driverFields_, DriverTable(), fields);
  fields->setRowStretch(3, 1);
  fields->setColumnStretch(1, 1);
  driverTitle_ = driverFields_->Field<TKwComboEdit>(kDriverTitle);
  driverSurname_ = driverFields_->Field<TKwEdit>(kDriverSurname);

  auto* summary = new QGroupBox(page_);
  summary->setObjectName(QStringLiteral("DriverSummaryGroupBox"));
  auto* summaryLayout = new QVBoxLayout(summary);
  driverLabel_ = MakeSummaryLabel(summary, "DriverLabel");
  QFont bold = driverLabel_->font();
  bold.setBold(true);
  driverLabel_->setFont(bold);
  relationshipLabel_ = MakeSummaryLabel(summary, "LabelDriverRelationship");
  dobLabel_ = MakeSummaryLabel(summary, "DriverDOBLabel");
  sexLabel_ = MakeSummaryLabel(summary, "DriverSexLabel");
  claimsLabel_ = MakeSummaryLabel(summary, "ClaimsLabel");
  convictionsLabel_ = MakeSummaryLabel(summary, "ConvictionsLabel");
  for (QLabel* label :
       {driverLabel_, relationshipLabel_, dobLabel_, sexLabel_, claimsLabel_, convictionsLabel_})
    summaryLayout->addWidget(label);
  summaryLayout->addStretch(1);

  auto* row = new QHBoxLayout;
  row->addLayout(fields, 1);
  row->addWidget(summary, 1);
  layout->addLayout(row);
  layout->addStretch(1);

  notebook_->addWidget(page_);
}

void TAcceptanceForm::LoadProposer() {
  proposerFields_->LoadAll();
}

void TAcceptanceForm::ShowDriver(int n) {
  currentDriver_ = n;
  driverFields_->LoadAll();
  const TPath driver{DriverPath(n)};
  driverLabel_->setText(QStringLiteral("Additional Driver: %1").arg(n));
  relationshipLabel_->setText(QStringLiteral("Relationship to the Policyholder: %1")
                                  .arg(ListDescription(Id::Relationship, driver)));
  dobLabel_->setText(QStringLiteral("Date of Birth: %1")
                         .arg(FormatShortDate(GetDateValue(Id::DateOfBirth, driver))));
  sexLabel_->setText(QStringLiteral("Sex of Driver: %1").arg(ListDescription(Id::Sex, driver)));
  claimsLabel_->setText(QStringLiteral("Number of entered Claims: %1").arg(ListedClaimCount(n)));
  convictionsLabel_->setText(QStringLiteral("Number of entered Motoring Convictions: %1")
                                 .arg(CountBelow(driver, ObjectCode::Conviction)));
}

bool TAcceptanceForm::DriverCount(int& count) const {
  std::uint16_t limit = 0;
  std::uint16_t drivers = 0;
  if (DsvQueryInstanceCount(ObjectCode::Driver, &limit, &drivers) != 0) {
    count = 0;
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to determine number of drivers"));
    return false;
  }
  count = drivers;
  return true;
}
