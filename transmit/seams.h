#pragma once
// The transmit layer's seams (see platform/seams.h for how seams are kept, filled and saved).

#include <memory>

#include "report/seams.h"
#include "transmit/emaildialup.h"
#include "transmit/rasbackend.h"

struct TTransmitSeams {
  // Makes the e-mail dialog's dial-up connection; empty (or a factory answering nullptr) makes
  // the program's own on a TRAS component.
  TEMailDialUpFactory emailDialUp;
  // The backend TRAS objects use unless given one; nullptr is NetworkManager on the system bus.
  std::shared_ptr<TRasBackend> rasBackend;

  static TTransmitSeams& Current();
};

using TTransmitSeamsGuard =
    TSeamsGuardOf<TPlatformSeams, TMotorSeams, TControlsSeams, TReportSeams, TTransmitSeams>;
