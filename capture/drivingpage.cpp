#include "capture/drivingpage.h"

#include "motor/mainwindowlink.h"

namespace {

// "Proposer" and "Vehicle" come before the first driver's tab.
constexpr int kTabsBeforeDrivers = 2;

}  // namespace

TDrivingDetailsKwTabsheetForm::TDrivingDetailsKwTabsheetForm(QWidget* parent)
    : TCapturePage(parent) {
  setObjectName(QStringLiteral("TDrivingDetailsKwTabsheetForm"));
}

void TDrivingDetailsKwTabsheetForm::SelectDriver(int n) {
  TMainWindowLink* window = MainWindowLink();
  const int tabs = window != nullptr ? window->PageTabCount() : 0;
  // Driver n's tab must exist; 0 (no driver) always does.
  if (n != currentDriver_ && tabs >= n + kTabsBeforeDrivers) {
    currentDriver_ = n;
    if (n > 0)
      LoadDetails();
  }
}

void TDrivingDetailsKwTabsheetForm::LoadDetails() {
  // The driver's fields read themselves back here once the page has them.
}
