#include "capture/driverdetailspage.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "capture/fieldvalues.h"
#include "controls/fieldaccessibility.h"
#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/numericedit.h"
#include "controls/today.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

const QString kUnder17 =
    QStringLiteral("Age of Driver under 17 years.\rPlease check the entered date of birth.");
const QString kOver80 =
    QStringLiteral("Age of Driver over 80 years.\rPlease check the entered date of birth.");
const QString kBornInFuture = QStringLiteral(
    "The Date of Birth cannot be after today.\rPlease enter the date on which the driver was "
    "born.");
const QString kResidencyOverAge = QStringLiteral(
    "Driver residency is greater than driver age.\rYears residency has been set to the age of the "
    "driver.");
const QString kLicenceBefore17 = QStringLiteral(
    "Licence obtained before driver was 17 years old.\rLicence period has been set to age of the "
    "driver less 17 years.");

constexpr int kYoungestAge = 17;
constexpr int kOldestAge = 80;
// The bevel groups that go in the left column; the rest go in the right one.
constexpr int kLeftColumnGroups = 2;

}  // namespace

TDriverDetailsPage::TDriverDetailsPage(bool proposer, QWidget* parent)
    : TCapturePage(parent),
      cascade_(
          binder_, [this] { return DriverAnd({OccupationPath(0)}); },
          // The driver page offers the statuses in alphabetical order, the proposer page in map
          // order.
          !proposer),
      questions_(
          this, binder_, [this] { return Driver(); }, proposer),
      proposer_(proposer) {
  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
}

QWidget* TDriverDetailsPage::Control(const char* name) const {
  if (QWidget* control = binder_.Control(name))
    return control;
  return findChild<QWidget*>(QLatin1String(name));
}

TPath TDriverDetailsPage::DriverAnd(std::initializer_list<TPathEntry> below) const {
  TPath path{DriverPath(Driver())};
  path.insert(path.end(), below.begin(), below.end());
  return path;
}

// ---- Laying out -----------------------------------------------------------------------------

QFormLayout* TDriverDetailsPage::BeginGroup(const QString& name) {
  auto* box = new QGroupBox(this);
  box->setAccessibleName(name);
  auto* group = new QFormLayout(box);
  group->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  group->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* columns = static_cast<QHBoxLayout*>(layout());
  auto* column = static_cast<QVBoxLayout*>(
      columns->itemAt(groups_.size() < kLeftColumnGroups ? 0 : 1)->layout());
  column->addWidget(box);
  groups_.append(group);
  return group;
}

std::vector<TFieldChoice> TDriverDetailsPage::SexChoices() {
  // The slash is only drawn between the two; a reader hears "Male".
  return {{.Name = DriverField::MaleRadioButton,
           .Caption = "Male  /",
           .AccessibleName = "Male",
           .Code = Code::Male},
          {.Name = DriverField::FemaleRadioButton, .Caption = "Female", .Code = Code::Female}};
}

// ---- The field table ------------------------------------------------------------------------

QString TDriverDetailsPage::Said(const char* text) const {
  QString said = QString::fromUtf8(text);
  said.replace(QLatin1String("{the}"),
               proposer_ ? QLatin1String("the Proposer") : QLatin1String("the Driver"));
  said.replace(QLatin1String("{this}"),
               proposer_ ? QLatin1String("the Proposer") : QLatin1String("this Driver"));
  said.replace(QLatin1String("{who}"),
               proposer_ ? QLatin1String("Proposer") : QLatin1String("Driver"));
  return said;
}

int TDriverDetailsPage::Help(int row) const {
  return (proposer_ ? 110100 : 110300) + row;
}

