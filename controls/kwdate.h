#pragma once
// TKwDate: the self-drawn, keyboard-driven date field. In the calendar style (dsDate) the date is
// typed digit by digit into "dd/mm/yyyy" and a drop-down button opens TMyCalendar; in the period
// style (dsAge) it holds years, months and days before ("Ago") or after ("Hence") today. The
// style's rules live in a strategy object (TStandardDate, TAgeDate).

#include <QWidget>
#include <cstdint>
#include <memory>

#include "controls/datestrategies.h"
#include "controls/kwfield.h"

class TKwDate : public TKwField<QWidget, TKwDate> {
  Q_OBJECT

 public:
  explicit TKwDate(QWidget* parent = nullptr);
  ~TKwDate() override;

  TDateStyle DateStyle() const { return dateStyle_; }
  // Replaces the strategy, puts the caret at position 1 and repaints.
  void SetDateStyle(TDateStyle style);
  bool TreatTodayAsNegative() const { return state_.treatTodayAsNegative; }
  void SetTreatTodayAsNegative(bool on) { state_.treatTodayAsNegative = on; }
  // Calendar style: a date after today is refused as the field is left, with this message (a
  // date of birth); empty, the default, accepts any date.
  void SetFutureRefusal(const QString& message) { futureRefusal_ = message; }

  // Calendar style: day, month and year of the date. Period style: days, months and years.
  std::uint16_t Day() const { return state_.day; }
  std::uint16_t Month() const { return state_.month; }
  std::uint16_t Year() const { return state_.year; }
  void SetDay(std::uint16_t day);
  void SetMonth(std::uint16_t month);
  void SetYear(std::uint16_t year);
  void SetDate(std::uint16_t day, std::uint16_t month, std::uint16_t year);

  // The displayed text. Writing parses it: a calendar date as "dd/MM/yyyy" (a text that is not
  // a date changes nothing), a period as "Y.M.D [Hence/Ago]" (throws EDateFormatError).
  QString AsString() const;
  void SetAsString(const QString& text);
  // Calendar style: a date serial, 0 for no date. Period style: years * 372 + months * 31 + days,
  // negative for "Ago".
  void SetAsNumber(double value);
  double GetAsNumber() const;

  int CaretPosition() const { return state_.caret; }
  const TBaseDate& Strategy() const { return *strategy_; }

  // The drop-down button's action, also run by Enter: when the field's date is valid, shows the
  // calendar from it and stores the date chosen there.
  void DropDownCalendar();
  bool HasDropDownButton() const { return dateStyle_ == TDateStyle::dsDate; }
  QRect DropDownButtonRect() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void entered();
  // When the focus leaves the field and its date is valid.
  void exited();
  // After every edit and every date chosen in the calendar.
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void FocusGained() override;
  void FocusLost() override;
  TExitCheck CheckOnExit() override;

 private:
  static std::unique_ptr<TBaseDate> MakeStrategy(TDateStyle style);
  void MoveCaret(int position);
  void Edited();
  int TextLeft() const;
  int PositionAtX(int x) const;
  QDate CalendarStartDate() const;

  TDateStyle dateStyle_ = TDateStyle::dsDate;
  std::unique_ptr<TBaseDate> strategy_;
  TDateFieldState state_;
  bool calendarOpen_ = false;
  QString futureRefusal_;
};
