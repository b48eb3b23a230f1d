#include "dataserver/wholeperiod.h"

namespace {

bool IsBefore(const TCalendarDate& a, const TCalendarDate& b) {
  if (a.Year != b.Year)
    return a.Year < b.Year;
  if (a.Month != b.Month)
    return a.Month < b.Month;
  return a.Day < b.Day;
}

}  // namespace

TWholePeriod WholeYearsAndMonthsBetween(const TCalendarDate& first, const TCalendarDate& second) {
  TCalendarDate early = first;
  TCalendarDate late = second;
  if (IsBefore(late, early)) {
    early = second;
    late = first;
  }
  // A later 29 February counts as 28 February when the earlier date's year has no such day.
  if (!IsLeapYear(early.Year) && late.Month == 2 && late.Day == 29)
    late.Day = 28;

  TWholePeriod period;
  period.Years = late.Year - early.Year;
  if (early.Month > late.Month || (early.Month == late.Month && early.Day > late.Day)) {
    --period.Years;
    period.Months = 12 - (early.Month - late.Month);
  } else {
    period.Months = late.Month - early.Month;
  }
  if (late.Day < early.Day)
    --period.Months;
  return period;
}

bool WholeYearsAndMonthsBetween(PackedDate first, PackedDate second, TWholePeriod& period) {
  period = TWholePeriod{};
  TCalendarDate a;
  TCalendarDate b;
  if (!UnpackDate(first, a) || !UnpackDate(second, b))
    return false;
  period = WholeYearsAndMonthsBetween(a, b);
  return true;
}
