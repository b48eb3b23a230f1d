#pragma once
// TMyCalendar: the date field's drop-down calendar, a modal form "Select a Date" with a month
// list, a year field with spin buttons and the calendar grid. OK, or a double-click on a day,
// chooses the date shown.

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QComboBox;
class QPushButton;
class TNumericEdit;
class TSpinButton;

class TMyCalendar : public QDialog {
  Q_OBJECT

 public:
  explicit TMyCalendar(QWidget* parent = nullptr);

  // Shows the date: the grid, the month list and the year field follow it.
  void SetDate(const QDate& date);
  QDate Date() const;

  QComboBox* MonthCombo() const { return monthCombo_; }
  TNumericEdit* YearNumericEdit() const { return yearEdit_; }
  TSpinButton* YearSpinButton() const { return yearSpin_; }
  QCalendarWidget* Calendar1() const { return calendar_; }
  QPushButton* OKBitBtn() const { return okButton_; }
  QPushButton* CancelBitBtn() const { return cancelButton_; }

 private:
  // Moves the grid to a month, keeping the selected day within it.
  void MoveTo(int year, int month);
  void ShowPage(int year, int month);
  void YearEdited();
  void YearLeft();
  void StepYear(int step);

  QComboBox* monthCombo_;
  TNumericEdit* yearEdit_;
  TSpinButton* yearSpin_;
  QCalendarWidget* calendar_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  int shownYear_ = 0;
  bool syncing_ = false;
};

// Shows the calendar for a field, placed below it, starting from `date`; answers whether a date
// was chosen (then in `date`).
bool ShowCalendar(QWidget* field, QDate& date);
