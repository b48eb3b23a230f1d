#pragma once
// TVehicleModificationsForm: the vehicle's non-standard modifications, one row each, with the
// type and whether it was made because of a medical condition. Every change goes into the Data
// Server at once, through the fields' rows. The type is the record's key (recordlistdialog.h): a
// modification left without a type is removed, after asking.

#include "capture/recordlistdialog.h"
#include "motor/getmotordsv.h"

class TKwComboEdit;
class TKwYesNoDlg;

class TVehicleModificationsForm : public TRecordListDialog {
  Q_OBJECT

 public:
  explicit TVehicleModificationsForm(QWidget* parent = nullptr);

  // False when the list of modification types could not be read (it was reported).
  bool TypesRead() const { return typesRead_; }
  // A new modification with no type yet, selected.
  void AddModification();
  // Moves the later modifications down one and deletes the last; the list is refilled.
  void RemoveModification(int row);

  TKwComboEdit* TypeField() const;
  TKwYesNoDlg* InjuryField() const;

 protected:
  int StoredCount() const override;
  void WriteRow(int row) override;
  void ResetDetails() override;
  void ShowRecord(int row) override;
  void StoreKey(int row, std::int32_t code) override;
  bool RemoveRecord(int row) override;
  void AddRecord() override;
  // A click on a row only moves the focus to the type (selecting it has shown it).
  void ListViewClick() override;
  // Asks and removes; the focus stays on Remove.
  void RemoveClicked() override;
  // A modification still without a type goes; OK when at least one is left.
  void Closing() override;

 private:
  void TypeKwComboEditBuildList();
  void TypeKwComboEditChange();
  // The selected modification's path; empty when no row is selected.
  TPath SelectedModification() const;

  bool typesRead_ = false;
};

// Runs the dialog for the vehicle, with a first modification added when there is none. True
// when it ended with OK (at least one modification is left).
bool ShowVehicleModifications(QWidget* parent);
