#include "controls/modaldialog.h"

namespace {

ModalDialogRunner& CurrentRunner() {
  static ModalDialogRunner runner;
  return runner;
}

}  // namespace

int RunModalDialog(QDialog& dialog) {
  if (CurrentRunner())
    return CurrentRunner()(dialog);
  return dialog.exec();
}

ModalDialogRunner SetModalDialogRunner(ModalDialogRunner runner) {
  ModalDialogRunner previous = CurrentRunner();
  CurrentRunner() = std::move(runner);
  return previous;
}
