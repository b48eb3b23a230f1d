#include "app/seams.h"

#include <utility>

TAppSeams& TAppSeams::Current() {
  static TAppSeams seams;
  return seams;
}

void FillProgramSeams(std::shared_ptr<TPrompter> prompter, ModalDialogRunner forms) {
  TPlatformSeams::Current().prompter = std::move(prompter);
  TControlsSeams::Current().modalDialog = std::move(forms);
  TAppSeams::Current().acceptance = RunAcceptanceWizard;
}
