#pragma once
// The date rules of the capture pages. Periods (residency, licence held, a medical condition)
// are stored as the date they started, never as numbers: a period of N years started on today's
// day and month N years ago, a period of N months N calendar months ago.

#include <QDate>

enum class TPeriodUnit { Years, Months };

// The unit list's items, in this order.
inline constexpr const char* kYearsUnit = "Years";
inline constexpr const char* kMonthsUnit = "Months";

struct TShownPeriod {
  int Number = 0;
  TPeriodUnit Unit = TPeriodUnit::Years;
  friend bool operator==(const TShownPeriod&, const TShownPeriod&) = default;
};

// Completed years and months from the earlier date to the later (either order). A later date of
// 29 February counts as 28 February when the earlier year has no such day. False (and zeros) when
// either date is missing.
bool WholePeriod(const QDate& first, const QDate& second, int& years, int& months);
// Completed years from the date of birth to `today`; 0 for a missing date.
int AgeOn(const QDate& birth, const QDate& today);
// Days in the month (February 29 in a leap year); -1 for a month outside 1 to 12.
int DaysInMonth(int year, int month);
// The date moved by a signed number of calendar months, the day clamped to the target month.
QDate MonthsBack(const QDate& date, int months);
// The date `years` years earlier. 29 February in a year without one becomes the last day of
// that February, so a whole-years period never fails to give a start date.
QDate YearsBack(const QDate& date, int years);
// The start date of a period of `number` units ending today.
QDate PeriodStart(int number, TPeriodUnit unit, const QDate& today);
// How a page shows a stored start date: the whole years when there are any (or when the months
// are 0 too), otherwise the months. A missing date shows 0 years.
TShownPeriod PeriodShown(const QDate& start, const QDate& today);
// The start date to store when a period's fields are left showing `shown`: a null date when the
// stored start date shows that very period (passing through the fields changes nothing: the
// date of the proposal stays and it is not marked modified), otherwise PeriodStart.
QDate ChangedPeriodStart(const TShownPeriod& shown, const QDate& stored, const QDate& today);
