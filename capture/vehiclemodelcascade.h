#pragma once
// TVehicleModelCascade: the year, make and model of the vehicle page. The make list is the
// Data Server's makes in alphabetical order; the model list offers the models of the chosen make
// and year, and follows a changed make or year, keeping the stored model while the new list
// offers it. The spin button beside the year, and the arrow keys in the year, step the year.
//
// The page's field table holds the three rows and names the handlers below; the rows store the
// year, make and model, the cascade rebuilds the model list after their store.

#include <QObject>

#include "capture/fieldbinder.h"

class TSpinButton;

class TVehicleModelCascade : public QObject {
  Q_OBJECT

 public:
  // The spin button is made on `page`.
  TVehicleModelCascade(QWidget* page, TFieldBinder& binder);

  // Once the rows are built: makes the spin button beside the year (the page lays it out) and
  // lets it and the year's arrow keys step the year.
  TSpinButton* MakeYearSpin();

  // ---- The rows' handlers.
  void VehicleMakeKwComboEditBuildList();
  void VehicleModelKwComboEditBuildList();
  // Run only after the row stored a changed year or make.
  void VehicleYearNumericEditExit();
  void VehicleMakeKwComboEditExit();
  // The spin button's clicks: a year one up (not beyond this year) or down (not below 0), then
  // what leaving the year runs.
  void VehicleYearSpinButtonUpClick();
  void VehicleYearSpinButtonDownClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The model list is rebuilt for the make and year; a user's change keeps the stored model
  // when the new list still offers it and clears it otherwise.
  void RebuildModelsAfterChange();

  QWidget* page_;
  TFieldBinder& binder_;
};