void TDriverDetailsPage::AddFields() {
  const TPathProvider driver = [this] { return DriverAnd(); };
  const TPathProvider occupation = [this] { return DriverAnd({OccupationPath(0)}); };

  QFormLayout* group = BeginGroup(QStringLiteral("Personal details"));
  binder_.AddRow(group, {.Name = FieldName::DOBKwDate,
                         .Kind = TFieldKind::Date,
                         .Label = "&Date of Birth",
                         .Hint = Said("|Enter {the}'s date of birth."),
                         .HelpContext = Help(1),
                         .PropertyId = Id::DateOfBirth,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foTodayIsNegative | foExitOnStore,
                         .Exit = [this] { DOBKwDateExit(); }});
  binder_.AddRow(group, {.Name = DriverField::SexPanel,
                         .Kind = TFieldKind::Choice,
                         .Label = "&Sex",
                         .Hint = Said("|Indicate whether {the} is male or female."),
                         .HelpContext = Help(2),
                         .PropertyId = Id::Sex,
                         .Path = driver,
                         .Write = TWriteRule::OnExit,
                         .Handler = "MaleRadioButtonExit",
                         .Choices = SexChoices()});
  binder_.AddRow(group, {.Name = FieldName::MaritalStatusKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Marital Status",
                         .Hint = Said("|Select the marital status of {the}."),
                         .HelpContext = Help(3),
                         .List = TListSource::DataServer,
                         .PropertyId = Id::MaritalStatus,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Handler = "MaritalStatusKwComboEditExit"});
  const QString residency =
      Said("|Enter the number of years {the} has been permanently resident in the UK.");
  binder_.AddPeriod(group,
                    {.Name = DriverField::ResidencyNumericEdit,
                     .Kind = TFieldKind::Number,
                     .Label = "Period &Resident in UK",
                     .Hint = residency,
                     .HelpContext = Help(4),
                     .PropertyId = Id::ResidencyStartDate,
                     .Path = driver,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit = [this] { ResidencyNumericEditExit(); }},
                    {.Name = DriverField::ResidencyKwComboEdit,
                     .Kind = TFieldKind::List,
                     .Label = {},  // under the number's label
                     .Hint = residency,
                     .HelpContext = Help(4)});
  AddOwnPersonalRow(group);

  group = BeginGroup(QStringLiteral("Occupation"));
  binder_.AddRow(group, {.Name = FieldName::BusinessKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Employers Business",
                         .Hint = "|Select the text that best describes the employer's type of "
                                 "business.",
                         .HelpContext = Help(9),
                         .List = TListSource::Page,
                         .PropertyId = Id::EmployersBusiness,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foExitOnStore,
                         .Exit = [this] { cascade_.BusinessKwComboEditExit(); },
                         .Change = [this] { cascade_.BusinessKwComboEditChange(); },
                         .BuildList = [this] { cascade_.BusinessKwComboEditBuildList(); }});
  // The two pages' hints end differently here.
  binder_.AddRow(group, {.Name = FieldName::OccupationKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Full-time &Occupation",
                         .Hint = Said("|Select the text that best describes {the}'s full-time "
                                      "occupation.") +
                                 (proposer_ ? "" : " "),
                         .HelpContext = Help(8),
                         .List = TListSource::Page,
                         .PropertyId = Id::Occupation,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foOccupationItem | foExitOnStore,
                         .Exit = [this] { cascade_.OccupationKwComboEditExit(); },
                         .Change = [this] { cascade_.OccupationKwComboEditChange(); }});
  binder_.AddRow(group, {.Name = FieldName::EmploymentStatusKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = Said("{who}s Full-time Employment S&tatus"),
                         .Hint = Said("|Select the employment status for {the}'s full-time "
                                      "occupation") +
                                 (proposer_ ? " ." : ". "),
                         .HelpContext = Help(7),
                         .List = TListSource::Page,
                         .PropertyId = Id::EmploymentStatus,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Handler = "EmploymentStatusKwComboEditExit"});
  binder_.AddRow(group,
                 {.Name = DriverField::OtherOccupationKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Any Part-time Occ&upation?",
                  .Hint = Said("|Indicate whether {the} has a part-time occupation."),
                  .HelpContext = Help(10),
                  .Options = foDialogOnYes,
                  .Change = [this] { questions_.OtherOccupationKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.OtherOccupationKwYesNoDlgCallDialog(); }});

  group = BeginGroup(QStringLiteral("Licence"));
  binder_.AddRow(group, {.Name = FieldName::LicenceTypeKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Licence Type",
                         .Hint = Said("|Select the type of licence held by {the}. "),
                         .HelpContext = Help(11),
                         .List = TListSource::DataServer,
                         .PropertyId = Id::LicenceType,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Handler = "LicenceTypeKwComboEditExit"});
  const QString licence = "|Enter the number of Years/Months that this licence has been valid for.";
  binder_.AddPeriod(group,
                    {.Name = DriverField::LicenceYearsNumericEdit,
                     .Kind = TFieldKind::Number,
                     .Label = "Period Licen&ce Held",
                     .Hint = licence,
                     .HelpContext = Help(12),
                     .PropertyId = Id::LicenceStartDate,
                     .Path = driver,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit = [this] { LicencePeriodNumericEditExit(); }},
                    {.Name = DriverField::LicencePeriodKwComboEdit,
                     .Kind = TFieldKind::List,
                     .Label = {},  // under the number's label
                     .Hint = licence,
                     .HelpContext = Help(12)});
  binder_.AddRow(group,
                 {.Name = DriverField::QualificationsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = Said("Has {this} any other Driving &Qualifications?"),
                  .Hint = Said("|Indicate whether {the} has any other driving qualification."),
                  .HelpContext = Help(13),
                  .PropertyId = Id::HasQualifications,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.QualificationsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.QualificationsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group, {.Name = DriverField::OrganisationKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Member of Motoring Or&ganisation",
                         .Hint = Said("|Select the motoring organisation to which {the} belongs."),
                         .HelpContext = Help(14),
                         .List = TListSource::DataServer,
                         .PropertyId = Id::MotoringOrganisation,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Handler = "OrganisationKwComboEditExit"});

  group = BeginGroup(QStringLiteral("Driving history"));
  binder_.AddRow(group,
                 {.Name = DriverField::ClaimsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = Said("Has {this} been involved in any &accidents, losses or claims "
                                "within the last 3 years?"),
                  .Hint = Said("|Indicate whether {the} has had any accidents, losses or claims."),
                  .HelpContext = Help(15),
                  .PropertyId = Id::HasClaims,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.ClaimsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.ClaimsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::ConvictionsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = Said("Has {this} been con&victed of any motoring offences within the "
                                "last 5 Years?"),
                  .Hint = Said("|Indicate whether {this} has been convicted of any motoring "
                               "offences."),
                  .HelpContext = Help(16),
                  .PropertyId = Id::HasConvictions,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.ConvictionsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.ConvictionsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::MedicalConditionKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = Said("Has {this} any med&ical conditions?"),
                  .Hint = Said("|Indicate whether {the} has any medical conditions."),
                  .HelpContext = Help(17),
                  .PropertyId = Id::HasMedicalConditions,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.MedicalConditionKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.MedicalConditionKwYesNoDlgCallDialog(); }});

  group = BeginGroup(QStringLiteral("Other insurance"));
  if (proposer_) {  // the bonus is the proposer's
    binder_.AddRow(group, {.Name = DriverField::NCBKwYesNoDlg,
                           .Kind = TFieldKind::YesNo,
                           .Label = "Does the Proposer have any &No Claims Bonus from a current or "
                                    "previous insurance policy?",
                           .Hint = "|Indicate if the Proposer has any No Claims Bonus.",
                           .HelpContext = Help(18),
                           .Options = foDialogOnYes,
                           .Change = [this] { questions_.NCBKwYesNoDlgChange(); },
                           .CallDialog = [this] { questions_.NCBKwYesNoDlgCallDialog(); }});
  }
  binder_.AddRow(group,
                 {.Name = DriverField::OtherVehiclesKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = Said("Does {this} O&wn, Use or Insure any other vehicles?"),
                  .Hint = Said("|Indicate if {this} Owns, Uses or Insures any other vehicle."),
                  .HelpContext = Help(19),
                  .Options = foDialogOnYes,
                  .Change = [this] { questions_.OtherVehiclesKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.OtherVehiclesKwYesNoDlgCallDialog(); }});
  FinishFields();
}

