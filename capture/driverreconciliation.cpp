#include "capture/driverreconciliation.h"

#include <QStringList>

#include "capture/drivingpage.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"
#include "platform/prompt.h"

namespace {

// "Proposer" and "Vehicle" come before the driver tabs.
constexpr int kTabsBeforeDrivers = 2;
constexpr int kFirstDriverTab = kTabsBeforeDrivers;

// The roles name drivers from 1 (the proposer); additional driver i is i + 1.
constexpr std::int32_t LastDriverNumber(int additionalDrivers) {
  return additionalDrivers + 1;
}

TRolesReset ResetRolesBeyond(int additionalDrivers) {
  const std::int32_t last = LastDriverNumber(additionalDrivers);
  TRolesReset reset;
  reset.MainDriver = GetListValue(Id::MainDriver, Vehicle()) > last;
  reset.Owner = GetListValue(Id::RegisteredOwner, Vehicle()) > last;
  reset.Keeper = GetListValue(Id::RegisteredKeeper, Vehicle()) > last;
  if (reset.MainDriver)
    SetMainDriver(Code::ProposerAsDriver);
  if (reset.Owner)
    SetRegisteredOwner(Code::ProposerAsDriver);
  if (reset.Keeper)
    SetRegisteredKeeper(Code::ProposerAsDriver);
  return reset;
}

}  // namespace

QString RolesResetMessage(const TRolesReset& roles) {
  QStringList names;
  if (roles.MainDriver)
    names << QStringLiteral("the Main Driver");
  if (roles.Keeper)
    names << QStringLiteral("the Registered Keeper");
  if (roles.Owner)
    names << QStringLiteral("the Registered Owner");
  QString part;
  if (names.size() == 1) {
    part = names.first();
  } else if (names.size() > 1) {
    const QString last = names.takeLast();
    part = QStringLiteral("either ") + names.join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           last;
  }
  return QStringLiteral("One or more of the drivers that is to be removed\r is set as ") + part +
         QStringLiteral("\rThese values will now be set to the proposer");
}

void WriteSpouseDefaults() {
  const TPath proposer{DriverPath(0)};
  const TPath spouse{DriverPath(1)};
  SetListValue(Id::Relationship, spouse, Code::Spouse);
  const bool proposerMale = GetListValue(Id::Sex, proposer) == Code::Male;
  SetListValue(Id::Sex, spouse, proposerMale ? Code::Female : Code::Male);
  SetListValue(Id::MaritalStatus, spouse, GetListValue(Id::MaritalStatus, proposer));
}

TReconcileOutcome ReconcileDrivers(std::int32_t previousRestriction,
                                   TDrivingDetailsKwTabsheetForm* drivingPage) {
  TMainWindowLink* window = MainWindowLink();
  if (window == nullptr)
    return TReconcileOutcome::Reconciled;
  const std::int32_t restriction = GetListValue(Id::DrivingRestriction, {CoverPath()});
  const int wanted = AdditionalDriversForRestriction(restriction);
  const bool spouse = restriction == Code::ProposerAndSpouse;
  // Nothing is written before the user agrees: Cancel leaves every answer as it was.
  if (!ConfirmDriverRemoval(wanted))
    return TReconcileOutcome::Declined;
  if (spouse)
    SetListValue(Id::Relationship, {DriverPath(1)}, Code::Spouse);

  if (drivingPage != nullptr)
    drivingPage->SelectDriver(0);
  while (window->PageTabCount() > wanted + kTabsBeforeDrivers) {
    DeleteObject({DriverPath(window->PageTabCount() - kTabsBeforeDrivers)});
    window->RemoveLastPageTab();
  }
  while (window->PageTabCount() < wanted + kTabsBeforeDrivers)
    AddDriverTab();
  // Answers written for a driver beyond the tabs (a restriction passed over on the way to this
  // one) would be quoted and checked with no page to show them.
  for (int driver = StoredAdditionalDrivers(); driver > wanted; --driver)
    DeleteObject({DriverPath(driver)});
  if (wanted > 0) {
    window->SetPageTabCaption(kFirstDriverTab, spouse ? QStringLiteral("Spouse")
                                                      : QStringLiteral("Additional Driver: 1"));
  }
  // The spouse's defaults go in once, when the spouse arrives; afterwards they are the user's.
  if (spouse && previousRestriction != Code::ProposerAndSpouse)
    WriteSpouseDefaults();

  const TRolesReset reset = ResetRolesBeyond(wanted);
  if (reset.Any())
    Ask(PromptKind::Confirmation, PromptButtons::Ok, RolesResetMessage(reset));
  return TReconcileOutcome::Reconciled;
}
