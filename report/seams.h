#pragma once
// The report layer's seams (see platform/seams.h for how seams are kept, filled and saved).

#include "controls/seams.h"
#include "report/summaryprinting.h"

struct TReportSeams {
  // Chooses the printer in place of Qt's print dialog; empty shows the dialog.
  TPrintDialogRunner printDialog;

  static TReportSeams& Current();
};

using TReportSeamsGuard = TSeamsGuardOf<TPlatformSeams, TMotorSeams, TControlsSeams, TReportSeams>;
