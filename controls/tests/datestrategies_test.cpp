#include "controls/datestrategies.h"

#include <gtest/gtest.h>

#include <QDate>

#include "controls/dateserial.h"

namespace {

TDateFieldState PendingYear(int typedYear) {
  TDateFieldState state;
  state.year = static_cast<std::uint16_t>(typedYear * 100 + 26);
  state.twoDigitYearPending = true;
  return state;
}

int Completed(int typedYear, int currentYear) {
  TDateFieldState state = PendingYear(typedYear);
  CompleteTwoDigitYear(state, currentYear, 10);
  EXPECT_FALSE(state.twoDigitYearPending);
  EXPECT_EQ(state.caret, 10);
  return state.year;
}

}  // namespace

TEST(TwoDigitYear, UpToTenYearsAheadIsThisCenturyLaterIsTheLast) {
  EXPECT_EQ(Completed(99, 2026), 1999);
  EXPECT_EQ(Completed(25, 2026), 2025);
  EXPECT_EQ(Completed(36, 2026), 2036);
  EXPECT_EQ(Completed(37, 2026), 1937);
  EXPECT_EQ(Completed(0, 2026), 2000);
}

TEST(TwoDigitYear, LateInACenturyTheNextCenturyIsUsedForTheNearYears) {
  EXPECT_EQ(Completed(3, 2095), 2103);
  EXPECT_EQ(Completed(99, 2095), 2099);
  EXPECT_EQ(Completed(6, 2095), 2006);
}

TEST(TwoDigitYear, NothingHappensWithoutAPendingYear) {
  TDateFieldState state;
  state.year = 1999;
  state.caret = 4;
  CompleteTwoDigitYear(state, 2026, 10);
  EXPECT_EQ(state.year, 1999);
  EXPECT_EQ(state.caret, 4);
}

TEST(DatePositions, SeparatorsAreSkipped) {
  EXPECT_EQ(NextDatePosition(2, 10), 4);
  EXPECT_EQ(NextDatePosition(5, 10), 7);
  EXPECT_EQ(NextDatePosition(10, 10), 10);
  EXPECT_EQ(NextDatePosition(8, 8), 8);
  EXPECT_EQ(PreviousDatePosition(4), 2);
  EXPECT_EQ(PreviousDatePosition(7), 5);
  EXPECT_EQ(PreviousDatePosition(1), 1);
}

TEST(BaseDate, DoesNothing) {
  TBaseDate base;
  TDateFieldState state;
  state.day = 5;
  EXPECT_EQ(base.DisplayText(state), "");
  base.DigitTyped(state, 3);
  EXPECT_EQ(state.day, 5);
  EXPECT_EQ(base.LastCaretPosition(), 0);
  EXPECT_EQ(base.GetValue(state), 0);
  EXPECT_FALSE(base.Validate(state).valid);
  EXPECT_EQ(base.SeparatorKey(state, '/'), TSeparatorResult::NotSeparator);
}

TEST(StandardDate, ShowsDayMonthYearWithSlashes) {
  TStandardDate date;
  TDateFieldState state;
  state.day = 3;
  state.month = 4;
  state.year = 999;
  EXPECT_EQ(date.DisplayText(state), "03/04/0999");
}

TEST(StandardDate, ValidationFollowsTheCalendar) {
  TStandardDate date;
  auto valid = [&](int d, int m, int y) {
    TDateFieldState state;
    state.day = d;
    state.month = m;
    state.year = y;
    return date.Validate(state).valid;
  };
  EXPECT_FALSE(valid(31, 2, 2000));
  EXPECT_TRUE(valid(29, 2, 2000));
  EXPECT_FALSE(valid(29, 2, 1900));
  EXPECT_TRUE(valid(29, 2, 2024));
  EXPECT_TRUE(valid(31, 12, 9999));
  EXPECT_FALSE(valid(1, 13, 2000));
  EXPECT_FALSE(valid(0, 1, 2000));
  EXPECT_FALSE(valid(1, 1, 0));
  EXPECT_TRUE(valid(0, 0, 0));  // nothing entered
  TDateFieldState state;
  state.day = 31;
  state.month = 4;
  state.year = 2001;
  EXPECT_EQ(date.Validate(state).message,
            "Invalid Date Entered.\rYou must enter a valid number of days for the month.");
}

