#include "capture/vehiclepage.h"

#include "capture/securitydevicesform.h"
#include "capture/vehiclemodificationsform.h"
#include "capture/vehicleobjects.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

using namespace VehicleField;

constexpr int kVoluntaryExcessAmounts[] = {0, 50, 100, 150, 200, 250};

}  // namespace

TVehicleKwTabsheetForm::TVehicleKwTabsheetForm(QWidget* parent) : TCapturePage(parent) {
  setObjectName(QStringLiteral("TVehicleKwTabsheetForm"));
  // The field table builds, loads and stores every field and runs the handlers its rows name.
  CreateFields();
  LayOutFields();

  // Until a proposal is loaded: nobody beyond the proposer, no business use, no restriction.
  drivers_.UpdateAnyDriverFields(false);
  EnableWithLabel(binder_, BusMileageNumericEdit, false);
  drivers_.FillDriverLists();
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

// ---- Lists --------------------------------------------------------------------------------------

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
  drivers_.Load();
}

void TVehicleKwTabsheetForm::UpdateBusinessMileage() {
  const bool business = GetListValue(Id::VehicleUse, Vehicle()) > Code::SocialUse;
  EnableWithLabel(binder_, BusMileageNumericEdit, business);
  if (!business) {
    // A use without business has no business mileage: 0 is stored through the field's row.
    Number(BusMileageNumericEdit)->SetAsInteger(0);
    binder_.Store(BusMileageNumericEdit);
  }
  binder_.Load(BusMileageNumericEdit);
}

QString TVehicleKwTabsheetForm::ShownPostcode() const {
  return Text(PostCodeKwEdit)->Text();
}

void TVehicleKwTabsheetForm::ShowFollowedPostcode(const QString& postcode) {
  Text(PostCodeKwEdit)->SetText(postcode);
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

// ---- Use ---------------------------------------------------------------------------------------

void TVehicleKwTabsheetForm::UseKwComboEditChange() {
  UpdateBusinessMileage();
}
