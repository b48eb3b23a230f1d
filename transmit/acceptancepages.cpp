// The acceptance wizard's four pages: their texts and fields, and how each page reads the Data
// Server when it is shown.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/proposallisting.h"
#include "motor/quotedetails.h"
#include "platform/prompt.h"
#include "settings/displayformats.h"
#include "transmit/acceptanceform.h"

namespace {

// Names and addresses take at most what the Data Server stores.
constexpr int kTextLength = 255;
constexpr int kAddressLength = 30;
constexpr int kTelephoneLength = 15;

// What each connection choice stands for.
const char* const kMethodProperty = "qmConnectionMethod";
const char* const kHelpProperty = "qmConnectionHelp";

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

QLabel* AddFieldLabel(QGridLayout* grid, int row, const QString& text, QWidget* field) {
  auto* label = new QLabel(text, field->parentWidget());
  label->setBuddy(field);
  grid->addWidget(label, row, 0);
  grid->addWidget(field, row, 1);
  return label;
}

QLabel* MakeSummaryLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The item of the stored code, or none.
void SelectCode(TKwComboEdit* combo, std::int32_t code) {
  combo->SetItemIndex(combo->IndexOfCode(code));
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

void TAcceptanceForm::BuildIntroPage() {
  page_ = new QWidget(notebook_);
  page_->setObjectName(QStringLiteral("Intro"));
  auto* layout = new QVBoxLayout(page_);
  AddText(layout, page_, QStringLiteral("You have chosen the following policy:"));
  companyLabel_ = AddHeading(layout, page_, QString());
  companyLabel_->setObjectName(QStringLiteral("AcceptCompanyLabel"));
  companyLabel_->setAlignment(Qt::AlignCenter);
  companyLabel_->setText(
      QStringLiteral("%1 - \u00A3%2 (Incl Insurance Premium Tax)")
          .arg(quotation_.InsurerName, QString::asprintf("%3.2f", quotation_.Premium)));
  AddText(layout, page_,
          QStringLiteral("In order to get cover for this policy you must notify Quillmarsh of "
                         "your details and provide payment of the required premium."));
  AddText(layout, page_, QStringLiteral("You may either telephone Quillmarsh on:"));
  QLabel* telephone = AddHeading(layout, page_, QStringLiteral("01632 960123"));
  telephone->setObjectName(QStringLiteral("TelephoneLabel"));
  telephone->setAlignment(Qt::AlignCenter);
  AddText(layout, page_,
          QStringLiteral(
              "Or alternatively you can email your entered details directly to  Quillmarsh, who "
              "will then call you back to confirm the cover and take payment. Click the Next "
              "button and the next few screens will guide you through how to email the details "
              "to Quillmarsh."));
  layout->addStretch(1);
  QLabel* note = AddHeading(layout, page_,
                            QStringLiteral("Note - you are not insured until payment has been "
                                           "received and the cover confirmed."));
  note->setObjectName(QStringLiteral("NoteLabel"));
  note->setAlignment(Qt::AlignCenter);
  note->setAutoFillBackground(true);
  QPalette banner = note->palette();
  banner.setColor(QPalette::Window, Qt::red);
  banner.setColor(QPalette::WindowText, Qt::white);
  note->setPalette(banner);
  note->setMargin(6);
  notebook_->addWidget(page_);
}

TKwEdit* TAcceptanceForm::AddEdit(const char* name, int maxLength, const QString& hint) {
  auto* edit = new TKwEdit(page_);
  edit->setObjectName(QString::fromLatin1(name));
  edit->SetMaxLength(maxLength);
  if (!hint.isEmpty())
    SetFieldHint(edit, hint);
  return edit;
}

TKwComboEdit* TAcceptanceForm::AddTitleList(const char* name) {
  auto* combo = new TKwComboEdit(page_);
  combo->setObjectName(QString::fromLatin1(name));
  combo->SetListItemsOnly(true);
  connect(combo, &TKwComboEdit::buildList, this, [combo] {
    ListItems titles;
    // A list that cannot be read has been reported by the filler; the field stays empty and the
    // proposal typed so far is kept.
    if (FillEnumList(combo->ListID(), titles) != 0)
      return;
    combo->ClearItems();
    for (const ListItem& title : titles)
      combo->AddItem(title.text, title.code);
    combo->SetItemIndex(combo->ItemCount() > 0 ? 0 : -1);
  });
  combo->SetListID(ListId::Titles);
  return combo;
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

  title_ = AddTitleList("TitleKwComboEdit");
  forenames_ = AddEdit("ForenamesKwEdit", kTextLength, QString());
  surname_ = AddEdit("SurnameKwEdit", kTextLength, QString());
  address1_ = AddEdit("Address1KwEdit", kAddressLength,
                      QStringLiteral("Enter the First Line of the Proposer's address, include "
                                     "the house number or name"));
  address2_ = AddEdit("Address2KwEdit", kAddressLength,
                      QStringLiteral("Enter the Locality of the Proposer's address, if "
                                     "applicable"));
  town_ = AddEdit("TownKwEdit", kAddressLength,
                  QStringLiteral("Enter the Town of the Proposer's address"));
  county_ = AddEdit("CountyKwEdit", kAddressLength,
                    QStringLiteral("Enter the County of the Proposer's address"));
  postCode_ = AddEdit("PostCodeKwEdit", kAddressLength,
                      QStringLiteral("Enter the Postcode of the Proposer's address"));
  homeTel_ = AddEdit("HomeTelKwEdit", kTelephoneLength,
                     QStringLiteral("Enter the Proposer's Home Telephone Number, including the "
                                    "area code"));
  workTel_ = AddEdit("WorkTelKwEdit", kTelephoneLength,
                     QStringLiteral("Enter the Proposer's Work, or Daytime Telephone Number, "
                                    "including the area code"));
  faxNo_ = AddEdit("FaxNoKwEdit", kTelephoneLength,
                   QStringLiteral("Enter the Proposer's Fax Number, if applicable"));
  email_ = AddEdit("EmailKwEdit", kTextLength,
                   QStringLiteral("Enter the Proposer's full Electronic Mail address, if "
                                  "applicable"));
  for (TKwEdit* edit : {forenames_, surname_, address1_, address2_, town_, county_})
    edit->SetUppercaseWords(true);
  postCode_->SetCharCase(TEditCharCase::ecUpperCase);

  auto* grid = new QGridLayout;
  AddFieldLabel(grid, 0, QStringLiteral("Title"), title_);
  AddFieldLabel(grid, 1, QStringLiteral("Forename(s)"), forenames_);
  AddFieldLabel(grid, 2, QStringLiteral("Surname"), surname_);
  AddFieldLabel(grid, 3, QStringLiteral("Address"), address1_);
  grid->addWidget(address2_, 4, 1);
  AddFieldLabel(grid, 5, QStringLiteral("Town"), town_);
  AddFieldLabel(grid, 6, QStringLiteral("County"), county_);
  AddFieldLabel(grid, 7, QStringLiteral("Postcode"), postCode_);
  AddFieldLabel(grid, 8, QStringLiteral("Home Tel. No."), homeTel_);
  AddFieldLabel(grid, 9, QStringLiteral("Work Tel. No."), workTel_);
  AddFieldLabel(grid, 10, QStringLiteral("Fax No."), faxNo_);
  AddFieldLabel(grid, 11, QStringLiteral("E-Mail"), email_);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  layout->addStretch(1);

  // Each field writes its value when it is left: the names to the proposer as driver 0, the
  // address and contact details to the proposer record.
  const TPath driver0{DriverPath(0)};
  const TPath proposer{ProposerPath()};
  connect(title_, &TKwComboEdit::exited, this,
          [this, driver0] { SetListValue(Id::Title, driver0, title_->SelectedCode()); });
  const std::pair<TKwEdit*, std::int32_t> driverFields[] = {{forenames_, Id::Forenames},
                                                            {surname_, Id::Surname}};
  for (const auto& [edit, id] : driverFields)
    connect(edit, &TKwEdit::exited, this,
            [edit = edit, id = id, driver0] { SetStringValue(id, driver0, edit->Text()); });
  const std::pair<TKwEdit*, std::int32_t> proposerFields[] = {{address1_, Id::AddressLine1},
                                                              {address2_, Id::Locality},
                                                              {town_, Id::Town},
                                                              {county_, Id::County},
                                                              {postCode_, Id::ProposerPostcode},
                                                              {homeTel_, Id::HomeTelephone},
                                                              {workTel_, Id::WorkTelephone},
                                                              {faxNo_, Id::FaxNumber},
                                                              {email_, Id::EmailAddress}};
  for (const auto& [edit, id] : proposerFields)
    connect(edit, &TKwEdit::exited, this,
            [edit = edit, id = id, proposer] { SetStringValue(id, proposer, edit->Text()); });

  QWidget* order[] = {title_,  forenames_, surname_, address1_, address2_, town_,
                      county_, postCode_,  homeTel_, workTel_,  faxNo_,    email_};
  for (size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);
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

  driverTitle_ = AddTitleList("DriverTitleKwComboEdit");
  driverForename_ = AddEdit("DriverForenameKwEdit", kTextLength, QString());
  driverSurname_ = AddEdit("DriverSurnameKwEdit", kTextLength, QString());
  driverForename_->SetUppercaseWords(true);
  driverSurname_->SetUppercaseWords(true);
  auto* fields = new QGridLayout;
  AddFieldLabel(fields, 0, QStringLiteral("Title"), driverTitle_);
  AddFieldLabel(fields, 1, QStringLiteral("Forename(s)"), driverForename_);
  AddFieldLabel(fields, 2, QStringLiteral("Surname"), driverSurname_);
  fields->setRowStretch(3, 1);
  fields->setColumnStretch(1, 1);

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

  // The path is that of the driver shown when the field is left.
  connect(driverTitle_, &TKwComboEdit::exited, this, [this] {
    SetListValue(Id::Title, TPath{DriverPath(currentDriver_)}, driverTitle_->SelectedCode());
  });
  connect(driverForename_, &TKwEdit::exited, this, [this] {
    SetStringValue(Id::Forenames, TPath{DriverPath(currentDriver_)}, driverForename_->Text());
  });
  connect(driverSurname_, &TKwEdit::exited, this, [this] {
    SetStringValue(Id::Surname, TPath{DriverPath(currentDriver_)}, driverSurname_->Text());
  });
  setTabOrder(driverTitle_, driverForename_);
  setTabOrder(driverForename_, driverSurname_);
  notebook_->addWidget(page_);
}

QRadioButton* TAcceptanceForm::AddChoice(const char* name, const QString& caption,
                                         TConnectionMethod method, const QString& help) {
  auto* choice = new QRadioButton(caption, page_);
  choice->setObjectName(QString::fromLatin1(name));
  choice->setProperty(kMethodProperty, static_cast<int>(method));
  choice->setProperty(kHelpProperty, help);
  // Choosing by mouse, Space or the arrow keys.
  connect(choice, &QRadioButton::toggled, this, [this, choice](bool checked) {
    if (checked)
      ChoiceClick(choice);
  });
  return choice;
}

void TAcceptanceForm::ChoiceClick(QRadioButton* choice) {
  connectionMethod_ = static_cast<TConnectionMethod>(choice->property(kMethodProperty).toInt());
  help_->setText(choice->property(kHelpProperty).toString());
}

void TAcceptanceForm::BuildEmailPage() {
  page_ = new QWidget(notebook_);
  page_->setObjectName(QStringLiteral("Email"));
  auto* layout = new QVBoxLayout(page_);
  AddHeading(layout, page_,
             QStringLiteral("Select the connection method for attaching this computer to the "
                            "Internet."));
  auto* choices = new QGroupBox(QStringLiteral("How do you connect to the Internet?"), page_);
  choices->setObjectName(QStringLiteral("ConnectionGroupBox"));
  auto* helpBox = new QGroupBox(QStringLiteral("Help"), page_);
  helpBox->setObjectName(QStringLiteral("HelpGroupBox"));
  help_ = new QLabel(helpBox);
  help_->setObjectName(QStringLiteral("HelpLabel"));
  help_->setWordWrap(true);
  help_->setTextFormat(Qt::PlainText);
  help_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  help_->setMinimumHeight(help_->fontMetrics().lineSpacing() * 3);
  (new QVBoxLayout(helpBox))->addWidget(help_);

  dialUp_ = AddChoice(
      "DialUpNetworkingRadioButton",
      QStringLiteral("I connect to the Internet using a Dial Up Networking Connection"),
      TConnectionMethod::DialUp,
      QStringLiteral("Select this option if you normally connect to the Internet using a modem "
                     "attached to this computer and a Dial-Up Networking connection."));
  lan_ = AddChoice(
      "LANRadioButton",
      QStringLiteral("I connect to the Internet through a Local Area Network or Proxy Server"),
      TConnectionMethod::LocalNetwork,
      QStringLiteral("Select this option if your computer is connected to a Local Area Network "
                     "that provides a gateway onto the Internet."));
  manual_ = AddChoice(
      "ManualRadioButton", QStringLiteral("I will manually connect to the Internet"),
      TConnectionMethod::Manual,
      QStringLiteral("Select this option if you normally have to run a specific program or "
                     "application to make a connection to the Internet."));
  auto* choicesLayout = new QVBoxLayout(choices);
  for (QRadioButton* choice : {dialUp_, lan_, manual_}) {
    choice->setParent(choices);
    choicesLayout->addWidget(choice);
  }
  setTabOrder(dialUp_, lan_);
  setTabOrder(lan_, manual_);
  layout->addWidget(choices);
  layout->addWidget(helpBox);
  layout->addStretch(1);
  notebook_->addWidget(page_);
}

void TAcceptanceForm::LoadProposer() {
  const TPath driver0{DriverPath(0)};
  const TPath proposer{ProposerPath()};
  SelectCode(title_, GetListValue(Id::Title, driver0));
  forenames_->SetText(GetStringValue(Id::Forenames, driver0));
  surname_->SetText(GetStringValue(Id::Surname, driver0));
  address1_->SetText(GetStringValue(Id::AddressLine1, proposer));
  address2_->SetText(GetStringValue(Id::Locality, proposer));
  town_->SetText(GetStringValue(Id::Town, proposer));
  county_->SetText(GetStringValue(Id::County, proposer));
  postCode_->SetText(GetStringValue(Id::ProposerPostcode, proposer));
  homeTel_->SetText(GetStringValue(Id::HomeTelephone, proposer));
  workTel_->SetText(GetStringValue(Id::WorkTelephone, proposer));
  faxNo_->SetText(GetStringValue(Id::FaxNumber, proposer));
  email_->SetText(GetStringValue(Id::EmailAddress, proposer));
}

void TAcceptanceForm::ShowDriver(int n) {
  currentDriver_ = n;
  const TPath driver{DriverPath(n)};
  SelectCode(driverTitle_, GetListValue(Id::Title, driver));
  driverForename_->SetText(GetStringValue(Id::Forenames, driver));
  driverSurname_->SetText(GetStringValue(Id::Surname, driver));
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

void TAcceptanceForm::EnterEmailPage() {
  QRadioButton* chosen = connectionMethod_ == TConnectionMethod::LocalNetwork ? lan_
                         : connectionMethod_ == TConnectionMethod::Manual     ? manual_
                                                                              : dialUp_;
  chosen->setChecked(true);
  ChoiceClick(chosen);  // also when it was checked already: the help follows the choice
  chosen->setFocus(Qt::OtherFocusReason);
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
