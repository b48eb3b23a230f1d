#pragma once
// The program's swappable services, gathered per layer: each layer that has any keeps them in one
// struct named T<Layer>Seams (dataserver, platform, motor, controls, report, transmit, app),
// reached through its Current(). An empty member means the program's own behaviour. The program
// fills them once at start-up (app/seams.h, FillProgramSeams); the main window and the quotation
// workflow fill the members that point at them while they exist. Tests save the seams with a guard,
// fill what they need and get the old ones back when the guard goes.
//
// A layer's struct names only types of its own layer or below.

#include <functional>
#include <memory>
#include <tuple>

#include "dataserver/seams.h"
#include "platform/prompt.h"

struct TPlatformSeams {
  // Where message boxes and file dialogs go; nullptr is the refusing one that reports every box
  // on standard error (platform/streamprompter.h).
  std::shared_ptr<TPrompter> prompter;
  // A rejected field value; empty asks the message as an information box with OK.
  FieldErrorHandler fieldError;
  // Ending the program; empty quits the running event loop with the exit code.
  EndProgramHandler endProgram;

  static TPlatformSeams& Current();
};

using TPlatformSeamsGuard = TSeamsGuardOf<TPlatformSeams>;
