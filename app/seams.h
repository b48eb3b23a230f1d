#pragma once
// The program's seams, all in one place: each layer keeps its own in a struct named alike, and
// this header reaches every one of them.
//   TDataServerSeams (dataserver/seams.h)  durableFault (the tests' failing disk)
//   TPlatformSeams (platform/seams.h)  prompter, fieldError, endProgram
//   TMotorSeams (motor/seams.h)        mainWindowLink
//   TControlsSeams (controls/seams.h)  modalDialog, today, beep
//   TReportSeams (report/seams.h)      printDialog
//   TTransmitSeams (transmit/seams.h)  emailDialUp, rasBackend
//   TAppSeams (here)                   quote, acceptance, urlOpener
// Who fills them in the program: FillProgramSeams at start-up (the prompter, the form runner of
// the start-up check, the acceptance wizard); the main window while it exists (mainWindowLink,
// fieldError); the quotation workflow while it exists (quote). Everything else keeps the
// program's own behaviour. What the program hears about (the modified state, stored answers, the
// hints setting) comes as signals instead: motor/modifiedstate.h, settings/optionsnotifier.h.
//
// Tests: create a TSeamsGuard (or the guard of their layer), fill in what they need; every seam
// is back as it was when the guard goes.

#include <memory>

#include "app/acceptancehook.h"
#include "app/quotehook.h"
#include "app/rates.h"
#include "transmit/seams.h"

struct TAppSeams {
  // Starts a quotation; empty disables the Quote commands.
  TQuoteHandler quote;
  // Takes an accepted quotation; empty does nothing.
  TAcceptanceHandler acceptance;
  // Opens a web page; empty is the desktop's URL handler.
  TUrlOpener urlOpener;

  static TAppSeams& Current();
};

using TSeamsGuard = TSeamsGuardOf<TDataServerSeams, TPlatformSeams, TMotorSeams, TControlsSeams,
                                  TReportSeams, TTransmitSeams, TAppSeams>;

// The program's seams at start-up, before anything asks the user: `prompter` for every box,
// `forms` for every modal form (empty runs them as usual), and the acceptance wizard for an
// accepted quotation.
void FillProgramSeams(std::shared_ptr<TPrompter> prompter, ModalDialogRunner forms = {});
