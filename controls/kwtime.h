#pragma once
// TKwTime: the self-drawn hours-and-minutes field, typed digit by digit into "hh:mm".

#include <QWidget>
#include <cstdint>

#include "controls/kwfield.h"

class TKwTime : public TKwField<QWidget, TKwTime> {
  Q_OBJECT

 public:
  explicit TKwTime(QWidget* parent = nullptr);

  int Hour() const { return hour_; }
  int Minute() const { return minute_; }
  // Values outside 0-23 and 0-59 are ignored.
  void SetHour(int hour);
  void SetMinute(int minute);
  // "hh:mm"; writing takes "h:mm" or "hh:mm" and ignores anything else.
  QString AsString() const;
  void SetAsString(const QString& text);

  // Caret positions: 1-2 hour digits, 3 ":", 4-5 minute digits.
  int CaretPosition() const { return caret_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void entered();
  void exited();
  // After every typed digit, Backspace, Delete and ":" that moved the caret.
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void FocusGained() override;
  void FocusLost() override;

 private:
  // False when the digit is refused.
  bool TypeDigit(int digit);
  void TypeColon();
  void MoveCaret(int position);
  void Edited();
  int PositionAtX(int x) const;

  int hour_ = 12;
  int minute_ = 0;
  int caret_ = 1;
  bool oneHourDigitTyped_ = false;
};
