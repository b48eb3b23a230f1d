#pragma once
// TYesNoDlg: the yes/no control's built-in details pop-up, a borderless form with an amount, a
// date and a one-line note, the fields shown according to the control's dialog type.

#include <QDialog>
#include <QPlainTextEdit>

#include "controls/datestrategies.h"
#include "controls/yesnodata.h"

class QLabel;
class QPushButton;
class TKwDate;
class TKwYesNoDlg;
class TNumericEdit;

// The note: at most 250 characters; Enter belongs to the form (a line break needs Ctrl+Enter).
class TNoteMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  static constexpr int kMaxLength = 250;
  explicit TNoteMemo(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void LimitLength();
};

class TYesNoDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TYesNoDlg(QWidget* parent = nullptr);

  // Shows the fields of the dialog type, filled from the stored details; a disabled control's
  // details are read-only and cannot be confirmed.
  void Setup(TDialogType type, TDateStyle dateStyle, bool enabled, const TYesNoData& data);
  // The details as confirmed: the note without line breaks, the amount and the date.
  TYesNoData Result(const TYesNoData& original) const;

  QLabel* AmtLabel() const { return amtLabel_; }
  TNumericEdit* AmtNumericEdit() const { return amtEdit_; }
  TKwDate* DateKwDate() const { return dateEdit_; }
  QPushButton* OKBitBtn() const { return okButton_; }
  QPushButton* CancelBitBtn() const { return cancelButton_; }
  TNoteMemo* StringMemo() const { return memo_; }

 private:
  QLabel* amtLabel_;
  TNumericEdit* amtEdit_;
  TKwDate* dateEdit_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  TNoteMemo* memo_;
};

// Opens the pop-up for a control, below it, on `data`; answers whether it was confirmed (then
// with the new details in `data`).
bool ShowYesNoDetails(TKwYesNoDlg* control, TYesNoData& data);
