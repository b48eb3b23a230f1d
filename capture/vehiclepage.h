#pragma once
// TVehicleKwTabsheetForm: the capture page of the vehicle and the cover (tab "Vehicle"): the car,
// its use, the cover and voluntary excess, who may drive it, and who its main driver, keeper and
// owner are. Every answer goes into the Data Server as the field is left or changed.
//
// The page builds its fields from one field table and runs the handlers the rows name; the
// year, make and model cascade (capture/vehiclemodelcascade.h) and who may drive the vehicle
// (capture/vehicledrivers.h) are handled by classes the page owns.

#include <vector>

#include "capture/capturepage.h"
#include "capture/fieldbinder.h"
#include "capture/vehicledrivers.h"
#include "capture/vehiclemodelcascade.h"

class QFrame;
class QGridLayout;
class TDrivingDetailsKwTabsheetForm;
class TKwComboEdit;
class TKwEdit;
class TKwYesNoDlg;
class TNumericEdit;
class TSpinButton;

class TVehicleKwTabsheetForm : public TCapturePage {
  Q_OBJECT

 public:
  explicit TVehicleKwTabsheetForm(QWidget* parent = nullptr);

  // Fills every field from the Data Server.
  void LoadDetails() override;
  // The page that shows the additional drivers: told to show no driver before drivers go.
  void SetDrivingPage(TDrivingDetailsKwTabsheetForm* page) { drivers_.SetDrivingPage(page); }

  // Business mileage is asked only for a business use; otherwise it is stored as 0.
  void UpdateBusinessMileage();

  // The postcode field's text.
  QString ShownPostcode() const;

 public slots:
  // The proposer's postcode, which the vehicle's follows while the two are the same: the
  // proposer page has stored it for the vehicle; the field shows it.
  void ShowFollowedPostcode(const QString& postcode);

 private:
  // Construction. Each row names its handlers (the page's below, the cascade's, the drivers'),
  // or, where the binder's store is all a handler does, its name.
  std::vector<TFieldRow> FieldTable();
  void CreateFields();
  void LayOutFields();
  QFrame* MakeBevel(const QString& name);
  void AddFormRow(QGridLayout* grid, int row, int column, const char* field);

  // Lists.
  void CoverKwComboEditBuildList();
  void VoluntaryExcessAmountKwComboEditBuildList();

  // Field handlers, run by the binder after its own store.
  void ModificationsKwYesNoDlgChange();
  void ModificationsKwYesNoDlgCallDialog();
  void SecurityDevicesKwYesNoDlgChange();
  void SecurityDevicesKwYesNoDlgCallDialog();
  void UseKwComboEditChange();

  TKwComboEdit* List(const char* name) const;
  TNumericEdit* Number(const char* name) const;
  TKwYesNoDlg* YesNo(const char* name) const;
  TKwEdit* Text(const char* name) const;

  TFieldBinder binder_{this};
  TVehicleModelCascade models_{this, binder_};
  TVehicleDrivers drivers_{binder_};
  TSpinButton* yearSpin_ = nullptr;
};
