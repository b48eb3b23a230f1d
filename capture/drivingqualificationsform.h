#pragma once
// TDrivingQualificationsForm: a driver's Pass Plus, advanced-driving and defensive-driving
// answers, written into the driver's qualifications object (15, n), (22, 0) as each changes.

#include "capture/capturedialog.h"

class TKwYesNoDlg;

class TDrivingQualificationsForm : public TCaptureDialog {
  Q_OBJECT

 public:
  TDrivingQualificationsForm(QWidget* owner, int driver);

 protected:
  // Ends with Yes when any answer is Yes, otherwise with No.
  void CloseClicked() override;

 private:
  TPath Qualifications() const;
  void AdvancedKwYesNoDlgChange();

  int driver_;
  TKwYesNoDlg* passPlus_ = nullptr;
  TKwYesNoDlg* advanced_ = nullptr;
  TKwYesNoDlg* defensive_ = nullptr;
  QPushButton* close_ = nullptr;
};

// True when the dialog ended with Yes.
bool ExecuteDrivingQualifications(QWidget* owner, int driver);
