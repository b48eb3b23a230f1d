#pragma once
// TDrivingDetailsKwTabsheetForm: the capture page of an additional driver. One page object
// serves every additional driver; SelectDriver makes one of them the page's driver. Beside what
// every driver page has, it holds the driver's relationship to the proposer.

#include "capture/driverdetailspage.h"

class TDrivingDetailsKwTabsheetForm : public TDriverDetailsPage {
  Q_OBJECT

 public:
  static const QString kSelectAnItem;

  explicit TDrivingDetailsKwTabsheetForm(QWidget* parent = nullptr);

  // The driver shown: 1 and up, 0 (none) until the first SelectDriver with a driver.
  int CurrentDriver() const { return currentDriver_; }
  int Driver() const override { return currentDriver_; }
  // Makes driver n (1 and up; 0 for none) the page's driver when the main window has a tab
  // for it, and reloads the fields for it; the relationship is fixed for a spouse.
  virtual void SelectDriver(int n);
  // Fills the fields for CurrentDriver (nothing while no driver is shown).
  void LoadDetails() override;

 private:
  // The relationship to the proposer.
  void AddOwnPersonalRow(QFormLayout* group) override;
  // Runs after the row stored a chosen relationship; one left without a choice gets a warning.
  void RelationshipKwComboEditExit();

  int currentDriver_ = 0;
};
