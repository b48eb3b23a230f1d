#include "capture/vehicledrivers.h"

#include "capture/driverreconciliation.h"
#include "capture/fieldbinder.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/numericedit.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"

using namespace VehicleField;

void TVehicleDrivers::Load() {
  matchedRestriction_ = GetListValue(Id::DrivingRestriction, Cover());
  FollowRestriction(matchedRestriction_);
}

void TVehicleDrivers::FollowRestriction(std::int32_t restriction) {
  UpdateAnyDriverFields(restriction == Code::AnyDriver);
  FillDriverLists();
}

void TVehicleDrivers::UpdateAnyDriverFields(bool enabled) {
  binder_.SetEnabled(YoungestDriverNumericEdit, enabled);
  binder_.SetEnabled(FemaleDriversKwComboEdit, enabled);
  if (enabled) {
    binder_.Load(FemaleDriversKwComboEdit);
    binder_.Load(YoungestDriverNumericEdit);
  } else {
    binder_.Field<TKwComboEdit>(FemaleDriversKwComboEdit)->SetItemIndex(-1);
    binder_.Field<TNumericEdit>(YoungestDriverNumericEdit)->SetAsInteger(0);
  }
}

void TVehicleDrivers::FillDriverLists() {
  const int drivers =
      AdditionalDriversForRestriction(GetListValue(Id::DrivingRestriction, Cover()));
  const char* const roles[] = {MainDriverKwComboEdit, RegisteredKeeperKwComboEdit,
                               RegisteredOwnerKwComboEdit};
  for (const char* role : roles) {
    auto* list = binder_.Field<TKwComboEdit>(role);
    list->ClearItems();
    list->AddItem(QStringLiteral("Proposer"), Code::ProposerAsDriver);
    for (int i = 1; i <= drivers; ++i)
      list->AddItem(QStringLiteral("Driver %1").arg(i), Code::ProposerAsDriver + i);
  }
  // Driver number d is the item at d - 1 (its code); a stored 0 selects nothing.
  const bool choice = binder_.Field<TKwComboEdit>(MainDriverKwComboEdit)->ItemCount() > 1;
  for (const char* role : roles) {
    binder_.Load(role);
    binder_.SetEnabled(role, choice);
  }
}

void TVehicleDrivers::DrivingRestrictionsKwComboEditChange() {
  // The row has stored the restriction at once (0 while none is chosen).
  FollowRestriction(binder_.Field<TKwComboEdit>(DrivingRestrictionsKwComboEdit)->SelectedCode());
}

void TVehicleDrivers::DrivingRestrictionsKwComboEditExit() {
  if (ReconcileDrivers(matchedRestriction_, drivingPage_) == TReconcileOutcome::Reconciled) {
    matchedRestriction_ = GetListValue(Id::DrivingRestriction, Cover());
    FillDriverLists();  // roles of removed drivers went back to the proposer
    return;
  }
  // The user kept the drivers: the restriction goes back to the one they match, in the field
  // and, through its row, in the proposal (the change already stored the new one).
  auto* field = binder_.Field<TKwComboEdit>(DrivingRestrictionsKwComboEdit);
  field->SetItemIndex(field->IndexOfCode(matchedRestriction_));
  binder_.Store(DrivingRestrictionsKwComboEdit);
  FollowRestriction(matchedRestriction_);
}
