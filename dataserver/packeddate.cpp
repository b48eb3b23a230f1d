#include "dataserver/packeddate.h"

#include <ctime>

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsValidCalendarDate(int year, int month, int day) {
  // Years 1..9999 are the range every date in the program can be shown and stored in.
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
    return false;
  static const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int days = kDaysInMonth[month - 1];
  if (month == 2 && IsLeapYear(year))
    days = 29;
  return day <= days;
}

PackedDate PackDate(int year, int month, int day) {
  // Assembled unsigned so a year above 32767 wraps instead of overflowing a signed int.
  const auto packed = (static_cast<std::uint32_t>(year) << 16) +
                      (static_cast<std::uint32_t>(month & 0xFF) << 8) +
                      static_cast<std::uint32_t>(day & 0xFF);
  return static_cast<PackedDate>(packed);
}

bool UnpackDate(PackedDate packed, TCalendarDate& date) {
  const auto bits = static_cast<std::uint32_t>(packed);
  const int year = static_cast<int>(bits >> 16);
  const int month = static_cast<int>((bits >> 8) & 0xFF);
  const int day = static_cast<int>(bits & 0xFF);
  if (!IsValidCalendarDate(year, month, day)) {
    date = TCalendarDate{};
    return false;
  }
  date = TCalendarDate{year, month, day};
  return true;
}

PackedDate TodayPacked() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return PackDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
