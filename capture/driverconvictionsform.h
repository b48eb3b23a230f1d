#pragma once
// TDriverConvictionsForm: a driver's motoring convictions of the last five years, edited in the
// page's conviction records as the claims dialog edits the claims. A conviction can be related
// to one of the driver's claims (the same incident), chosen in the related claim dialog.

#include "capture/claimrecords.h"
#include "capture/recordlistdialog.h"

class TKwDate;
class TKwYesNoDlg;
class TNumericEdit;

class TDriverConvictionsForm : public TRecordListDialog {
  Q_OBJECT

 public:
  TDriverConvictionsForm(QWidget* owner, int driver, TClaimList& claims,
                         TConvictionList& convictions);

 protected:
  int StoredCount() const override { return convictions_.Count(); }
  void WriteRow(int row) override;
  void ResetDetails() override;
  void ShowRecord(int row) override;
  void StoreKey(int row, std::int32_t code) override;
  bool RemoveRecord(int row) override;
  void AddRecord() override;

 private:
  void BuildControls();
  TConvictionRecord* Selected() const;
  // The fields' exits store into the selected conviction (the records, not the Data Server).
  void DateLeft();
  void BanLeft();
  void PointsLeft();
  void FineLeft();
  void RelatedClaimChanged();
  void RelatedClaimDialog();

  int driver_;
  TClaimList& claims_;
  TConvictionList& convictions_;
  TKwComboEdit* type_ = nullptr;
  TKwDate* date_ = nullptr;
  TNumericEdit* ban_ = nullptr;
  TNumericEdit* points_ = nullptr;
  TNumericEdit* fine_ = nullptr;
  TKwYesNoDlg* claim_ = nullptr;
};

// Runs the convictions dialog for driver n (0 the proposer); true when it ended with OK.
bool ExecuteDriverConvictions(QWidget* owner, int driver, TClaimList& claims,
                              TConvictionList& convictions);
