#pragma once
// TDrivingDetailsKwTabsheetForm: the capture page of an additional driver. One page object
// serves every additional driver; SelectDriver makes one of them the page's driver.

#include "capture/capturepage.h"

class TDrivingDetailsKwTabsheetForm : public TCapturePage {
  Q_OBJECT

 public:
  explicit TDrivingDetailsKwTabsheetForm(QWidget* parent = nullptr);

  // The driver shown: 1 and up, 0 (none) until the first SelectDriver with a driver.
  int CurrentDriver() const { return currentDriver_; }
  // Makes driver n (1 and up; 0 for none) the page's driver when the main window has a tab
  // for it, and reloads the fields for it.
  virtual void SelectDriver(int n);
  // Fills the fields for CurrentDriver.
  void LoadDetails() override;

 private:
  int currentDriver_ = 0;
};
