#pragma once
// Every modal form the controls open (the calendar, the yes/no details) runs through here, so
// that tests can drive the form instead of blocking in exec().

#include <QDialog>
#include <functional>

// Runs the dialog modally and answers its result code (QDialog::Accepted or Rejected).
int RunModalDialog(QDialog& dialog);

// What the controls seams (controls/seams.h) hold in place of exec().
using ModalDialogRunner = std::function<int(QDialog& dialog)>;
