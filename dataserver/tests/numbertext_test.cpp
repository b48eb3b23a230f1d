#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "dataserver/numbertext.h"

TEST(NumberText, ShortestFormWithoutTrailingZeros) {
  EXPECT_EQ(FormatGeneralNumber(0), "0");
  EXPECT_EQ(FormatGeneralNumber(-0.0), "0");
  EXPECT_EQ(FormatGeneralNumber(100), "100");
  EXPECT_EQ(FormatGeneralNumber(1234.5), "1234.5");
  EXPECT_EQ(FormatGeneralNumber(-0.25), "-0.25");
  EXPECT_EQ(FormatGeneralNumber(0.1), "0.1");
  EXPECT_EQ(FormatGeneralNumber(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatGeneralNumber(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(FormatGeneralNumber(1234567.0), "1234567");  // no thousands separators
}

TEST(NumberText, FifteenDigitsBeforeThePointStayFixed) {
  EXPECT_EQ(FormatGeneralNumber(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatGeneralNumber(999999999999999.0), "999999999999999");
  EXPECT_EQ(FormatGeneralNumber(1e15), "1E15");
  EXPECT_EQ(FormatGeneralNumber(1234567890123456.0), "1.23456789012346E15");
  EXPECT_EQ(FormatGeneralNumber(-1.5e20), "-1.5E20");
}

TEST(NumberText, SmallNumbersDownToOneHundredThousandthStayFixed) {
  EXPECT_EQ(FormatGeneralNumber(0.00001), "0.00001");
  EXPECT_EQ(FormatGeneralNumber(0.000123), "0.000123");
  EXPECT_EQ(FormatGeneralNumber(0.000001), "1E-6");
  EXPECT_EQ(FormatGeneralNumber(2.5e-7), "2.5E-7");
}

TEST(NumberText, RoundsToFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneralNumber(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatGeneralNumber(1.23456789012345678), "1.23456789012346");
  // Just below one: the sixteenth digit carries into the units.
  EXPECT_EQ(FormatGeneralNumber(std::nextafter(1.0, 0.0)), "1");
  EXPECT_EQ(FormatGeneralNumber(std::nextafter(1e15, 0.0)), "1E15");
}

namespace {

// Switches LC_NUMERIC to a locale whose decimal separator is a comma: an installed one, or
// one compiled into a scratch folder when the machine has none. False when neither works.
bool SwitchToDecimalComma(const std::string& scratch) {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr)
      return true;
  }
  std::filesystem::create_directories(scratch);
  std::ofstream(scratch + "/comma.def") << "LC_NUMERIC\n"
                                           "decimal_point \"<U002C>\"\n"
                                           "thousands_sep \"<U002E>\"\n"
                                           "grouping 3;3\n"
                                           "END LC_NUMERIC\n";
  const std::string command = "localedef -c -i '" + scratch + "/comma.def' -f UTF-8 '" + scratch +
                              "/xx_COMMA.UTF-8' >/dev/null 2>&1";
  if (std::system(command.c_str()) == -1)
    return false;
  setenv("LOCPATH", scratch.c_str(), 1);
  const bool switched = std::setlocale(LC_NUMERIC, "xx_COMMA.UTF-8") != nullptr;
  unsetenv("LOCPATH");
  return switched;
}

}  // namespace

TEST(NumberText, DecimalSeparatorIsAPointWhateverTheLocale) {
  const std::string scratch =
      (std::filesystem::temp_directory_path() / ("qm_locale_" + std::to_string(getpid()))).string();
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  const bool switched = SwitchToDecimalComma(scratch);
  std::string text;
  std::string small;
  char check[16] = "";
  if (switched) {
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    text = FormatGeneralNumber(1234.5);
    small = FormatGeneralNumber(2.5e-7);
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  if (!switched)
    GTEST_SKIP() << "no locale with a decimal comma is available";
  ASSERT_STREQ(check, "1,5");  // the locale really is in force
  EXPECT_EQ(text, "1234.5");
  EXPECT_EQ(small, "2.5E-7");
}
