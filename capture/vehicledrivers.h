#pragma once
// TVehicleDrivers: who may drive the vehicle, on the vehicle page. The driving restriction
// enables the youngest driver's age and the sex of drivers (any driver only) and decides how many
// additional drivers the main driver, keeper and owner lists offer. Leaving the restriction
// brings the driver tabs and driver objects in line with it (capture/driverreconciliation.h),
// or, when the user keeps the drivers, puts back the restriction they match.
//
// The page's field table holds the rows and names the handlers below; the rows store the
// answers, the roles' items are driver numbers (the proposer is driver 1).

#include <cstdint>

class TDrivingDetailsKwTabsheetForm;
class TFieldBinder;

class TVehicleDrivers {
 public:
  explicit TVehicleDrivers(TFieldBinder& binder) : binder_(binder) {}

  // The page that shows the additional drivers: told to show no driver before drivers go.
  void SetDrivingPage(TDrivingDetailsKwTabsheetForm* page) { drivingPage_ = page; }

  // After the rows loaded: the drivers match the stored restriction, which the any-driver
  // fields and the driver lists follow.
  void Load();

  // Enables the youngest-driver age and the sex of drivers (showing the stored answers), or
  // disables and empties them.
  void UpdateAnyDriverFields(bool enabled);
  // Rebuilds the main driver, keeper and owner lists for the drivers the restriction allows.
  void FillDriverLists();

  // ---- The restriction row's handlers.
  void DrivingRestrictionsKwComboEditChange();
  void DrivingRestrictionsKwComboEditExit();

 private:
  // The any-driver fields and the driver lists follow the restriction.
  void FollowRestriction(std::int32_t restriction);

  TFieldBinder& binder_;
  TDrivingDetailsKwTabsheetForm* drivingPage_ = nullptr;
  // The restriction the driver tabs match (the one loaded, or the last one reconciled).
  std::int32_t matchedRestriction_ = 0;
};
