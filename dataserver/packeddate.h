#pragma once
// Dates held as one 32-bit value: year * 65536 + month * 256 + day.

#include <cstdint>

using PackedDate = std::int32_t;

struct TCalendarDate {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

bool IsLeapYear(int year);
bool IsValidCalendarDate(int year, int month, int day);
PackedDate PackDate(int year, int month, int day);
// Splits a packed date. A value that names no calendar date (month 13, day 0, ...) converts to
// "no date": the result is false and the fields are zero.
bool UnpackDate(PackedDate packed, TCalendarDate& date);
// Today's date on the local clock, packed.
PackedDate TodayPacked();
