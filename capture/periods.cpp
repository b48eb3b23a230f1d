#include "capture/periods.h"

#include "dataserver/packeddate.h"
#include "dataserver/wholeperiod.h"

bool WholePeriod(const QDate& first, const QDate& second, int& years, int& months) {
  years = 0;
  months = 0;
  if (!first.isValid() || !second.isValid())
    return false;
  const TWholePeriod period =
      WholeYearsAndMonthsBetween(TCalendarDate{first.year(), first.month(), first.day()},
                                 TCalendarDate{second.year(), second.month(), second.day()});
  years = period.Years;
  months = period.Months;
  return true;
}

int AgeOn(const QDate& birth, const QDate& today) {
  int years = 0;
  int months = 0;
  WholePeriod(birth, today, years, months);
  return years;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return -1;
  if (month == 2 && IsLeapYear(year))
    return 29;
  return kDays[month - 1];
}

QDate MonthsBack(const QDate& date, int months) {
  if (!date.isValid())
    return QDate();
  // Months counted from year 0 so that negative moves carry into the years as well.
  const int target = date.year() * 12 + (date.month() - 1) + months;
  const int year = target / 12;
  const int month = target % 12 + 1;
  const int day = qMin(date.day(), DaysInMonth(year, month));
  return QDate(year, month, day);
}

QDate YearsBack(const QDate& date, int years) {
  if (!date.isValid())
    return QDate();
  const int year = date.year() - years;
  return QDate(year, date.month(), qMin(date.day(), DaysInMonth(year, date.month())));
}

QDate PeriodStart(int number, TPeriodUnit unit, const QDate& today) {
  return unit == TPeriodUnit::Months ? MonthsBack(today, -number) : YearsBack(today, number);
}

TShownPeriod PeriodShown(const QDate& start, const QDate& today) {
  int years = 0;
  int months = 0;
  if (start.isValid())
    WholePeriod(start, today, years, months);
  if (years != 0 || months == 0)
    return {years, TPeriodUnit::Years};
  return {months, TPeriodUnit::Months};
}

QDate ChangedPeriodStart(const TShownPeriod& shown, const QDate& stored, const QDate& today) {
  if (PeriodShown(stored, today) == shown)
    return QDate();
  return PeriodStart(shown.Number, shown.Unit, today);
}
