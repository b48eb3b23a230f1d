#pragma once
// The motor layer's seams (see platform/seams.h for how seams are kept, filled and saved).

#include "motor/mainwindowlink.h"
#include "platform/seams.h"

struct TMotorSeams {
  // The main window the binding's helpers act on; nullptr before it is created, after it is
  // gone and in tools. The window fills it in itself while it exists; tests fill in a fake.
  TMainWindowLink* mainWindowLink = nullptr;

  static TMotorSeams& Current();
};

using TMotorSeamsGuard = TSeamsGuardOf<TPlatformSeams, TMotorSeams>;
