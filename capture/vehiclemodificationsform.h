#pragma once
// TVehicleModificationsForm: the vehicle's non-standard modifications, one row each, with the
// type and whether it was made because of a medical condition. Every change goes into the Data
// Server at once.

#include "capture/fieldbinder.h"
#include "capture/vehicledetailsdialog.h"

class TKwComboEdit;
class TKwYesNoDlg;
class TPendingClick;

class TVehicleModificationsForm : public TVehicleDetailsDialog {
  Q_OBJECT

 public:
  explicit TVehicleModificationsForm(QWidget* parent = nullptr);

  // False when the list of modification types could not be read (it was reported).
  bool TypesRead() const { return typesRead_; }
  // One row per modification of the vehicle.
  void RefreshList();
  // A new modification with no type yet, selected.
  void AddModification();
  // Moves the later modifications down one and deletes the last; the list is refilled.
  void RemoveModification(int row);

  TKwComboEdit* TypeField() const;
  TKwYesNoDlg* InjuryField() const;

 protected:
  void ShowRow(int row) override;
  QWidget* FirstDetail() const override;
  void AddClicked() override;
  void RemoveClicked() override;
  void CloseClicked() override;

 private:
  void TypeKwComboEditBuildList();
  void TypeKwComboEditChange();
  void TypeKwComboEditExit();
  void InjuryKwYesNoDlgExit();
  void ShowCaption(int row);
  void ResetDetails();

  TFieldBinder binder_;
  bool typesRead_ = false;
  bool closing_ = false;
  // Add pressed by the mouse while the modification has no type: the question comes first,
  // then Add acts once (after Yes) or not at all.
  TPendingClick* pendingClick_ = nullptr;
};

// Runs the dialog for the vehicle, with a first modification added when there is none. True
// when it ended with OK (at least one modification is left).
bool ShowVehicleModifications(QWidget* parent);
