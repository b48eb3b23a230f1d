#include <gtest/gtest.h>

#include "settings/displayformats.h"

namespace {

// Runs a test body under a locale whose month names and separators differ from English.
class ForeignLocale {
 public:
  ForeignLocale() : previous_(QLocale()) { QLocale::setDefault(QLocale(QLocale::German)); }
  ~ForeignLocale() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

TEST(DisplayFormats, DatesAndTimesUseTheFixedFormatsWhateverTheLocale) {
  ForeignLocale german;
  EXPECT_EQ(FormatShortDate(QDate(2024, 3, 5)), "05/03/2024");
  EXPECT_EQ(FormatLongDate(QDate(2024, 3, 5)), "05 March 2024");
  EXPECT_EQ(FormatLongDate(QDate(1999, 12, 31)), "31 December 1999");
  EXPECT_EQ(FormatTime(QTime(9, 5)), "09:05");
  EXPECT_EQ(FormatTime(QTime(17, 45, 59)), "17:45");
}

TEST(DisplayFormats, ShortDatesParseWithOneOrTwoDigitDaysAndMonths) {
  EXPECT_EQ(ParseShortDate("05/03/2024"), QDate(2024, 3, 5));
  EXPECT_EQ(ParseShortDate("5/3/2024"), QDate(2024, 3, 5));
  EXPECT_EQ(ParseShortDate(" 29/02/2024 "), QDate(2024, 2, 29));
  EXPECT_FALSE(ParseShortDate("29/02/2023").isValid());
  EXPECT_FALSE(ParseShortDate("2024-03-05").isValid());
  EXPECT_FALSE(ParseShortDate("").isValid());
}

TEST(DisplayFormats, MoneyHasThePoundSignAndTwoDecimals) {
  ForeignLocale german;
  EXPECT_EQ(FormatMoney(0), QString::fromUtf8("£0.00"));
  EXPECT_EQ(FormatMoney(1234.5), QString::fromUtf8("£1,234.50"));
  EXPECT_EQ(FormatMoney(12345678.9), QString::fromUtf8("£12,345,678.90"));
}

TEST(DisplayFormats, InstallingMakesTheDisplayLocaleTheDefault) {
  ForeignLocale german;
  InstallDisplayFormats();
  EXPECT_EQ(QLocale().language(), QLocale::English);
  EXPECT_EQ(QLocale().toString(QDate(2024, 3, 5), kLongDateFormat), "05 March 2024");
}

}  // namespace