TEST(StandardDate, ValueIsADateSerial) {
  TStandardDate date;
  TDateFieldState state;
  date.SetValue(state, 36526);  // 1 January 2000
  EXPECT_EQ(state.day, 1);
  EXPECT_EQ(state.month, 1);
  EXPECT_EQ(state.year, 2000);
  EXPECT_EQ(date.GetValue(state), 36526);
  date.SetValue(state, 0);
  EXPECT_EQ(state.day + state.month + state.year, 0);
  EXPECT_EQ(date.GetValue(state), 0);
  state.day = 31;
  state.month = 2;
  state.year = 2000;
  EXPECT_EQ(date.GetValue(state), 0);  // not a calendar date
}

TEST(StandardDate, ParsesTheShortDateFormatAndIgnoresOtherText) {
  TStandardDate date;
  TDateFieldState state;
  date.ParseText(state, "03/04/1999");
  EXPECT_EQ(date.DisplayText(state), "03/04/1999");
  date.ParseText(state, "7/8/2001");
  EXPECT_EQ(date.DisplayText(state), "07/08/2001");
  date.ParseText(state, "31/02/2000");
  date.ParseText(state, "yesterday");
  EXPECT_EQ(date.DisplayText(state), "07/08/2001");
}

TEST(StandardDate, DigitsFillTheMaskAndASlashEndsAOneDigitPart) {
  TStandardDate date;
  TDateFieldState state;
  state.day = 1;
  state.month = 1;
  state.year = 2026;
  date.DigitTyped(state, 3);
  EXPECT_EQ(state.day, 31);
  EXPECT_EQ(state.caret, 2);
  EXPECT_EQ(date.SeparatorKey(state, '/'), TSeparatorResult::Moved);
  EXPECT_EQ(state.day, 3);
  EXPECT_EQ(state.caret, 4);
  date.DigitTyped(state, 1);
  date.DigitTyped(state, 2);
  EXPECT_EQ(state.month, 12);
  EXPECT_EQ(state.caret, 7);
  EXPECT_EQ(date.SeparatorKey(state, '/'), TSeparatorResult::Accepted);
  EXPECT_EQ(date.SeparatorKey(state, '-'), TSeparatorResult::NotSeparator);
  for (int digit : {1, 9, 8, 7})
    date.DigitTyped(state, digit);
  EXPECT_EQ(state.year, 1987);
  EXPECT_EQ(state.caret, 10);  // stays on the last position
  EXPECT_FALSE(state.twoDigitYearPending);
}

TEST(AgeDate, MinusFourHundredIsOneYearTwentyEightDaysAgo) {
  TAgeDate age;
  TDateFieldState state;
  age.SetValue(state, -400);
  EXPECT_EQ(state.year, 1);
  EXPECT_EQ(state.month, 0);
  EXPECT_EQ(state.day, 28);
  EXPECT_EQ(age.DisplayText(state), "01.00.28 Ago");
  EXPECT_EQ(age.GetValue(state), -400);
}

TEST(AgeDate, ZeroWithTreatTodayAsNegativeShowsTodayAndReadsZero) {
  TAgeDate age;
  TDateFieldState state;
  age.SetValue(state, 0);
  EXPECT_TRUE(age.Ago());
  EXPECT_EQ(age.DisplayText(state), "00.00.00 Today");
  EXPECT_EQ(age.GetValue(state), 0);
  state.treatTodayAsNegative = false;
  age.SetValue(state, 0);
  EXPECT_FALSE(age.Ago());
}

TEST(AgeDate, PeriodValueIsYearsTimes372PlusMonthsTimes31PlusDays) {
  TAgeDate age;
  TDateFieldState state;
  age.SetParts(state, 3, 2, 1);  // 3 days, 2 months, 1 year
  EXPECT_EQ(age.GetValue(state), 372 + 62 + 3);
  EXPECT_EQ(age.DisplayText(state), "01.02.03 Hence");
  age.SetValue(state, 372 * 5 + 31 * 11 + 30);
  EXPECT_EQ(state.year, 5);
  EXPECT_EQ(state.month, 11);
  EXPECT_EQ(state.day, 30);
}

