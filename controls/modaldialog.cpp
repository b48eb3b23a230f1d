#include "controls/modaldialog.h"

#include "controls/seams.h"

int RunModalDialog(QDialog& dialog) {
  if (const ModalDialogRunner& runner = TControlsSeams::Current().modalDialog)
    return runner(dialog);
  return dialog.exec();
}
