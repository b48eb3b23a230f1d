#pragma once
// TKwYesNoDlg: answers a yes/no question and, when the answer calls for details, offers an
// ellipsis button that opens them: the built-in pop-up (TYesNoDlg) or, for dtUserDefined, the
// page's own dialog through OnCallDialog.

#include <QWidget>

#include "controls/datestrategies.h"
#include "controls/kwfield.h"
#include "controls/yesnodata.h"

class TKwYesNoDlg : public TKwField<QWidget, TKwYesNoDlg> {
  Q_OBJECT

 public:
  static const QString kNoDetailsWarning;

  explicit TKwYesNoDlg(QWidget* parent = nullptr);

  TKwYesNoState State() const { return state_; }
  // The pages' assignment (no OnChange): re-evaluates "armed" and, when not armed, clears the
  // stored details. Anything but ynYes is taken as ynNo.
  void SetState(TKwYesNoState state);
  TCallDialogOn CallDialogOn() const { return callDialogOn_; }
  void SetCallDialogOn(TCallDialogOn on);
  TDialogType DialogType() const { return dialogType_; }
  void SetDialogType(TDialogType type) { dialogType_ = type; }
  bool AutoPopUp() const { return autoPopUp_; }
  void SetAutoPopUp(bool on) { autoPopUp_ = on; }
  // Warn on leaving when armed details were not opened since this was set.
  bool DataWarning() const { return dataWarning_; }
  void SetDataWarning(bool on);
  TDateStyle DateStyle() const { return dateStyle_; }
  void SetDateStyle(TDateStyle style) { dateStyle_ = style; }
  QString AmtTitle() const { return data_.amountTitle; }
  void SetAmtTitle(const QString& title) { data_.amountTitle = title; }

  // The details kept for the built-in pop-up.
  const TYesNoData& Data() const { return data_; }
  void SetData(const TYesNoData& data) { data_ = data; }

  // The current answer matches CallDialogOn.
  bool Armed() const;
  bool HasButton() const { return callDialogOn_ != TCallDialogOn::cdNone; }
  bool DetailsOpened() const { return detailsOpened_; }
  bool ButtonLooksPressed() const { return buttonLooksPressed_; }
  QRect ButtonRect() const;

  // Opens the details when armed (also run by Enter and the ellipsis button).
  void CallDialog();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void entered();
  void exited();
  // After the user changes the answer.
  void changed();
  // The details of type dtUserDefined: the page opens its own dialog.
  void callDialog();
  // After the stored details were cleared.
  void clearUserData();
  // The control's click, as the details open.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void FocusGained() override;
  void FocusLost() override;
  TExitCheck CheckOnExit() override;

 private:
  void UserSetState(TKwYesNoState state);
  void Toggle();
  void ClearDetails();
  QRect TextRect() const;
  void DrawEllipsis(QPainter& painter, const QRect& button) const;

  TKwYesNoState state_ = TKwYesNoState::ynNo;
  TCallDialogOn callDialogOn_ = TCallDialogOn::cdNone;
  TDialogType dialogType_ = TDialogType::dtMemo;
  bool autoPopUp_ = false;
  bool dataWarning_ = false;
  TDateStyle dateStyle_ = TDateStyle::dsDate;
  TYesNoData data_;
  bool detailsOpened_ = false;
  bool warningDue_ = false;
  bool buttonHeld_ = false;
  bool buttonLooksPressed_ = false;
  bool callingDialog_ = false;
};