TEST(AgeDate, WhileFocusedTheUnitOfTheCaretsPartIsShown) {
  TAgeDate age;
  TDateFieldState state;
  state.focused = true;
  age.SetValue(state, -40);
  state.caret = 1;
  EXPECT_EQ(age.DisplayText(state), "00.01.09 (Yrs)");
  state.caret = 5;
  EXPECT_EQ(age.DisplayText(state), "00.01.09 (Mths)");
  age.SpaceKey(state);
  state.caret = 8;
  EXPECT_EQ(age.DisplayText(state), "00.01.09 Days");
}

TEST(AgeDate, OneYearFourteenMonthsTypedIsTwoYearsTwoMonths) {
  TAgeDate age;
  TDateFieldState state;
  age.SetValue(state, 0);
  for (int digit : {0, 1, 1, 4})
    age.DigitTyped(state, digit);
  EXPECT_EQ(state.year, 2);
  EXPECT_EQ(state.month, 2);
  EXPECT_EQ(state.caret, 7);
  age.DigitTyped(state, 4);
  age.DigitTyped(state, 5);  // 45 days: one month and 14 days
  EXPECT_EQ(state.month, 3);
  EXPECT_EQ(state.day, 14);
  EXPECT_EQ(state.caret, 8);
}

TEST(AgeDate, PointEndsAOneDigitPart) {
  TAgeDate age;
  TDateFieldState state;
  age.SetValue(state, 0);
  age.DigitTyped(state, 3);
  EXPECT_EQ(age.SeparatorKey(state, '.'), TSeparatorResult::Moved);
  EXPECT_EQ(state.year, 3);
  EXPECT_EQ(state.caret, 4);
  age.DigitTyped(state, 7);
  EXPECT_EQ(age.SeparatorKey(state, '.'), TSeparatorResult::Moved);
  EXPECT_EQ(state.month, 7);
  EXPECT_EQ(state.caret, 7);
  EXPECT_EQ(age.SeparatorKey(state, '.'), TSeparatorResult::Accepted);
  EXPECT_EQ(age.SeparatorKey(state, '/'), TSeparatorResult::Accepted);
  EXPECT_EQ(age.SeparatorKey(state, 'x'), TSeparatorResult::NotSeparator);
}

TEST(AgeDate, ParsingReadsYearsMonthsDaysAndTheDirection) {
  TAgeDate age;
  TDateFieldState state;
  age.ParseText(state, "1.2.3 Ago");
  EXPECT_EQ(age.GetValue(state), -(372 + 62 + 3));
  age.ParseText(state, "1/2/3 Hence");
  EXPECT_EQ(age.GetValue(state), 372 + 62 + 3);
  age.ParseText(state, "01.00.28 ago");
  EXPECT_EQ(age.GetValue(state), -400);
  age.ParseText(state, "5");
  EXPECT_EQ(age.GetValue(state), 5 * 372);
  age.ParseText(state, "0.0.0");
  EXPECT_TRUE(age.Ago());
  EXPECT_EQ(age.GetValue(state), 0);
}

TEST(AgeDate, ParsingRefusesOtherCharactersBeforeTheDays) {
  TAgeDate age;
  TDateFieldState state;
  age.ParseText(state, "2.3.4");
  for (const char* text : {"1 Ago", "1.x.3", "a"}) {
    try {
      age.ParseText(state, text);
      ADD_FAILURE() << text;
    } catch (const EDateFormatError& error) {
      EXPECT_EQ(error.Message(), "Invalid Date : format Should be 'Y.M.D [Hence/Ago]'");
    }
  }
  EXPECT_EQ(age.GetValue(state), 2 * 372 + 3 * 31 + 4);  // a refused text changes nothing
}

TEST(DateSerial, CountsDaysFromTheEndOf1899) {
  EXPECT_EQ(DateToSerial(QDate(1899, 12, 30)), 0);
  EXPECT_EQ(DateToSerial(QDate(2000, 1, 1)), 36526);
  EXPECT_EQ(SerialToDate(36526.75), QDate(2000, 1, 1));
  EXPECT_FALSE(SerialToDate(1e12).isValid());
}
