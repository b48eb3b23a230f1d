#include <gtest/gtest.h>

#include "tools/dictc/cp1252.h"

TEST(Cp1252, AsciiAndLatinLettersConvertToSingleBytes) {
  EXPECT_EQ(Utf8ToCp1252("Caf\xC3\xA9 \xC2\xA3"
                         "5"),
            std::string("Caf\xE9 \xA3"
                        "5"));
  EXPECT_EQ(Utf8ToCp1252(""), std::string());
}

TEST(Cp1252, TheHighControlRangeUsesTheWindowsCharacters) {
  // Euro sign, left double quotation mark, en dash.
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x93"), std::string("\x80\x93\x96"));
}

TEST(Cp1252, CharactersOutsideTheCodePageAreRefused) {
  EXPECT_FALSE(Utf8ToCp1252("\xE2\x86\x92").has_value());      // rightwards arrow
  EXPECT_FALSE(Utf8ToCp1252("\xF0\x9F\x9A\x97").has_value());  // a car emoji
}

TEST(Cp1252, MalformedUtf8IsRefused) {
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());      // cut short
  EXPECT_FALSE(Utf8ToCp1252("\xC3\x28").has_value());  // bad continuation
  EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF").has_value());  // overlong slash
  EXPECT_FALSE(Utf8ToCp1252("\xFF").has_value());
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}
