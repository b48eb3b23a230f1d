#pragma once
// TMedicalConditionsForm: a driver's medical conditions, each written straight into its
// medical-condition object (15, n), (21, i) as its fields are left.

#include <QGroupBox>

#include "capture/capturedialog.h"

class TKwComboEdit;
class TKwYesNoDlg;
class TNumericEdit;

class TMedicalConditionsForm : public TCaptureDialog {
  Q_OBJECT

 public:
  TMedicalConditionsForm(QWidget* owner, int driver);

  bool ListReady() const { return listReady_; }
  int SelectedRow() const;

 protected:
  // Ends with OK when at least one condition is listed, otherwise with Cancel.
  void CloseClicked() override;

 private:
  void BuildControls();
  TPath Condition(int row) const;
  void RefreshList();
  void AddCondition();
  void ShowRow(bool focusCondition);
  void RemoveCondition(int row, bool focusCondition);
  void RemoveClicked();
  void WriteRow(int row);
  void ResetDetails();
  void ConditionLeft();
  void PeriodLeft();
  void AnswerLeft(TKwYesNoDlg* answer, std::int32_t id);
  void StoreRequirementsMet();

  int driver_;
  bool listReady_ = true;
  bool closing_ = false;
  QTreeWidget* list_ = nullptr;
  QGroupBox* details_ = nullptr;
  TKwComboEdit* condition_ = nullptr;
  TNumericEdit* period_ = nullptr;
  TKwComboEdit* unit_ = nullptr;
  TKwYesNoDlg* dvla_ = nullptr;
  TKwYesNoDlg* modified_ = nullptr;
  TKwYesNoDlg* restriction_ = nullptr;
  TKwYesNoDlg* complied_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* close_ = nullptr;
};

// True when the dialog ended with OK.
bool ExecuteMedicalConditions(QWidget* owner, int driver);
