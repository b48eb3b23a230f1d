#pragma once
// Bringing the additional drivers in line with the driving restriction, when the user leaves the
// vehicle page's restriction field: driver tabs and driver objects are removed (after the user
// agrees) or added, and the vehicle's main driver, keeper and owner are kept pointing at drivers
// that still exist.

#include <QString>
#include <cstdint>

class TDrivingDetailsKwTabsheetForm;

// The vehicle's roles that went back to the proposer because their driver was removed.
struct TRolesReset {
  bool MainDriver = false;
  bool Owner = false;
  bool Keeper = false;

  bool Any() const { return MainDriver || Owner || Keeper; }
};

// The message telling the user which roles went back to the proposer.
QString RolesResetMessage(const TRolesReset& roles);

// What the drivers were brought to.
enum class TReconcileOutcome {
  Reconciled,  // the tabs and driver objects match the stored restriction
  Declined,    // the user kept the drivers; nothing was changed
};

// Brings the driver tabs and the driver objects to the number the stored restriction gives.
// `previousRestriction` is the restriction the drivers matched until now: a change to the
// proposer and spouse writes the spouse's defaults (relationship, the proposer's opposite sex,
// the proposer's marital status) to driver 1. The driver page is told to show no driver before
// any driver goes. Without a main window nothing is done.
TReconcileOutcome ReconcileDrivers(std::int32_t previousRestriction,
                                   TDrivingDetailsKwTabsheetForm* drivingPage);

// The spouse's defaults for driver 1, from the proposer's answers.
void WriteSpouseDefaults();
