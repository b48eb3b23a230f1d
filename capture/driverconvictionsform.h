#pragma once
// TDriverConvictionsForm: a driver's motoring convictions of the last five years, edited in the
// page's conviction records as the claims dialog edits the claims. A conviction can be related
// to one of the driver's claims (the same incident), chosen in the related claim dialog.

#include <QGroupBox>

#include "capture/capturedialog.h"
#include "capture/claimrecords.h"

class TKwComboEdit;
class TKwDate;
class TKwYesNoDlg;
class TNumericEdit;

class TDriverConvictionsForm : public TCaptureDialog {
  Q_OBJECT

 public:
  TDriverConvictionsForm(QWidget* owner, int driver, TClaimList& claims,
                         TConvictionList& convictions);

  bool ListReady() const { return listReady_; }
  int SelectedRow() const;

 protected:
  void CloseClicked() override;

 private:
  void BuildControls();
  void RefreshList();
  void AddConviction();
  void ShowRow(bool focusType);
  void RemoveConviction(int row, bool focusType);
  void RemoveClicked();
  void WriteRow(int row);
  void ResetDetails();
  TConvictionRecord* Selected() const;
  void TypeLeft();
  void DateLeft();
  void RelatedClaimChanged();
  void RelatedClaimDialog();

  int driver_;
  TClaimList& claims_;
  TConvictionList& convictions_;
  bool listReady_ = true;
  bool closing_ = false;
  QTreeWidget* list_ = nullptr;
  QGroupBox* details_ = nullptr;
  TKwComboEdit* type_ = nullptr;
  TKwDate* date_ = nullptr;
  TNumericEdit* ban_ = nullptr;
  TNumericEdit* points_ = nullptr;
  TNumericEdit* fine_ = nullptr;
  TKwYesNoDlg* claim_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Runs the convictions dialog for driver n (0 the proposer); true when it ended with OK.
bool ExecuteDriverConvictions(QWidget* owner, int driver, TClaimList& claims,
                              TConvictionList& convictions);
