#include <gtest/gtest.h>

#include "dataserver/wholeperiod.h"

namespace {

TWholePeriod Between(TCalendarDate a, TCalendarDate b) {
  return WholeYearsAndMonthsBetween(a, b);
}

}  // namespace

TEST(WholePeriod, CountsCompletedYearsAndMonths) {
  TWholePeriod p = Between({1970, 6, 10}, {2000, 6, 9});
  EXPECT_EQ(p.Years, 29);
  EXPECT_EQ(p.Months, 11);
  EXPECT_EQ(p.TotalMonths(), 359);

  p = Between({1970, 6, 10}, {2000, 6, 10});
  EXPECT_EQ(p.Years, 30);
  EXPECT_EQ(p.Months, 0);

  p = Between({2000, 3, 15}, {2001, 2, 10});
  EXPECT_EQ(p.Years, 0);
  EXPECT_EQ(p.Months, 10);

  p = Between({2000, 1, 31}, {2000, 2, 28});
  EXPECT_EQ(p.Years, 0);
  EXPECT_EQ(p.Months, 0);
}

TEST(WholePeriod, OrderOfTheDatesDoesNotMatter) {
  TWholePeriod forward = Between({1987, 3, 5}, {2000, 6, 9});
  TWholePeriod backward = Between({2000, 6, 9}, {1987, 3, 5});
  EXPECT_EQ(forward.Years, 13);
  EXPECT_EQ(forward.Months, 3);
  EXPECT_EQ(backward.Years, forward.Years);
  EXPECT_EQ(backward.Months, forward.Months);
}

TEST(WholePeriod, SameDayIsNothing) {
  TWholePeriod p = Between({2004, 2, 29}, {2004, 2, 29});
  EXPECT_EQ(p.Years, 0);
  EXPECT_EQ(p.Months, 0);
}

TEST(WholePeriod, LaterTwentyNinthOfFebruaryCountsAsTwentyEighthAfterACommonYear) {
  // 29 January 1999 to 29 February 2000: the later date counts as 28 February, one day short
  // of the thirteenth month.
  TWholePeriod p = Between({1999, 1, 29}, {2000, 2, 29});
  EXPECT_EQ(p.Years, 1);
  EXPECT_EQ(p.Months, 0);
  // After a leap year the 29th stands.
  p = Between({1996, 1, 29}, {2000, 2, 29});
  EXPECT_EQ(p.Years, 4);
  EXPECT_EQ(p.Months, 1);
  // 1900 is no leap year (century rule), 2000 is (every 400 years).
  p = Between({1900, 1, 29}, {2000, 2, 29});
  EXPECT_EQ(p.Years, 100);
  EXPECT_EQ(p.Months, 0);
}

TEST(WholePeriod, LeapDayToTheNextCommonYear) {
  TWholePeriod p = Between({2000, 2, 29}, {2001, 2, 28});
  EXPECT_EQ(p.Years, 0);
  EXPECT_EQ(p.Months, 11);
  p = Between({2000, 2, 29}, {2001, 3, 1});
  EXPECT_EQ(p.Years, 1);
  EXPECT_EQ(p.Months, 0);
}

TEST(WholePeriod, PackedDatesThatNameNoDayGiveNoPeriod) {
  TWholePeriod p;
  EXPECT_TRUE(WholeYearsAndMonthsBetween(PackDate(1970, 6, 10), PackDate(2000, 6, 9), p));
  EXPECT_EQ(p.Years, 29);
  EXPECT_FALSE(WholeYearsAndMonthsBetween(PackDate(1970, 13, 1), PackDate(2000, 6, 9), p));
  EXPECT_EQ(p.Years, 0);
  EXPECT_EQ(p.Months, 0);
  EXPECT_FALSE(WholeYearsAndMonthsBetween(PackDate(1970, 6, 10), 0, p));
}
