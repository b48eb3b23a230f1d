// The date rules behind every period of the capture pages.

#include "capture/periods.h"

#include <gtest/gtest.h>

#include "capture/tests/capturefixture.h"

namespace {

TEST(PeriodsTest, WholeYearsAndMonthsInEitherOrder) {
  int years = -1;
  int months = -1;
  ASSERT_TRUE(WholePeriod(QDate(2026, 6, 15), QDate(1980, 6, 16), years, months));
  EXPECT_EQ(years, 45);
  EXPECT_EQ(months, 11);
  // An end on 29 February has its anniversary on the 28th in a year without one.
  ASSERT_TRUE(WholePeriod(QDate(2023, 2, 28), QDate(2024, 2, 29), years, months));
  EXPECT_EQ(years, 1);
  EXPECT_EQ(months, 0);
  EXPECT_FALSE(WholePeriod(QDate(), QDate(2024, 2, 29), years, months));
  EXPECT_EQ(years, 0);
  EXPECT_EQ(AgeOn(QDate(2009, 6, 16), kToday), 16);
  EXPECT_EQ(AgeOn(QDate(2009, 6, 15), kToday), 17);
  EXPECT_EQ(AgeOn(QDate(), kToday), 0);
}

TEST(PeriodsTest, MonthsAndYearsBackClampTheDay) {
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2026, 4), 30);
  EXPECT_EQ(DaysInMonth(2026, 13), -1);
  EXPECT_EQ(DaysInMonth(2026, 0), -1);
  EXPECT_EQ(MonthsBack(QDate(2026, 3, 31), -1), QDate(2026, 2, 28));
  EXPECT_EQ(MonthsBack(QDate(2026, 1, 15), -14), QDate(2024, 11, 15));
  EXPECT_EQ(MonthsBack(QDate(2025, 12, 31), 2), QDate(2026, 2, 28));
  // A whole-years period from 29 February starts on the last day of February.
  EXPECT_EQ(YearsBack(QDate(2024, 2, 29), 1), QDate(2023, 2, 28));
  EXPECT_EQ(YearsBack(QDate(2024, 2, 29), 4), QDate(2020, 2, 29));
  EXPECT_EQ(PeriodStart(3, TPeriodUnit::Years, QDate(2024, 2, 29)), QDate(2021, 2, 28));
  EXPECT_EQ(PeriodStart(11, TPeriodUnit::Months, kToday), QDate(2025, 7, 15));
}

TEST(PeriodsTest, AStoredStartIsShownInYearsUnlessOnlyMonthsHavePassed) {
  EXPECT_EQ(PeriodShown(QDate(2025, 4, 15), kToday), (TShownPeriod{1, TPeriodUnit::Years}));
  EXPECT_EQ(PeriodShown(QDate(2025, 7, 15), kToday), (TShownPeriod{11, TPeriodUnit::Months}));
  EXPECT_EQ(PeriodShown(QDate(), kToday), (TShownPeriod{0, TPeriodUnit::Years}));
  EXPECT_EQ(PeriodShown(kToday, kToday), (TShownPeriod{0, TPeriodUnit::Years}));
}

}  // namespace
