// Helpers that act on the main window through its link: driver tabs, the main driver, the close
// query, tab selection, locking group boxes and scaling forms. Without a main window they do
// nothing (and answer as an empty window would).

#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

// "Proposer" and "Vehicle" come before the driver tabs.
constexpr int kTabsBeforeDrivers = 2;
constexpr int kVehicleTab = 1;

int PageTabCount() {
  TMainWindowLink* link = MainWindowLink();
  return link != nullptr ? link->PageTabCount() : 0;
}

}  // namespace

void SetMainDriver(int n) {
  SetListValue(Id::MainDriver, {VehiclePath()}, n);
  // Every tab but the vehicle's is a driver's: the proposer is driver 1, path index 0.
  for (int i = 1; i <= PageTabCount() - 1; ++i)
    SetListValue(Id::MainOrFrequentDriver, {DriverPath(i - 1)},
                 i == n ? Code::MainDriver : Code::FrequentDriver);
}

void AddDriverTab() {
  TMainWindowLink* link = MainWindowLink();
  if (link == nullptr)
    return;
  if (GetListValue(Id::DrivingRestriction, {CoverPath()}) == Code::ProposerAndSpouse) {
    link->AddPageTab(QStringLiteral("Spouse"));
    return;
  }
  link->AddPageTab(QStringLiteral("Additional Driver: %1").arg(link->PageTabCount() - 1));
}

bool ConfirmDriverRemoval(int wantedAdditionalDrivers) {
  int current = PageTabCount() - kTabsBeforeDrivers;
  if (wantedAdditionalDrivers >= current)
    return true;
  PromptAnswer answer =
      Ask(PromptKind::Confirmation, PromptButtons::OkCancel,
          QStringLiteral("There are currently %1 additional driver(s) on the system.\rDo you want "
                         "to remove the last %2 driver(s)?")
              .arg(current)
              .arg(current - wantedAdditionalDrivers));
  SelectMainTab(kVehicleTab);
  if (TMainWindowLink* link = MainWindowLink())
    link->FocusDrivingRestrictions();
  return answer == PromptAnswer::Ok;
}

bool QuerySaveChanges() {
  if (!IsModified())
    return true;
  switch (Ask(PromptKind::Confirmation, PromptButtons::YesNoCancel,
              QStringLiteral("The current details have changed\rSave Changes?"))) {
    case PromptAnswer::Yes: {
      TMainWindowLink* link = MainWindowLink();
      return link != nullptr && link->SaveProposal();
    }
    case PromptAnswer::No:
      return true;
    default:
      return false;
  }
}

void SelectMainTab(int index) {
  if (TMainWindowLink* link = MainWindowLink())
    link->SelectPageTab(index);
}

void LockGroupBox(QObject* groupBox, bool locked) {
  TMainWindowLink* link = MainWindowLink();
  if (link == nullptr || groupBox == nullptr)
    return;
  link->SetControlEnabled(groupBox, !locked);
  for (QObject* control : groupBox->children())
    link->SetControlEnabled(control, !locked);
}

void ScaleMainForm(QObject* form) {
  TMainWindowLink* link = MainWindowLink();
  if (link == nullptr || form == nullptr)
    return;
  double factor = link->ScreenScaleFactor();
  QSize size = link->FormSize(form);
  int width = qRound(size.width() * factor);
  int height = qRound(size.height() * factor);
  if (factor > 1)
    height -= 20;
  link->ResizeForm(form, QSize(width, height));
  link->SetScrollRangesToClientSize(form);
}
