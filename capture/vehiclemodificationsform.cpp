#include "capture/vehiclemodificationsform.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "capture/vehicleobjects.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/modaldialog.h"
#include "controls/pendingclick.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

constexpr char kType[] = "TypeKwComboEdit";
constexpr char kInjury[] = "InjuryKwYesNoDlg";
const QString kSelect = QStringLiteral("<Select>");

TPath Modification(int index) {
  return VehicleObjectPath(ObjectCode::Modification, index);
}

std::int32_t MedicalCode(const TKwYesNoDlg* answer) {
  return answer->State() == TKwYesNoState::ynYes ? Code::MedicalReasonYes : Code::MedicalReasonNo;
}

// The type's text, "<Select>" when there is none.
QString TypeText(std::int32_t code) {
  const QString text = code != 0 ? GetListText(ListId::Modifications, code) : QString();
  return text.isEmpty() ? kSelect : text;
}

TVehicleDetailsDialog::TNames Names() {
  return {"TVehicleModificationsForm",
          QStringLiteral("Vehicle Modifications"),
          "ModificationsPZListView",
          {QStringLiteral("No"), QStringLiteral("Modification")},
          QStringLiteral("|Contains a list of all the non-standard modifications for the vehicle."),
          121001,
          "ModificationDetailsGroupBox",
          QStringLiteral("|Allows you to add another non-standard modification."),
          121004,
          QStringLiteral("|Removes the current non-standard modification."),
          121005,
          QStringLiteral("|Closes the dialog and returns you to the 'Vehicle Page'."),
          121006};
}

}  // namespace

TVehicleModificationsForm::TVehicleModificationsForm(QWidget* parent)
    : TVehicleDetailsDialog(Names(), parent), binder_(Group()) {
  auto* form = new QGridLayout;
  GroupLayout()->addLayout(form);
  const TFieldRow rows[] = {
      {kType,
       TFieldKind::List,
       QStringLiteral("M&odification"),
       QStringLiteral("|Select the type of modification that has been made to the vehicle."),
       121002,
       TListSource::Page,
       0,
       {}},
      {kInjury,
       TFieldKind::YesNo,
       QStringLiteral("Modified due to &Medical Condition?"),
       QStringLiteral("|Indicate whether the modification has been made for a medical condition."),
       121003,
       TListSource::None,
       0,
       {}},
  };
  int line = 0;
  for (const TFieldRow& row : rows) {
    QWidget* control = binder_.Create(row);
    form->addWidget(binder_.Label(row.Name), line, 0);
    form->addWidget(control, line++, 1, Qt::AlignLeft);
  }
  form->setColumnStretch(1, 1);
  ArrangeTabOrder({TypeField(), InjuryField()});

  connect(TypeField(), &TKwComboEdit::buildList, this,
          &TVehicleModificationsForm::TypeKwComboEditBuildList);
  TypeField()->SetListID(ListId::Modifications);
  connect(TypeField(), &TKwComboEdit::changed, this,
          &TVehicleModificationsForm::TypeKwComboEditChange);
  connect(TypeField(), &TKwComboEdit::exited, this,
          &TVehicleModificationsForm::TypeKwComboEditExit);
  pendingClick_ = new TPendingClick(TypeField(), this);
  connect(InjuryField(), &TKwYesNoDlg::exited, this,
          &TVehicleModificationsForm::InjuryKwYesNoDlgExit);
  resize(420, 320);
}

TKwComboEdit* TVehicleModificationsForm::TypeField() const {
  return binder_.Field<TKwComboEdit>(kType);
}

TKwYesNoDlg* TVehicleModificationsForm::InjuryField() const {
  return binder_.Field<TKwYesNoDlg>(kInjury);
}

QWidget* TVehicleModificationsForm::FirstDetail() const {
  return TypeField();
}

void TVehicleModificationsForm::TypeKwComboEditBuildList() {
  ListItems types;
  typesRead_ = FillEnumList(ListId::Modifications, types) == 0;
  if (!typesRead_)
    return;
  TKwComboEdit* type = TypeField();
  type->ClearItems();
  type->AddItem(kSelect, 0);
  for (const ListItem& item : types)
    type->AddItem(item.text, item.code);
  type->SetItemIndex(0);
}

