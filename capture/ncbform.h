#pragma once
// TNCBForm: the proposer's no-claims bonus, kept on the vehicle's no-claims bonus object
// (6, 0), (96, 0); each field is written as it is left.

#include "capture/capturedialog.h"

class TNumericEdit;

class TNCBForm : public TCaptureDialog {
  Q_OBJECT

 public:
  explicit TNCBForm(QWidget* owner);

 protected:
  // Ends with Yes when bonus years are given, otherwise with No.
  void CloseClicked() override;

 private:
  TNumericEdit* years_ = nullptr;
  QPushButton* close_ = nullptr;
};

// True when the dialog ended with Yes.
bool ExecuteNCB(QWidget* owner);
