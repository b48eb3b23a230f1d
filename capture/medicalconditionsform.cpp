#include "capture/medicalconditionsform.h"

#include <QFormLayout>

#include "capture/fieldvalues.h"
#include "capture/periods.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/today.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

const QString kDetailsCaption = QStringLiteral("Medical Condition %1 Details");
const QString kNoDescription = QStringLiteral(
    "No description selected for Medical Condition '%1'%2Do you wish to Remove this Medical "
    "Condition?");
const QString kRemove = QStringLiteral("Remove Medical Condition %1 - %2");

// Requirements met: 1 plus 1 for a modified vehicle plus 2 for automatics only; 5 when not met.
constexpr std::int32_t kMetPlain = 1;
constexpr std::int32_t kMetModified = 1;
constexpr std::int32_t kMetAutomatic = 2;
constexpr std::int32_t kLastMetValue = kMetPlain + kMetModified + kMetAutomatic;

// Every value of a condition, as removing one moves the later ones down.
constexpr std::int32_t kConditionValues[] = {Id::MedicalCondition, Id::ConditionStartDate,
                                             Id::DvlaNotified,     Id::ModificationRequired,
                                             Id::AutomaticOnly,    Id::DvlaRequirementsMet};

bool IsDateValue(std::int32_t id) {
  return id == Id::ConditionStartDate;
}

}  // namespace

TMedicalConditionsForm::TMedicalConditionsForm(QWidget* owner, int driver)
    : TRecordListDialog(
          owner,
          {.DetailsCaption = kDetailsCaption, .NoDescription = kNoDescription, .Remove = kRemove}),
      driver_(driver) {
  setObjectName(QStringLiteral("TMedicalConditionsForm"));
  setWindowTitle(driver == 0
                     ? QStringLiteral("Medical Conditions for the Proposer")
                     : QStringLiteral("Medical Conditions for Additional Driver : %1").arg(driver));
  BuildControls();
  Open(condition_, {condition_, period_, unit_, dvla_, modified_, restriction_, complied_});
  ShowFirstRecord();
}

void TMedicalConditionsForm::BuildControls() {
  QFormLayout* form = BuildFrame(
      {.ListName = "MedicalConditionsPZListView",
       .Columns = {"No", "Medical Condition"},
       .ListHint = "|Contains a list of all the Medical Conditions for the selected driver.",
       .ListHelp = 120501,
       .GroupName = "MedicalConditionsGroupBox",
       .AddHint = "|Allows you to add another Medical Condition for this Driver. ",
       .AddHelp = 120508,
       .RemoveHint = "|Removes the current Medical Condition for this Driver.",
       .RemoveHelp = 120509,
       .CloseHint = "|Closes the dialog and returns you to the 'Proposer/Driver Page'.",
       .CloseHelp = 120510});
  condition_ = static_cast<TKwComboEdit*>(
      Binder().AddRow(form, {.Name = "ConditionKwComboEdit",
                             .Kind = TFieldKind::List,
                             .Label = "Con&dition",
                             .Hint = "|Select the type of Medical Condition.",
                             .HelpContext = 120502,
                             .List = TListSource::Page}));
  condition_->setMinimumWidth(condition_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
  listReady_ = FillWithSelectFirst(condition_, ListId::MedicalConditions);

  // The period: a number and its unit on one row under the number's label; leaving either is
  // leaving the period, which stores its start date into the selected condition. No whole year
  // shows as months: "0 Months".
  const TPathProvider selected = [this] { return SelectedCondition(); };
  Binder().AddPeriod(
      form,
      {.Name = "PeriodNumericEdit",
       .Kind = TFieldKind::Number,
       .Label = "&Period Condition held",
       .Hint = "|Enter the period the Proposer/Driver has had this Medical Condition.",
       .HelpContext = 120503,
       .PropertyId = Id::ConditionStartDate,
       .Path = selected,
       .Write = TWriteRule::OnExit,
       .Options = foPeriodStart | foZeroInMonths,
       .Handler = "PeriodNumericEditExit"},
      {.Name = "PeriodKwComboEdit",
       .Kind = TFieldKind::List,
       .Label = {},  // the number's label names both
       .Hint = "|Enter the period the Proposer/Driver has had this medical condition.",
       .HelpContext = 120503});
  period_ = Binder().Field<TNumericEdit>("PeriodNumericEdit");
  unit_ = Binder().Field<TKwComboEdit>("PeriodKwComboEdit");

  // The answers store into the selected condition as they are left.
  dvla_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form, {.Name = "DVLAKwYesNoDlg",
             .Kind = TFieldKind::YesNo,
             .Label = "Has the DVLA been &notified of this condition?",
             .Hint = "|Indicate whether the DVLA have been advised of this Medical Condition.",
             .HelpContext = 120504,
             .PropertyId = Id::DvlaNotified,
             .Path = selected,
             .Write = TWriteRule::OnExit}));
  modified_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form, {.Name = "ModifiedKwYesNoDlg",
             .Kind = TFieldKind::YesNo,
             .Label = "Does the DVLA require a &modification to the vehicle due to this condition?",
             .Hint = "|Indicate whether the DVLA require the vehicle to be modified.",
             .HelpContext = 120505,
             .PropertyId = Id::ModificationRequired,
             .Path = selected,
             .Write = TWriteRule::OnExit,
             .Exit = [this] { StoreRequirementsMet(); }}));
  restriction_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form,
      {.Name = "RestrictionKwYesNoDlg",
       .Kind = TFieldKind::YesNo,
       .Label =
           "Has the DVLA restricted the driver to a&utomatic transmission vehicles only due to "
           "this condition?",
       .Hint = "|Indicate whether the DVLA restrictied the driver to automatic transmission "
               "vehicles. ",
       .HelpContext = 120506,
       .PropertyId = Id::AutomaticOnly,
       .Path = selected,
       .Write = TWriteRule::OnExit,
       .Exit = [this] { StoreRequirementsMet(); }}));
  complied_ = static_cast<TKwYesNoDlg*>(
      Binder().AddRow(form, {.Name = "CompliedKwYesNoDlg",
                             .Kind = TFieldKind::YesNo,
                             .Label = "Have all DVLA requirements for this Condition been m&et?",
                             .Hint = "|Indicate whether all the DVLA requirements have been met.",
                             .HelpContext = 120507,
                             .Exit = [this] { StoreRequirementsMet(); }}));
}

