#pragma once
// TOtherVehiclesForm: the other vehicles a driver owns or uses, and a company car. Unlike the
// other detail dialogs it keeps its values until Close, which writes them all to the driver.

#include "capture/capturedialog.h"
#include "capture/companycarform.h"

class TKwYesNoDlg;
class TNumericEdit;

class TOtherVehiclesForm : public TCaptureDialog {
  Q_OBJECT

 public:
  TOtherVehiclesForm(QWidget* owner, int driver);

 protected:
  // Writes the values; ends with Yes when any vehicle, claim-free year or company car is given.
  void CloseClicked() override;

 private:
  void CompanyCarChanged();
  void CompanyCarDialog();
  // The field's number checked against its property's bound (refused with its message).
  bool Acceptable(TNumericEdit* field) const;

  int driver_;
  TCompanyCar companyCar_;
  TNumericEdit* owned_ = nullptr;
  TNumericEdit* claimFree_ = nullptr;
  TNumericEdit* driven_ = nullptr;
  TKwYesNoDlg* companyCarAnswer_ = nullptr;
  QPushButton* close_ = nullptr;
};

// True when the dialog ended with Yes.
bool ExecuteOtherVehicles(QWidget* owner, int driver);
