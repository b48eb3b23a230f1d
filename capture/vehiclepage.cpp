#include "capture/vehiclepage.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "capture/driverreconciliation.h"
#include "capture/securitydevicesform.h"
#include "capture/vehiclemodificationsform.h"
#include "capture/vehicleobjects.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/spinbutton.h"
#include "controls/today.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"
#include "platform/prompt.h"

namespace {

using namespace VehicleField;

constexpr int kVoluntaryExcessAmounts[] = {0, 50, 100, 150, 200, 250};

void Fill(TKwComboEdit* list, const ListItems& items) {
  list->ClearItems();
  for (const ListItem& item : items)
    list->AddItem(item.text, item.code);
}

void SortByText(ListItems::iterator first, ListItems::iterator last) {
  std::stable_sort(first, last, [](const ListItem& a, const ListItem& b) {
    return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
  });
}

}  // namespace

TVehicleKwTabsheetForm::TVehicleKwTabsheetForm(QWidget* parent) : TCapturePage(parent) {
  setObjectName(QStringLiteral("TVehicleKwTabsheetForm"));
  // The field table builds, loads and stores every field and runs the handlers its rows name.
  CreateFields();
  LayOutFields();

  // The spin button beside the year, and the arrow keys in the year, step the year.
  Number(VehicleYearNumericEdit)->installEventFilter(this);
  connect(yearSpin_, &TSpinButton::upClicked, this,
          &TVehicleKwTabsheetForm::VehicleYearSpinButtonUpClick);
  connect(yearSpin_, &TSpinButton::downClicked, this,
          &TVehicleKwTabsheetForm::VehicleYearSpinButtonDownClick);

  // Until a proposal is loaded: nobody beyond the proposer, no business use, no restriction.
  UpdateAnyDriverFields(false);
  SetEnabledWithLabel(BusMileageNumericEdit, false);
  FillDriverLists();
}

// ---- Lookups ------------------------------------------------------------------------------------

TKwComboEdit* TVehicleKwTabsheetForm::List(const char* name) const {
  return binder_.Field<TKwComboEdit>(name);
}
TNumericEdit* TVehicleKwTabsheetForm::Number(const char* name) const {
  return binder_.Field<TNumericEdit>(name);
}
TKwYesNoDlg* TVehicleKwTabsheetForm::YesNo(const char* name) const {
  return binder_.Field<TKwYesNoDlg>(name);
}
TKwEdit* TVehicleKwTabsheetForm::Text(const char* name) const {
  return binder_.Field<TKwEdit>(name);
}

void TVehicleKwTabsheetForm::SetEnabledWithLabel(const char* field, bool enabled) {
  binder_.Control(field)->setEnabled(enabled);
  if (QLabel* label = binder_.Label(field))
    label->setEnabled(enabled);
}

// ---- Lists --------------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::VehicleMakeKwComboEditBuildList() {
  TKwComboEdit* make = List(VehicleMakeKwComboEdit);
  ListItems makes;
  // A list that cannot be read has been reported; the build is abandoned.
  if (FillEnumList(make->ListID(), makes) != 0)
    return;
  SortByText(makes.begin(), makes.end());
  makes.prepend({QStringLiteral("<Select>"), 0});
  Fill(make, makes);
  make->SetItemIndex(0);
}

void TVehicleKwTabsheetForm::VehicleModelKwComboEditBuildList() {
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  const std::int32_t make = List(VehicleMakeKwComboEdit)->SelectedCode();
  ListItems models;
  if (make <= 0) {
    models.append({QStringLiteral("<No Make Selected>"), 0});
  } else {
    FillModelList(make, Number(VehicleYearNumericEdit)->AsInteger(), QString(), models);
    // "<Select>" stays first.
    if (models.size() > 1)
      SortByText(models.begin() + 1, models.end());
  }
  Fill(model, models);
  SetEnabledWithLabel(VehicleModelKwComboEdit, models.size() > 1);
  model->SetItemIndex(0);
}

void TVehicleKwTabsheetForm::CoverKwComboEditBuildList() {
  TKwComboEdit* cover = List(CoverKwComboEdit);
  cover->ClearItems();
  cover->AddItem(QStringLiteral("Comprehensive"), Code::Comprehensive);
  cover->AddItem(QStringLiteral("Third Party, Fire and Theft"), Code::ThirdPartyFireAndTheft);
  cover->AddItem(QStringLiteral("Third Party Only"), Code::ThirdPartyOnly);
}

