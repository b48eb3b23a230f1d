#pragma once
// Whole years and months between two dates, as the engine's age fields and the proposal listing
// count them.

#include "dataserver/packeddate.h"

struct TWholePeriod {
  int Years = 0;
  int Months = 0;  // 0..11 beyond the whole years
  int TotalMonths() const { return Years * 12 + Months; }
};

// Counts from the earlier of the two dates to the later, whichever order they are given in.
// When the earlier date's year is not a leap year, a later date of 29 February counts as
// 28 February.
TWholePeriod WholeYearsAndMonthsBetween(const TCalendarDate& first, const TCalendarDate& second);

// The same for packed dates. False (and a zero period) when either names no calendar date.
bool WholeYearsAndMonthsBetween(PackedDate first, PackedDate second, TWholePeriod& period);
