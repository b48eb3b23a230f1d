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

// Years from here on are taken as typed; smaller numbers are the last two digits of a 19xx year.
constexpr int kFirstFullYear = 1900;
constexpr int kVoluntaryExcessAmounts[] = {0, 50, 100, 150, 200, 250};

int Truncated(double value) {
  return static_cast<int>(value);
}

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

TKwYesNoState Answer(bool yes) {
  return yes ? TKwYesNoState::ynYes : TKwYesNoState::ynNo;
}

}  // namespace

TVehicleKwTabsheetForm::TVehicleKwTabsheetForm(QWidget* parent) : TCapturePage(parent) {
  setObjectName(QStringLiteral("TVehicleKwTabsheetForm"));
  CreateFields();
  LayOutFields();

  // The lists the page builds itself; setting a list's identifier builds it.
  TKwComboEdit* make = List(VehicleMakeKwComboEdit);
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  TKwComboEdit* cover = List(CoverKwComboEdit);
  TKwComboEdit* excess = List(VoluntaryExcessAmountKwComboEdit);
  connect(make, &TKwComboEdit::buildList, this,
          &TVehicleKwTabsheetForm::VehicleMakeKwComboEditBuildList);
  connect(model, &TKwComboEdit::buildList, this,
          &TVehicleKwTabsheetForm::VehicleModelKwComboEditBuildList);
  connect(cover, &TKwComboEdit::buildList, this,
          &TVehicleKwTabsheetForm::CoverKwComboEditBuildList);
  connect(excess, &TKwComboEdit::buildList, this,
          &TVehicleKwTabsheetForm::VoluntaryExcessAmountKwComboEditBuildList);
  make->SetListID(ListId::Makes);
  model->SetListID(ListId::Models);
  cover->BuildList();
  excess->BuildList();

  // The field handlers. The binder's stores, connected when it made the fields, come first.
  TNumericEdit* year = Number(VehicleYearNumericEdit);
  connect(year, &TNumericEdit::exited, this, &TVehicleKwTabsheetForm::VehicleYearNumericEditExit);
  year->installEventFilter(this);
  connect(yearSpin_, &TSpinButton::upClicked, this,
          &TVehicleKwTabsheetForm::VehicleYearSpinButtonUpClick);
  connect(yearSpin_, &TSpinButton::downClicked, this,
          &TVehicleKwTabsheetForm::VehicleYearSpinButtonDownClick);
  connect(&binder_, &TFieldBinder::stored, this, [this, make](QWidget* control) {
    if (control == make)
      RebuildModelsAfterChange();
  });
  connect(Text(PostCodeKwEdit), &TKwEdit::exited, this,
          &TVehicleKwTabsheetForm::PostCodeKwEditExit);
  connect(YesNo(ModificationsKwYesNoDlg), &TKwYesNoDlg::changed, this,
          &TVehicleKwTabsheetForm::ModificationsKwYesNoDlgChange);
  connect(YesNo(ModificationsKwYesNoDlg), &TKwYesNoDlg::callDialog, this,
          &TVehicleKwTabsheetForm::ModificationsKwYesNoDlgCallDialog);
  connect(YesNo(SecurityDevicesKwYesNoDlg), &TKwYesNoDlg::changed, this,
          &TVehicleKwTabsheetForm::SecurityDevicesKwYesNoDlgChange);
  connect(YesNo(SecurityDevicesKwYesNoDlg), &TKwYesNoDlg::callDialog, this,
          &TVehicleKwTabsheetForm::SecurityDevicesKwYesNoDlgCallDialog);
  connect(List(UseKwComboEdit), &TKwComboEdit::changed, this,
          &TVehicleKwTabsheetForm::UpdateBusinessMileage);
  connect(excess, &TKwComboEdit::changed, this,
          &TVehicleKwTabsheetForm::VoluntaryExcessAmountKwComboEditChange);
  TKwComboEdit* restriction = List(DrivingRestrictionsKwComboEdit);
  connect(restriction, &TKwComboEdit::changed, this,
          &TVehicleKwTabsheetForm::DrivingRestrictionsKwComboEditChange);
  connect(restriction, &TKwComboEdit::exited, this,
          &TVehicleKwTabsheetForm::DrivingRestrictionsKwComboEditExit);
  connect(List(MainDriverKwComboEdit), &TKwComboEdit::changed, this,
          &TVehicleKwTabsheetForm::MainDriverKwComboEditChange);
  connect(List(RegisteredKeeperKwComboEdit), &TKwComboEdit::changed, this,
          &TVehicleKwTabsheetForm::RegisteredKeeperKwComboEditChange);
  connect(List(RegisteredOwnerKwComboEdit), &TKwComboEdit::changed, this,
          &TVehicleKwTabsheetForm::RegisteredOwnerKwComboEditChange);

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

int TVehicleKwTabsheetForm::StoredYear() const {
  const QDate date = GetDateValue(Id::VehicleYear, Vehicle());
  return date.isValid() ? date.year() : 0;
}

void TVehicleKwTabsheetForm::LoadDetails() {
  Number(VehicleYearNumericEdit)->SetAsInteger(StoredYear());
  binder_.Load(VehicleMakeKwComboEdit);
  List(VehicleModelKwComboEdit)->BuildList();
  binder_.Load(VehicleModelKwComboEdit);

  binder_.Load(LHDKwYesNoDlg);
  Number(SeatsNumericEdit)->SetAsInteger(Truncated(GetNumericValue(Id::Seats, Vehicle())));
  binder_.Load(RegNoKwEdit);
  binder_.Load(ValueNumericEdit);
  Number(PrivateMileageNumericEdit)
      ->SetAsInteger(Truncated(GetNumericValue(Id::PrivateMileage, Vehicle())));
  binder_.Load(LocationKwComboEdit);
  binder_.Load(PostCodeKwEdit);
  binder_.Load(LeaseKwYesNoDlg);
  YesNo(ModificationsKwYesNoDlg)
      ->SetState(Answer(VehicleObjectCount(ObjectCode::Modification) > 0));
  YesNo(SecurityDevicesKwYesNoDlg)
      ->SetState(Answer(VehicleObjectCount(ObjectCode::SecurityDevice) > 0));

  binder_.Load(UseKwComboEdit);
  binder_.Load(GoodsKwYesNoDlg);
  UpdateBusinessMileage();
  binder_.Load(CoverKwComboEdit);

  matchedRestriction_ = GetListValue(Id::DrivingRestriction, Cover());
  ShowRestriction(matchedRestriction_);
  ShowVoluntaryExcess();
}

void TVehicleKwTabsheetForm::ShowVoluntaryExcess() {
  TKwComboEdit* excess = List(VoluntaryExcessAmountKwComboEdit);
  const int stored = Truncated(GetNumericValue(Id::VoluntaryExcess, Cover()));
  int index = excess->ItemCount() - 1;
  for (int i = 0; i < excess->ItemCount(); ++i) {
    if (excess->ItemCode(i) >= stored) {
      index = i;
      break;
    }
  }
  excess->SetItemIndex(index);
}

void TVehicleKwTabsheetForm::ShowRestriction(std::int32_t restriction) {
  TKwComboEdit* field = List(DrivingRestrictionsKwComboEdit);
  field->SetItemIndex(field->IndexOfCode(restriction));
  UpdateAnyDriverFields(restriction == Code::AnyDriver);
  FillDriverLists();
}

void TVehicleKwTabsheetForm::UpdateAnyDriverFields(bool enabled) {
  SetEnabledWithLabel(YoungestDriverNumericEdit, enabled);
  SetEnabledWithLabel(FemaleDriversKwComboEdit, enabled);
  TKwComboEdit* sex = List(FemaleDriversKwComboEdit);
  TNumericEdit* youngest = Number(YoungestDriverNumericEdit);
  if (enabled) {
    sex->SetItemIndex(sex->IndexOfCode(GetListValue(Id::SexOfDrivers, Cover())));
    youngest->SetAsInteger(Truncated(GetNumericValue(Id::YoungestDriverAge, Cover())));
  } else {
    sex->SetItemIndex(-1);
    youngest->SetAsInteger(0);
  }
}

void TVehicleKwTabsheetForm::UpdateBusinessMileage() {
  const bool business = GetListValue(Id::VehicleUse, Vehicle()) > Code::SocialUse;
  SetEnabledWithLabel(BusMileageNumericEdit, business);
  if (!business)
    SetNumericValue(Id::BusinessMileage, Vehicle(), 0);
  Number(BusMileageNumericEdit)
      ->SetAsInteger(Truncated(GetNumericValue(Id::BusinessMileage, Vehicle())));
}

void TVehicleKwTabsheetForm::SelectDriverRole(TKwComboEdit* list, std::int32_t stored) {
  // A stored 0 selects nothing; driver number d is the item at d - 1.
  list->SetItemIndex(stored > 0 ? stored - 1 : -1);
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
  SelectDriverRole(main, GetListValue(Id::MainDriver, Vehicle()));
  SelectDriverRole(owner, GetListValue(Id::RegisteredOwner, Vehicle()));
  SelectDriverRole(keeper, GetListValue(Id::RegisteredKeeper, Vehicle()));
  const bool choice = main->ItemCount() > 1;
  for (const char* field :
       {MainDriverKwComboEdit, RegisteredKeeperKwComboEdit, RegisteredOwnerKwComboEdit})
    SetEnabledWithLabel(field, choice);
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
  TNumericEdit* field = Number(VehicleYearNumericEdit);
  int year = field->AsInteger();
  if (year == StoredYear())
    return;
  if (year != 0) {
    const int typed = year;
    year = year >= kFirstFullYear ? std::min(year, Today().year()) : year % 100 + kFirstFullYear;
    field->SetAsInteger(year);
    // Two digits are read as 19xx by design; any other change is told, not made silently.
    if (typed >= 100 && typed != year) {
      ShowFieldError(field,
                     QStringLiteral("%1 is not a year a vehicle can have been made in.\rThe year "
                                    "has been changed to %2; please check it.")
                         .arg(typed)
                         .arg(year),
                     false);
    }
  }
  // Without marking the proposal modified; a year of 0 takes the stored year away, so that the
  // proposal does not keep a year the field no longer shows.
  SetDateValue(Id::VehicleYear, Vehicle(), year != 0 ? QDate(year, 1, 1) : QDate(), false, false);
  RebuildModelsAfterChange();
}

void TVehicleKwTabsheetForm::VehicleYearSpinButtonUpClick() {
  TNumericEdit* field = Number(VehicleYearNumericEdit);
  if (field->AsInteger() < Today().year())
    field->SetAsInteger(field->AsInteger() + 1);
  VehicleYearNumericEditExit();
}

void TVehicleKwTabsheetForm::VehicleYearSpinButtonDownClick() {
  TNumericEdit* field = Number(VehicleYearNumericEdit);
  if (field->AsInteger() > 0)
    field->SetAsInteger(field->AsInteger() - 1);
  VehicleYearNumericEditExit();
}

void TVehicleKwTabsheetForm::RebuildModelsAfterChange() {
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  model->BuildList();
  const std::int32_t stored = GetListValue(Id::VehicleModel, Vehicle());
  if (stored == 0)
    return;
  // The model stays while the new list offers it; otherwise it goes, so that the field and
  // the proposal agree (a model of another make or year would be quoted unseen).
  const int index = model->IndexOfCode(stored);
  if (index > 0)
    model->SetItemIndex(index);
  else
    SetListValue(Id::VehicleModel, Vehicle(), 0);
}

// ---- Postcode -----------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::PostCodeKwEditExit() {
  TKwEdit* field = Text(PostCodeKwEdit);
  QString postcode = field->Text();
  ValidatePostcode(field, postcode);
  field->SetText(postcode);
  binder_.Store(PostCodeKwEdit);
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

// ---- Cover and drivers --------------------------------------------------------------------------

void TVehicleKwTabsheetForm::VoluntaryExcessAmountKwComboEditChange() {
  TKwComboEdit* excess = List(VoluntaryExcessAmountKwComboEdit);
  if (excess->ItemIndex() >= 0)
    SetNumericValue(Id::VoluntaryExcess, Cover(), excess->SelectedCode());
}

void TVehicleKwTabsheetForm::DrivingRestrictionsKwComboEditChange() {
  const std::int32_t restriction = List(DrivingRestrictionsKwComboEdit)->SelectedCode();
  SetListValue(Id::DrivingRestriction, Cover(), restriction);
  UpdateAnyDriverFields(restriction == Code::AnyDriver);
  FillDriverLists();
}

void TVehicleKwTabsheetForm::DrivingRestrictionsKwComboEditExit() {
  if (ReconcileDrivers(matchedRestriction_, drivingPage_) == TReconcileOutcome::Reconciled) {
    matchedRestriction_ = GetListValue(Id::DrivingRestriction, Cover());
    FillDriverLists();  // roles of removed drivers went back to the proposer
    return;
  }
  // The user kept the drivers: the restriction goes back to the one they match, in the field
  // and in the proposal (the change already stored the new one).
  SetListValue(Id::DrivingRestriction, Cover(), matchedRestriction_);
  ShowRestriction(matchedRestriction_);
}

void TVehicleKwTabsheetForm::MainDriverKwComboEditChange() {
  TKwComboEdit* list = List(MainDriverKwComboEdit);
  if (list->ItemIndex() >= 0)
    SetMainDriver(list->SelectedCode());
}

void TVehicleKwTabsheetForm::RegisteredKeeperKwComboEditChange() {
  TKwComboEdit* list = List(RegisteredKeeperKwComboEdit);
  if (list->ItemIndex() >= 0)
    SetRegisteredKeeper(list->SelectedCode());
}

void TVehicleKwTabsheetForm::RegisteredOwnerKwComboEditChange() {
  TKwComboEdit* list = List(RegisteredOwnerKwComboEdit);
  if (list->ItemIndex() >= 0)
    SetRegisteredOwner(list->SelectedCode());
}
