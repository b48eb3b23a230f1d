#pragma once
// TDriverClaimsForm: a driver's accidents, losses and claims of the last three years. The dialog
// edits the page's claim records (nothing is written into the Data Server here; the page saves
// the records when the dialog is over): a list of the claims, the details of the selected one,
// and Add, Remove and Close.

#include <QLabel>

#include "capture/claimrecords.h"
#include "capture/recordlistdialog.h"

class TKwDate;
class TKwYesNoDlg;
class TNumericEdit;

class TDriverClaimsForm : public TRecordListDialog {
  Q_OBJECT

 public:
  TDriverClaimsForm(QWidget* owner, int driver, TClaimList& claims);

 protected:
  int StoredCount() const override { return claims_.Count(); }
  void WriteRow(int row) override;
  void ResetDetails() override;
  void ShowRecord(int row) override;
  void StoreKey(int row, std::int32_t code) override;
  bool RemoveRecord(int row) override;
  void AddRecord() override;
  void ListViewClick() override;

 private:
  void BuildControls();
  // Showing the clicked row, the focus on the claim type.
  void ClaimsPZListViewClick();
  TClaimRecord* Selected() const;
  // The fields' exits store into the selected claim (the records, not the Data Server).
  void DateLeft();
  void CostLeft();
  void FaultLeft();
  void InjuryLeft();

  TClaimList& claims_;
  TKwComboEdit* type_ = nullptr;
  TKwDate* date_ = nullptr;
  TNumericEdit* cost_ = nullptr;
  TKwYesNoDlg* fault_ = nullptr;
  TKwYesNoDlg* injury_ = nullptr;
  QLabel* conviction_ = nullptr;
};

// Runs the claims dialog for driver n (0 the proposer) on the page's claims; true when it ended
// with OK (at least one claim is left).
bool ExecuteDriverClaims(QWidget* owner, int driver, TClaimList& claims);
