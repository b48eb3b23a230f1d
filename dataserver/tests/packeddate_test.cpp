#include <gtest/gtest.h>

#include "dataserver/packeddate.h"

namespace {

TEST(PackedDate, PacksYearMonthAndDayIntoOneValue) {
  EXPECT_EQ(PackDate(2003, 2, 1), 2003 * 65536 + 2 * 256 + 1);
  TCalendarDate date;
  ASSERT_TRUE(UnpackDate(PackDate(1970, 6, 10), date));
  EXPECT_EQ(date.Year, 1970);
  EXPECT_EQ(date.Month, 6);
  EXPECT_EQ(date.Day, 10);
}

TEST(PackedDate, AValueThatNamesNoCalendarDateConvertsToNoDate) {
  TCalendarDate date{1, 1, 1};
  for (PackedDate packed : {PackDate(2001, 13, 1), PackDate(2001, 1, 0), PackDate(2001, 2, 29),
                            PackDate(2001, 4, 31), PackDate(0, 1, 1), 0, -1}) {
    EXPECT_FALSE(UnpackDate(packed, date)) << std::hex << packed;
    EXPECT_EQ(date.Year, 0);
    EXPECT_EQ(date.Month, 0);
    EXPECT_EQ(date.Day, 0);
  }
}

TEST(PackedDate, LeapYearsFollowTheGregorianRules) {
  TCalendarDate date;
  EXPECT_TRUE(UnpackDate(PackDate(2000, 2, 29), date));
  EXPECT_TRUE(UnpackDate(PackDate(2004, 2, 29), date));
  EXPECT_FALSE(UnpackDate(PackDate(1900, 2, 29), date));
  EXPECT_TRUE(IsLeapYear(2400));
  EXPECT_FALSE(IsLeapYear(2100));
}

TEST(PackedDate, TodayIsAValidDate) {
  TCalendarDate date;
  EXPECT_TRUE(UnpackDate(TodayPacked(), date));
  EXPECT_GE(date.Year, 2024);
}

}  // namespace