void TVehicleKwTabsheetForm::VoluntaryExcessAmountKwComboEditBuildList() {
  TKwComboEdit* excess = List(VoluntaryExcessAmountKwComboEdit);
  excess->ClearItems();
  for (int amount : kVoluntaryExcessAmounts)
    excess->AddItem(QString::number(amount), amount);
}

// ---- Loading ------------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::LoadDetails() {
  // Every row in table order: the model list is rebuilt for the make and year loaded before it.
  binder_.LoadAll();
  // What the loaded answers decide: the business mileage, the any-driver fields, the driver
  // lists.
  UpdateBusinessMileage();
  matchedRestriction_ = GetListValue(Id::DrivingRestriction, Cover());
  FollowRestriction(matchedRestriction_);
}

void TVehicleKwTabsheetForm::FollowRestriction(std::int32_t restriction) {
  UpdateAnyDriverFields(restriction == Code::AnyDriver);
  FillDriverLists();
}

void TVehicleKwTabsheetForm::UpdateAnyDriverFields(bool enabled) {
  SetEnabledWithLabel(YoungestDriverNumericEdit, enabled);
  SetEnabledWithLabel(FemaleDriversKwComboEdit, enabled);
  if (enabled) {
    binder_.Load(FemaleDriversKwComboEdit);
    binder_.Load(YoungestDriverNumericEdit);
  } else {
    List(FemaleDriversKwComboEdit)->SetItemIndex(-1);
    Number(YoungestDriverNumericEdit)->SetAsInteger(0);
  }
}

void TVehicleKwTabsheetForm::UpdateBusinessMileage() {
  const bool business = GetListValue(Id::VehicleUse, Vehicle()) > Code::SocialUse;
  SetEnabledWithLabel(BusMileageNumericEdit, business);
  if (!business) {
    // A use without business has no business mileage: 0 is stored through the field's row.
    Number(BusMileageNumericEdit)->SetAsInteger(0);
    binder_.Store(BusMileageNumericEdit);
  }
  binder_.Load(BusMileageNumericEdit);
}

void TVehicleKwTabsheetForm::FillDriverLists() {
  const int drivers =
      AdditionalDriversForRestriction(GetListValue(Id::DrivingRestriction, Cover()));
  TKwComboEdit* main = List(MainDriverKwComboEdit);
  TKwComboEdit* keeper = List(RegisteredKeeperKwComboEdit);
  TKwComboEdit* owner = List(RegisteredOwnerKwComboEdit);
  for (TKwComboEdit* list : {main, keeper, owner}) {
    list->ClearItems();
    list->AddItem(QStringLiteral("Proposer"), Code::ProposerAsDriver);
    for (int i = 1; i <= drivers; ++i)
      list->AddItem(QStringLiteral("Driver %1").arg(i), Code::ProposerAsDriver + i);
  }
  // Driver number d is the item at d - 1 (its code); a stored 0 selects nothing.
  const bool choice = main->ItemCount() > 1;
  for (const char* field :
       {MainDriverKwComboEdit, RegisteredKeeperKwComboEdit, RegisteredOwnerKwComboEdit}) {
    binder_.Load(field);
    SetEnabledWithLabel(field, choice);
  }
}

QString TVehicleKwTabsheetForm::ShownPostcode() const {
  return Text(PostCodeKwEdit)->Text();
}

void TVehicleKwTabsheetForm::ShowFollowedPostcode(const QString& postcode) {
  Text(PostCodeKwEdit)->SetText(postcode);
}

// ---- Year, make and model -----------------------------------------------------------------------

bool TVehicleKwTabsheetForm::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys work the spin button beside the year, which the mouse uses.
  if (watched == binder_.Control(VehicleYearNumericEdit) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      key == Qt::Key_Up ? VehicleYearSpinButtonUpClick() : VehicleYearSpinButtonDownClick();
      return true;
    }
  }
  return TCapturePage::eventFilter(watched, event);
}

void TVehicleKwTabsheetForm::VehicleYearNumericEditExit() {
  // The row has stored a changed year (corrected, without marking the proposal modified; a
  // year of 0 takes the stored year away); the models follow it.
  RebuildModelsAfterChange();
}

