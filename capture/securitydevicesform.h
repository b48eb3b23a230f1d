#pragma once
// TSecurityDevicesForm: the vehicle's security devices, one row each: a named device from the
// list, or an alarm, immobiliser or tracking device of unknown make, and whether the vehicle's
// manufacturer fitted it. Both fields store through their rows into the selected device at once;
// devices left without a name are offered for removal when the dialog closes.

#include <QList>

#include "capture/recordlistdialog.h"

class QRadioButton;
class TKwComboEdit;
class TKwYesNoDlg;

class TSecurityDevicesForm : public TRecordListDialog {
  Q_OBJECT

 public:
  // The kinds of device of the radio group, in its order.
  enum TDeviceKind { dkSpecified, dkUnknownAlarm, dkUnknownImmobiliser, dkUnknownTracking };

  explicit TSecurityDevicesForm(QWidget* parent = nullptr);

  // False when the list of devices could not be read (it was reported).
  bool DevicesRead() const { return devicesRead_; }
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
  int StoredCount() const override;
  void WriteRow(int row) override;
  void ResetDetails() override;
  void ShowRecord(int row) override;
  bool RemoveRecord(int row) override;
  void AddRecord() override;
  // The checked kind of device.
  QWidget* FirstDetail() const override;
  // A click on a row only moves the focus to the details (selecting it has shown it).
  void ListViewClick() override;
  // Asks and removes; the focus stays on Remove.
  void RemoveClicked() override;
  // FormCloseQuery: closes only when no unnamed device is left.
  void Closing() override;

 private:
  // The path of the selected device; empty when no row is selected.
  TPath SelectedDevice() const;
  void DeviceKwComboEditBuildList();
  void DeviceTypeRadioGroupClick();
  void DeviceKwComboEditExit();
  void SetKind(TDeviceKind kind);
  void EnableDeviceName(bool enabled);

  QList<QRadioButton*> kinds_;
  bool devicesRead_ = false;
};

// Runs the dialog for the vehicle, with a first device added when there is none. True when at
// least one device with a name is left.
bool ShowSecurityDevices(QWidget* parent);