void TVehicleModificationsForm::ResetDetails() {
  TypeField()->SetItemIndex(0);
  InjuryField()->SetState(TKwYesNoState::ynNo);
}

void TVehicleModificationsForm::RefreshList() {
  ClearRows();
  const int count = VehicleObjectCount(ObjectCode::Modification);
  for (int i = 0; i < count; ++i) {
    AppendRow(
        {QString::number(i + 1), TypeText(GetListValue(Id::ModificationType, Modification(i)))});
  }
  Group()->setEnabled(count > 0);
  if (count == 0)
    ResetDetails();
}

void TVehicleModificationsForm::ShowCaption(int row) {
  Group()->setTitle(QStringLiteral("Modification %1 Details").arg(row + 1));
}

void TVehicleModificationsForm::AddModification() {
  Group()->setEnabled(true);
  TypeField()->SetItemIndex(0);
  // The new modification takes the medical answer the details show now.
  const int index = VehicleObjectCount(ObjectCode::Modification);
  SetListValue(Id::ModifiedForMedicalReason, Modification(index), MedicalCode(InjuryField()));
  AppendRow({QString::number(index + 1), kSelect});
  SelectRow(RowCount() - 1);
  ShowCaption(index);
  FocusDetails();
}

void TVehicleModificationsForm::ShowRow(int row) {
  ShowCaption(row);
  TKwComboEdit* type = TypeField();
  type->SetItemIndex(type->IndexOfCode(GetListValue(Id::ModificationType, Modification(row))));
  InjuryField()->SetState(GetListValue(Id::ModifiedForMedicalReason, Modification(row)) ==
                                  Code::MedicalReasonYes
                              ? TKwYesNoState::ynYes
                              : TKwYesNoState::ynNo);
}

void TVehicleModificationsForm::TypeKwComboEditChange() {
  const int row = SelectedRow();
  TKwComboEdit* type = TypeField();
  if (row < 0 || type->ItemIndex() < 0)
    return;
  const std::int32_t code = type->ItemCode(type->ItemIndex());
  if (code != 0)
    SetListValue(Id::ModificationType, Modification(row), code);
  SetRowTexts(row, {QString::number(row + 1), type->Text()});
}

void TVehicleModificationsForm::TypeKwComboEditExit() {
  const int row = SelectedRow();
  if (row < 0 || closing_)
    return;
  TKwComboEdit* type = TypeField();
  // An emptied field has no type either.
  const std::int32_t code = type->ItemIndex() >= 0 ? type->ItemCode(type->ItemIndex()) : 0;
  QWidget* target = QApplication::focusWidget();
  if (code != 0 || target == RemoveButton()) {
    if (code != 0)
      SetListValue(Id::ModificationType, Modification(row), code);
    SetRowTexts(row, {QString::number(row + 1), TypeText(code)});
    return;
  }
  if (target != CloseButton()) {
    const bool yes = Ask(PromptKind::Confirmation, PromptButtons::YesNo,
                         QStringLiteral("No description selected for Modification '%1'%2Do you "
                                        "wish to Remove this Modification?")
                             .arg(row + 1)
                             .arg(QStringLiteral("\r"))) == PromptAnswer::Yes;
    // Add, when the mouse pressed it, acts once after Yes and not at all after No, whether or
    // not the press's own click would follow the box.
    if (target == AddButton()) {
      pendingClick_->TakeOver(AddButton(),
                              yes ? std::function<void()>([this] { AddModification(); }) : nullptr);
    }
    if (!yes) {
      type->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  RemoveModification(row);
}

void TVehicleModificationsForm::InjuryKwYesNoDlgExit() {
  const int row = SelectedRow();
  if (row >= 0)
    SetListValue(Id::ModifiedForMedicalReason, Modification(row), MedicalCode(InjuryField()));
}

void TVehicleModificationsForm::RemoveModification(int row) {
  if (!RemoveVehicleObject(ObjectCode::Modification, row,
                           {Id::ModificationType, Id::ModifiedForMedicalReason}))
    return;
  RefreshList();
  SelectRow(qMin(row, RowCount() - 1));
}

void TVehicleModificationsForm::AddClicked() {
  AddModification();
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

void TVehicleModificationsForm::CloseClicked() {
  closing_ = true;
  // A modification still without a type goes, as leaving its type for Close removes it.
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
