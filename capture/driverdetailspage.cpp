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
