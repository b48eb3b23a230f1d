#pragma once
// TMedicalConditionsForm: a driver's medical conditions, each written straight into its
// medical-condition object (15, n), (21, i) as its fields are left.

#include "capture/recordlistdialog.h"
#include "motor/getmotordsv.h"

class TKwYesNoDlg;
class TNumericEdit;

class TMedicalConditionsForm : public TRecordListDialog {
  Q_OBJECT

 public:
  TMedicalConditionsForm(QWidget* owner, int driver);

 protected:
  // The conditions up to the first one without a condition chosen.
  int StoredCount() const override;
  void WriteRow(int row) override;
  void ResetDetails() override;
  void ShowRecord(int row) override;
  void StoreKey(int row, std::int32_t code) override;
  bool RemoveRecord(int row) override;
  void AddRecord() override;

 private:
  void BuildControls();
  TPath Condition(int row) const;
  // The selected condition's path; empty when no row is selected.
  TPath SelectedCondition() const;
  void StoreRequirementsMet();

  int driver_;
  TKwComboEdit* condition_ = nullptr;
  TNumericEdit* period_ = nullptr;
  TKwComboEdit* unit_ = nullptr;
  TKwYesNoDlg* dvla_ = nullptr;
  TKwYesNoDlg* modified_ = nullptr;
  TKwYesNoDlg* restriction_ = nullptr;
  TKwYesNoDlg* complied_ = nullptr;
};

// True when the dialog ended with OK.
bool ExecuteMedicalConditions(QWidget* owner, int driver);
