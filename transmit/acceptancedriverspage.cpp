#include "transmit/acceptancedriverspage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "capture/fieldbinder.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/proposallisting.h"
#include "settings/displayformats.h"

namespace {

// The fields' object names.
constexpr char kDriverTitle[] = "DriverTitleKwComboEdit";
constexpr char kDriverForename[] = "DriverForenameKwEdit";
constexpr char kDriverSurname[] = "DriverSurnameKwEdit";

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

TAcceptanceDriversPage::TAcceptanceDriversPage(QWidget* parent)
    : TAcceptancePage("Drivers", parent) {
  AddHeading(QStringLiteral("Please provide the name of the additional driver."));
  AddText(
      QStringLiteral("Please identify each of the entered additional drivers by providing "
                     "their full name in the space provided.  A summary of the drivers "
                     "details is displayed to help you remember who is which driver"));

  fields_ = new TFieldBinder(this);
  auto* fields = new QGridLayout;
  AddFields(fields_, Table(), fields);
  fields->setRowStretch(3, 1);
  fields->setColumnStretch(1, 1);
  title_ = fields_->Field<TKwComboEdit>(kDriverTitle);
  surname_ = fields_->Field<TKwEdit>(kDriverSurname);

  auto* summary = new QGroupBox(this);
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
  Column()->addLayout(row);
  Column()->addStretch(1);
}

// The names of the additional driver shown, written to that driver when they are left.
std::vector<TFieldRow> TAcceptanceDriversPage::Table() const {
  using K = TFieldKind;
  using W = TWriteRule;
  const TPathProvider driver = [this] { return TPath{DriverPath(driver_)}; };
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

void TAcceptanceDriversPage::ShowDriver(int n) {
  driver_ = n;
  fields_->LoadAll();
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

QWidget* TAcceptanceDriversPage::FirstField() const {
  return title_;
}

QWidget* TAcceptanceDriversPage::LastField() const {
  return surname_;
}