void TVehicleKwTabsheetForm::VehicleYearSpinButtonUpClick() {
  TNumericEdit* field = Number(VehicleYearNumericEdit);
  if (field->AsInteger() < Today().year())
    field->SetAsInteger(field->AsInteger() + 1);
  binder_.Leave(VehicleYearNumericEdit);
}

void TVehicleKwTabsheetForm::VehicleYearSpinButtonDownClick() {
  TNumericEdit* field = Number(VehicleYearNumericEdit);
  if (field->AsInteger() > 0)
    field->SetAsInteger(field->AsInteger() - 1);
  binder_.Leave(VehicleYearNumericEdit);
}

void TVehicleKwTabsheetForm::VehicleMakeKwComboEditExit() {
  // The row has stored a changed make; the models follow it.
  RebuildModelsAfterChange();
}

void TVehicleKwTabsheetForm::RebuildModelsAfterChange() {
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  model->BuildList();
  const std::int32_t stored = GetListValue(Id::VehicleModel, Vehicle());
  if (stored == 0)
    return;
  // The model stays while the new list offers it; otherwise it goes, so that the field and
  // the proposal agree (a model of another make or year would be quoted unseen).
  // The rebuilt list shows its first item, which stands for no model: storing it clears the
  // model.
  const int index = model->IndexOfCode(stored);
  if (index > 0)
    model->SetItemIndex(index);
  else
    binder_.Store(VehicleModelKwComboEdit);
}

// ---- Modifications and security devices --------------------------------------------------------

void TVehicleKwTabsheetForm::ModificationsKwYesNoDlgChange() {
  TKwYesNoDlg* answer = YesNo(ModificationsKwYesNoDlg);
  if (answer->State() != TKwYesNoState::ynNo)
    return;
  const int count = VehicleObjectCount(ObjectCode::Modification);
  if (count == 0)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo,
          QStringLiteral("Remove all entered vehicle Modifications?")) == PromptAnswer::Yes)
    DeleteVehicleObjects(ObjectCode::Modification, count);
  else
    answer->SetState(TKwYesNoState::ynYes);
}

void TVehicleKwTabsheetForm::ModificationsKwYesNoDlgCallDialog() {
  if (!ShowVehicleModifications(this))
    YesNo(ModificationsKwYesNoDlg)->SetState(TKwYesNoState::ynNo);
}

void TVehicleKwTabsheetForm::SecurityDevicesKwYesNoDlgChange() {
  TKwYesNoDlg* answer = YesNo(SecurityDevicesKwYesNoDlg);
  if (answer->State() != TKwYesNoState::ynNo)
    return;
  const int count = VehicleObjectCount(ObjectCode::SecurityDevice);
  if (count == 0)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo,
          QStringLiteral("Remove all entered Security Devices?")) == PromptAnswer::Yes)
    DeleteVehicleObjects(ObjectCode::SecurityDevice, count);
  else
    answer->SetState(TKwYesNoState::ynYes);
}

void TVehicleKwTabsheetForm::SecurityDevicesKwYesNoDlgCallDialog() {
  if (!ShowSecurityDevices(this))
    YesNo(SecurityDevicesKwYesNoDlg)->SetState(TKwYesNoState::ynNo);
}

// ---- Use, cover and drivers ---------------------------------------------------------------------

void TVehicleKwTabsheetForm::UseKwComboEditChange() {
  UpdateBusinessMileage();
}

void TVehicleKwTabsheetForm::DrivingRestrictionsKwComboEditChange() {
  // The row has stored the restriction at once (0 while none is chosen).
  FollowRestriction(List(DrivingRestrictionsKwComboEdit)->SelectedCode());
}

void TVehicleKwTabsheetForm::DrivingRestrictionsKwComboEditExit() {
  if (ReconcileDrivers(matchedRestriction_, drivingPage_) == TReconcileOutcome::Reconciled) {
    matchedRestriction_ = GetListValue(Id::DrivingRestriction, Cover());
    FillDriverLists();  // roles of removed drivers went back to the proposer
    return;
  }
  // The user kept the drivers: the restriction goes back to the one they match, in the field
  // and, through its row, in the proposal (the change already stored the new one).
  TKwComboEdit* field = List(DrivingRestrictionsKwComboEdit);
  field->SetItemIndex(field->IndexOfCode(matchedRestriction_));
  binder_.Store(DrivingRestrictionsKwComboEdit);
  FollowRestriction(matchedRestriction_);
}