void TDriverDetailsPage::FinishFields() {
  // The lists of a group are as wide as 18 capitals, so the groups line up.
  for (QFormLayout* group : groups_) {
    for (int i = 0; i < group->rowCount(); ++i) {
      QLayoutItem* item = group->itemAt(i, QFormLayout::FieldRole);
      if (auto* combo = qobject_cast<TKwComboEdit*>(item != nullptr ? item->widget() : nullptr))
        combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
    }
  }
  for (int i = 0; i < 2; ++i)
    static_cast<QBoxLayout*>(layout()->itemAt(i)->layout())->addStretch(1);
  // An age counts both ways: a birth date ahead would pass as an adult and move the residency.
  Field<TKwDate>(FieldName::DOBKwDate)->SetFutureRefusal(kBornInFuture);
  cascade_.Start();
}

void TDriverDetailsPage::FormShow() {
  if (QWidget* dob = Control(FieldName::DOBKwDate))
    dob->setFocus(Qt::OtherFocusReason);
}

// ---- Loading --------------------------------------------------------------------------------

void TDriverDetailsPage::LoadDetails() {
  // The occupation lists first: the rows select the stored business and status in them.
  cascade_.Load();
  binder_.LoadAll();
  questions_.Load();
}

TPeriodUnit TDriverDetailsPage::Unit(const char* unitField) const {
  auto* units = Field<TKwComboEdit>(unitField);
  return units->Text() == QLatin1String(kMonthsUnit) ? TPeriodUnit::Months : TPeriodUnit::Years;
}

