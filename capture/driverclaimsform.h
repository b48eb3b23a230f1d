#pragma once
// TDriverClaimsForm: a driver's accidents, losses and claims of the last three years. The dialog
// edits the page's claim records (nothing is written into the Data Server here; the page saves
// the records when the dialog is over): a list of the claims, the details of the selected one,
// and Add, Remove and Close.

#include <QGroupBox>
#include <QLabel>

#include "capture/capturedialog.h"
#include "capture/claimrecords.h"

class TKwComboEdit;
class TKwDate;
class TKwYesNoDlg;
class TNumericEdit;

class TDriverClaimsForm : public TCaptureDialog {
  Q_OBJECT

 public:
  TDriverClaimsForm(QWidget* owner, int driver, TClaimList& claims);

  // False when the claim types could not be read (the dialog is not to be shown).
  bool ListReady() const { return listReady_; }
  // The row shown in the details, -1 for none.
  int SelectedRow() const;

 protected:
  void CloseClicked() override;

 private:
  void BuildControls();
  void RefreshList();
  void AddClaim();
  void ShowRow(bool focusType);
  void RemoveClaim(int row, bool focusType);
  void RemoveClicked();
  void WriteRow(int row);
  void ResetDetails();
  TClaimRecord* Selected() const;
  void TypeLeft();
  void DateLeft();

  TClaimList& claims_;
  bool listReady_ = true;
  bool closing_ = false;
  QTreeWidget* list_ = nullptr;
  QGroupBox* details_ = nullptr;
  TKwComboEdit* type_ = nullptr;
  TKwDate* date_ = nullptr;
  TNumericEdit* cost_ = nullptr;
  TKwYesNoDlg* fault_ = nullptr;
  TKwYesNoDlg* injury_ = nullptr;
  QLabel* conviction_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Runs the claims dialog for driver n (0 the proposer) on the page's claims; true when it ended
// with OK (at least one claim is left).
bool ExecuteDriverClaims(QWidget* owner, int driver, TClaimList& claims);
