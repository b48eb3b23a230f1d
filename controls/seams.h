#pragma once
// The controls layer's seams (see platform/seams.h for how seams are kept, filled and saved).

#include "controls/beep.h"
#include "controls/modaldialog.h"
#include "controls/today.h"
#include "motor/seams.h"

struct TControlsSeams {
  // Runs every modal form the program opens; empty runs exec(). The start-up check fills in one
  // that reports each form; tests drive the form instead of blocking.
  ModalDialogRunner modalDialog;
  // Today's date as the fields see it; empty is the local clock.
  TodayProvider today;
  // The sound of a refused key; empty is the system beep.
  BeepHandler beep;

  static TControlsSeams& Current();
};

using TControlsSeamsGuard = TSeamsGuardOf<TPlatformSeams, TMotorSeams, TControlsSeams>;
