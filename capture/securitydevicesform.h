#pragma once
// TSecurityDevicesForm: the vehicle's security devices, one row each: a named device from the
// list, or an alarm, immobiliser or tracking device of unknown make, and whether the vehicle's
// manufacturer fitted it. Every change goes into the Data Server at once; devices left without a
// name are offered for removal when the dialog closes.

#include <QList>

#include "capture/fieldbinder.h"
#include "capture/vehicledetailsdialog.h"

class QGroupBox;
class QRadioButton;
class TKwComboEdit;
class TKwYesNoDlg;

class TSecurityDevicesForm : public TVehicleDetailsDialog {
  Q_OBJECT

 public:
  // The kinds of device of the radio group, in its order.
  enum TDeviceKind { dkSpecified, dkUnknownAlarm, dkUnknownImmobiliser, dkUnknownTracking };

  explicit TSecurityDevicesForm(QWidget* parent = nullptr);

  // False when the list of devices could not be read (it was reported).
  bool DevicesRead() const { return devicesRead_; }
  void RefreshList();
  void AddDevice();
  // Moves the later devices down one and deletes the last; with `refresh` the list is refilled
  // and a row shown.
  void RemoveDevice(int row, bool refresh);
  // On every attempt to close: devices without a name are removed when the user agrees. False
  // keeps the dialog open.
  bool CheckUnnamedDevices();

  TDeviceKind DeviceKind() const;
  QRadioButton* KindButton(TDeviceKind kind) const { return kinds_.at(kind); }
  TKwComboEdit* DeviceField() const;
  TKwYesNoDlg* ManufacturerFittedField() const;

 protected:
  void ShowRow(int row) override;
  QWidget* FirstDetail() const override;
  void AddClicked() override;
  void RemoveClicked() override;
  void CloseClicked() override;

 private:
  void DeviceKwComboEditBuildList();
  void DeviceTypeRadioGroupClick();
  void DeviceKwComboEditExit();
  void ManufacturerFittedKwYesNoDlgChange();
  void SetKind(TDeviceKind kind);
  void EnableDeviceName(bool enabled);
  void ShowCaption(int row);
  void ResetDetails();

  TFieldBinder binder_;
  QGroupBox* kindGroup_;
  QList<QRadioButton*> kinds_;
  bool devicesRead_ = false;
  bool showingRow_ = false;
};

// Runs the dialog for the vehicle, with a first device added when there is none. True when at
// least one device with a name is left.
bool ShowSecurityDevices(QWidget* parent);