// ---- Personal details -----------------------------------------------------------------------

QDate TDriverDetailsPage::EnteredBirthDate() const {
  return DateOf(Field<TKwDate>(FieldName::DOBKwDate));
}

void TDriverDetailsPage::DOBKwDateExit() {
  const int age = AgeOn(EnteredBirthDate(), Today());
  QObject* dob = Control(FieldName::DOBKwDate);
  if (proposer_) {
    if (age < kYoungestAge)
      ShowFieldError(dob, kUnder17, false);
    else if (age > kOldestAge)
      ShowFieldError(dob, kOver80, false);
  }
  // A residency not yet given (or, on the proposer page, longer than the life) becomes the age.
  auto* residency = Field<TNumericEdit>(DriverField::ResidencyNumericEdit);
  const bool inYears = Unit(DriverField::ResidencyKwComboEdit) == TPeriodUnit::Years;
  if (residency->AsInteger() == 0 || (proposer_ && inYears && residency->AsInteger() > age)) {
    residency->SetAsInteger(age);
    Field<TKwComboEdit>(DriverField::ResidencyKwComboEdit)->SetItemIndex(0);  // years
    // As if the residency were left: checked, then stored by its row.
    ResidencyNumericEditExit();
    binder_.Store(DriverField::ResidencyNumericEdit);
  }
}

void TDriverDetailsPage::ResidencyNumericEditExit() {
  auto* residency = Field<TNumericEdit>(DriverField::ResidencyNumericEdit);
  if (proposer_) {
    const int age = AgeOn(EnteredBirthDate(), Today());
    if (Unit(DriverField::ResidencyKwComboEdit) == TPeriodUnit::Years &&
        residency->AsInteger() > age) {
      ShowFieldError(residency, kResidencyOverAge, false);
      residency->SetAsInteger(age);
    }
  }
}

void TDriverDetailsPage::LicencePeriodNumericEditExit() {
  auto* licence = Field<TNumericEdit>(DriverField::LicenceYearsNumericEdit);
  if (proposer_) {
    // Under 17 the limit would be negative; the field holds no negative numbers, so it is 0.
    const int limit = qMax(0, AgeOn(EnteredBirthDate(), Today()) - kYoungestAge);
    if (Unit(DriverField::LicencePeriodKwComboEdit) == TPeriodUnit::Years &&
        licence->AsInteger() > limit) {
      ShowFieldError(licence, kLicenceBefore17, false);
      licence->SetAsInteger(limit);
    }
  }
}
