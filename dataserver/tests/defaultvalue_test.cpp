// Default values answered for a property that has no instance.

#include <gtest/gtest.h>

#include <cstring>

#include "dataserver/status.h"
#include "dataserver/tests/sampledictionary.h"

using namespace sample;

namespace {

class DefaultValueTest : public DictionaryTest {
 protected:
  void SetUp() override { OpenSample(); }
};

TEST_F(DefaultValueTest, NumericDefaultIsTheWholeNumberAsADouble) {
  double value = 0;
  EXPECT_EQ(Property(kAge).GetDefaultValue(&value), dsv_status::kOk);
  EXPECT_EQ(value, 42.0);
  Property(kAge).DefaultText = " -17 ";
  EXPECT_EQ(Property(kAge).GetDefaultValue(&value), dsv_status::kOk);
  EXPECT_EQ(value, -17.0);
}

TEST_F(DefaultValueTest, DefaultTextThatDoesNotConvertGivesNoValue) {
  double value = 5;
  for (const char* text : {"abc", "4.5", "", "12x", "99999999999", "-"}) {
    Property(kAge).DefaultText = text;
    EXPECT_EQ(Property(kAge).GetDefaultValue(&value), dsv_status::kNoValue) << text;
  }
  EXPECT_EQ(value, 5);
}

TEST_F(DefaultValueTest, WithoutTheFlagThereIsNoValue) {
  double value = 0;
  EXPECT_EQ(Property(kValue).GetDefaultValue(&value), dsv_status::kNoValue);
  Property(kAge).HasDefault = false;
  EXPECT_EQ(Property(kAge).GetDefaultValue(&value), dsv_status::kNoValue);
}

TEST_F(DefaultValueTest, StringDefaultIsTheText) {
  char buffer[256];
  EXPECT_EQ(Property(kSurname).GetDefaultValue(buffer), dsv_status::kOk);
  EXPECT_STREQ(buffer, "Smith");
}

TEST_F(DefaultValueTest, DateDefaultIsReadInTheShortDateForm) {
  PackedDate date = 0;
  EXPECT_EQ(Property(kClaimDate).GetDefaultValue(&date), dsv_status::kOk);
  EXPECT_EQ(date, PackDate(2003, 2, 1));
  Property(kClaimDate).DefaultText = "5/9/1999";
  EXPECT_EQ(Property(kClaimDate).GetDefaultValue(&date), dsv_status::kOk);
  EXPECT_EQ(date, PackDate(1999, 9, 5));
  for (const char* text : {"31/02/2001", "01-02-2003", "1/2/03", "today", "01/13/2003"}) {
    Property(kClaimDate).DefaultText = text;
    EXPECT_EQ(Property(kClaimDate).GetDefaultValue(&date), dsv_status::kNoValue) << text;
  }
}

TEST_F(DefaultValueTest, DateWithAnEmptyDefaultTextAnswersToday) {
  PackedDate date = 0;
  EXPECT_EQ(Property(kBorn).GetDefaultValue(&date), dsv_status::kOk);
  EXPECT_EQ(date, TodayPacked());
}

TEST_F(DefaultValueTest, ListDefaultIsTheCodeAndAnEmptyTextHasNone) {
  std::int32_t code = 0;
  EXPECT_EQ(Property(kMarital).GetDefaultValue(&code), dsv_status::kOk);
  EXPECT_EQ(code, 2);
  Property(kMarital).DefaultText = "";
  EXPECT_EQ(Property(kMarital).GetDefaultValue(&code), dsv_status::kNoValue);
}

TEST_F(DefaultValueTest, ObjectDefaultSucceedsWithoutWriting) {
  Property(kDriver).HasDefault = true;
  char untouched[8] = "same";
  EXPECT_EQ(Property(kDriver).GetDefaultValue(untouched), dsv_status::kOk);
  EXPECT_STREQ(untouched, "same");
}

}  // namespace
