#include "capture/vehiclemodificationsform.h"

#include <QFormLayout>
#include <QTreeWidget>

#include "capture/fieldvalues.h"
#include "capture/vehicleobjects.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/modaldialog.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

constexpr char kType[] = "TypeKwComboEdit";
constexpr char kInjury[] = "InjuryKwYesNoDlg";
const QString kSelect = QStringLiteral("<Select>");

TPath Modification(int index) {
  return VehicleObjectPath(ObjectCode::Modification, index);
}

// The type's text, "<Select>" when there is none.
QString TypeText(std::int32_t code) {
  const QString text = code != 0 ? GetListText(ListId::Modifications, code) : QString();
  return text.isEmpty() ? kSelect : text;
}

}  // namespace

TVehicleModificationsForm::TVehicleModificationsForm(QWidget* parent)
    : TRecordListDialog(parent, {.DetailsCaption = QStringLiteral("Modification %1 Details"),
                                 .NoDescription = QStringLiteral(
                                     "No description selected for Modification '%1'%2Do "
                                     "you wish to Remove this Modification?"),
                                 .Remove = QStringLiteral("Remove Vehicle Modification %1 - %2")}) {
  setObjectName(QStringLiteral("TVehicleModificationsForm"));
  setWindowTitle(QStringLiteral("Vehicle Modifications"));
  QFormLayout* form = BuildFrame(
      {.ListName = "ModificationsPZListView",
       .Columns = {"No", "Modification"},
       .ListHint = "|Contains a list of all the non-standard modifications for the vehicle.",
       .ListHelp = 121001,
       .GroupName = "ModificationDetailsGroupBox",
       .AddHint = "|Allows you to add another non-standard modification.",
       .AddHelp = 121004,
       .RemoveHint = "|Removes the current non-standard modification.",
       .RemoveHelp = 121005,
       .CloseHint = "|Closes the dialog and returns you to the 'Vehicle Page'.",
       .CloseHelp = 121006});
  // Both fields store into the selected modification.
  const TPathProvider selected = [this] { return SelectedModification(); };
  Binder().AddRow(form,
                  {.Name = kType,
                   .Kind = TFieldKind::List,
                   .Label = "M&odification",
                   .Hint = "|Select the type of modification that has been made to the vehicle.",
                   .HelpContext = 121002,
                   .List = TListSource::Page,
                   .PropertyId = Id::ModificationType,
                   .Path = selected,
                   .Write = TWriteRule::OnChange,
                   .Options = foZeroIsNoChoice,
                   .ListId = ListId::Modifications,
                   .Change = [this] { TypeKwComboEditChange(); },
                   .BuildList = [this] { TypeKwComboEditBuildList(); }});
  Binder().AddRow(
      form, {.Name = kInjury,
             .Kind = TFieldKind::YesNo,
             .Label = "Modified due to &Medical Condition?",
             .Hint = "|Indicate whether the modification has been made for a medical condition.",
             .HelpContext = 121003,
             .PropertyId = Id::ModifiedForMedicalReason,
             .Path = selected,
             .Write = TWriteRule::OnExit,
             .YesCode = Code::MedicalReasonYes,
             .NoCode = Code::MedicalReasonNo});
  Open(TypeField(), {TypeField(), InjuryField()});
  resize(420, 320);
}

TKwComboEdit* TVehicleModificationsForm::TypeField() const {
  return Binder().Field<TKwComboEdit>(kType);
}

TKwYesNoDlg* TVehicleModificationsForm::InjuryField() const {
  return Binder().Field<TKwYesNoDlg>(kInjury);
}

void TVehicleModificationsForm::TypeKwComboEditBuildList() {
  typesRead_ = FillWithSelectFirst(TypeField(), ListId::Modifications);
  if (typesRead_)
    TypeField()->SetItemIndex(0);
}

int TVehicleModificationsForm::StoredCount() const {
  return VehicleObjectCount(ObjectCode::Modification);
}

void TVehicleModificationsForm::WriteRow(int row) {
  QTreeWidgetItem* item = list_->topLevelItem(row);
  item->setText(0, QString::number(row + 1));
  item->setText(1, TypeText(GetListValue(Id::ModificationType, Modification(row))));
}

void TVehicleModificationsForm::ResetDetails() {
  TypeField()->SetItemIndex(0);
  InjuryField()->SetState(TKwYesNoState::ynNo);
}

void TVehicleModificationsForm::AddRecord() {
  details_->setEnabled(true);
  TypeField()->SetItemIndex(0);
  // The new modification takes the medical answer the details show now.
  const TKwYesNoState medical = InjuryField()->State();
  ShowNewRow();
  InjuryField()->SetState(medical);
  Binder().Store(kInjury);
}

void TVehicleModificationsForm::AddModification() {
  AddRecord();
}

TPath TVehicleModificationsForm::SelectedModification() const {
  const int row = SelectedRow();
  return row >= 0 ? Modification(row) : TPath();
}

void TVehicleModificationsForm::ShowRecord(int /*row*/) {
  Binder().Load(kType);
  Binder().Load(kInjury);
}

void TVehicleModificationsForm::ListViewClick() {
  FocusDetails();
}

void TVehicleModificationsForm::TypeKwComboEditChange() {
  // The row has stored a chosen type; the row of the list shows the choice.
  const int row = SelectedRow();
  if (row >= 0 && TypeField()->ItemIndex() >= 0)
    list_->topLevelItem(row)->setText(1, TypeField()->Text());
}

void TVehicleModificationsForm::StoreKey(int row, std::int32_t code) {
  // An empty type is not stored: the modification keeps the type it had until it goes.
  if (code != 0)
    Binder().Store(kType);
  list_->topLevelItem(row)->setText(1, TypeText(code));
}

bool TVehicleModificationsForm::RemoveRecord(int row) {
  return RemoveVehicleObject(ObjectCode::Modification, row,
                             {Id::ModificationType, Id::ModifiedForMedicalReason});
}

void TVehicleModificationsForm::RemoveModification(int row) {
  RemoveAt(row, false);
}

void TVehicleModificationsForm::RemoveClicked() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo,
          QStringLiteral("Remove Vehicle Modification %1 - %2")
              .arg(row + 1)
              .arg(RowText(row, 1))) == PromptAnswer::Yes)
    RemoveModification(row);
}

void TVehicleModificationsForm::Closing() {
  const int row = SelectedRow();
  if (row >= 0 && GetListValue(Id::ModificationType, Modification(row)) == 0)
    RemoveModification(row);
  done(RowCount() > 0 ? Accepted : Rejected);
}

bool ShowVehicleModifications(QWidget* parent) {
  TVehicleModificationsForm form(parent);
  if (!form.TypesRead())
    return false;
  form.RefreshList();
  if (form.RowCount() == 0)
    form.AddModification();
  else
    form.SelectRow(0);
  return RunModalDialog(form) == QDialog::Accepted;
}