TPath TMedicalConditionsForm::Condition(int row) const {
  return {DriverPath(driver_), MedicalConditionPath(row)};
}

TPath TMedicalConditionsForm::SelectedCondition() const {
  const int row = SelectedRow();
  return row >= 0 ? Condition(row) : TPath();
}

void TMedicalConditionsForm::WriteRow(int row) {
  QTreeWidgetItem* item = list_->topLevelItem(row);
  item->setText(0, QString::number(row + 1));
  item->setText(1, GetListText(ListId::MedicalConditions,
                               GetListValue(Id::MedicalCondition, Condition(row))));
}

void TMedicalConditionsForm::ResetDetails() {
  SelectFirst(condition_);
  period_->SetAsInteger(0);
  unit_->SetItemIndex(0);
  for (TKwYesNoDlg* answer : {dvla_, modified_, restriction_, complied_})
    SetYes(answer, false);
}

int TMedicalConditionsForm::StoredCount() const {
  // Every stored condition is listed, also one left without its condition: counting only up to
  // the first of those would hide the later ones, which are still quoted and sent.
  int count = 0;
  GetObjectCount({DriverPath(driver_)}, ObjectCode::MedicalCondition, count);
  return count;
}

void TMedicalConditionsForm::AddRecord() {
  details_->setEnabled(true);
  const int row = list_->topLevelItemCount();
  const TPath path = Condition(row);
  SetDateValue(Id::ConditionStartDate, path, Today());
  for (std::int32_t id : {Id::DvlaNotified, Id::ModificationRequired, Id::AutomaticOnly})
    SetListValue(id, path, Code::No);
  SetListValue(Id::DvlaRequirementsMet, path, Code::RequirementsNotMet);
  ResetDetails();
  auto* item = new QTreeWidgetItem(list_);
  item->setText(0, QString::number(row + 1));
  {
    const QSignalBlocker quiet(list_);
    list_->setCurrentItem(item);
  }
  details_->setTitle(kDetailsCaption.arg(row + 1));
  condition_->setFocus(Qt::OtherFocusReason);
}

void TMedicalConditionsForm::ShowRecord(int row) {
  const TPath path = Condition(row);
  SelectCode(condition_, GetListValue(Id::MedicalCondition, path));
  for (const char* answer :
       {"PeriodNumericEdit", "DVLAKwYesNoDlg", "ModifiedKwYesNoDlg", "RestrictionKwYesNoDlg"})
    Binder().Load(answer);
  SetYes(complied_, GetListValue(Id::DvlaRequirementsMet, path) <= kLastMetValue);
}

void TMedicalConditionsForm::StoreRequirementsMet() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  std::int32_t value = Code::RequirementsNotMet;
  if (IsYes(complied_))
    value = kMetPlain + (IsYes(modified_) ? kMetModified : 0) +
            (IsYes(restriction_) ? kMetAutomatic : 0);
  SetListValue(Id::DvlaRequirementsMet, Condition(row), value);
}

void TMedicalConditionsForm::StoreKey(int row, std::int32_t code) {
  SetListValue(Id::MedicalCondition, Condition(row), code);
  WriteRow(row);
}

bool TMedicalConditionsForm::RemoveRecord(int row) {
  int count = 0;
  GetObjectCount({DriverPath(driver_)}, ObjectCode::MedicalCondition, count);
  const int last = qMax(0, count - 1);
  // The later conditions move down one place; the last object then goes.
  for (int j = row; j < last; ++j) {
    const TPath from = Condition(j + 1);
    const TPath to = Condition(j);
    for (std::int32_t id : kConditionValues) {
      if (IsDateValue(id))
        SetDateValue(id, to, GetDateValue(id, from));
      else
        SetListValue(id, to, GetListValue(id, from));
    }
  }
  DeleteObject(Condition(last));
  return true;
}

bool ExecuteMedicalConditions(QWidget* owner, int driver) {
  TMedicalConditionsForm form(owner, driver);
  if (!form.ListReady())
    return false;
  return RunCaptureDialog(form) == mrOk;
}
