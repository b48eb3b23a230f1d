#include "transmit/sendemail.h"

#include "controls/modaldialog.h"

bool SendEMail(const QString& fileName, TConnectionMethod method, QWidget* parent) {
  TEMailForm form(fileName, method, parent);
  return RunModalDialog(form) == QDialog::Accepted;
}
