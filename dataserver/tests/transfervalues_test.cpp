// The values the transfer writes: every format kind, occurrences, defaults and nesting.
#include <gtest/gtest.h>

#include <cstdio>

#include "dataserver/dictionary.h"
#include "dataserver/tests/transfertestsupport.h"

namespace dsvtest {
namespace {

class TransferValues : public TransferFixture {
 protected:
  void SetReference(int y, int m, int d) {
    const PackedDate date = PackDate(y, m, d);
    ASSERT_EQ(DsvSetReferenceDate(&date), 0);
  }
  // One field of driver 0 inside a driver object iterating once.
  std::string DriverField(std::int32_t id, std::int32_t width, std::int32_t format,
                          const std::string& literal = "?") {
    EXPECT_EQ(Export({Object(kDriver, 1, 1, 200, {Field(id, width, format, literal)})}), 0);
    return output_;
  }
};

TEST_F(TransferValues, NumbersInTheirShortestGeneralForm) {
  SetNumber(kAge, DriverPath(0), 1234.5);
  EXPECT_EQ(DriverField(kAge, 8, 0), "1234.5  \r\n");
  SetNumber(kAge, DriverPath(0), 1e20);
  EXPECT_EQ(DriverField(kAge, 8, 7), "1E20    \r\n");  // the format kind does not matter
  SetNumber(kAge, DriverPath(0), -0.25);
  EXPECT_EQ(DriverField(kAge, 5, 0), "-0.25\r\n");
}

TEST_F(TransferValues, TextsAsStored) {
  SetText(kSurname, DriverPath(0), "O'Brien");
  EXPECT_EQ(DriverField(kSurname, 10, 3), "O'Brien   \r\n");
}

TEST_F(TransferValues, DatesInEachFormatKind) {
  SetDate(kBorn, DriverPath(0), 1987, 3, 5);
  SetReference(2000, 6, 9);
  EXPECT_EQ(DriverField(kBorn, 10, 0), "05/03/1987\r\n");
  EXPECT_EQ(DriverField(kBorn, 2, 1), "87\r\n");
  EXPECT_EQ(DriverField(kBorn, 4, 2), "1987\r\n");
  EXPECT_EQ(DriverField(kBorn, 3, 3), "13 \r\n");
  EXPECT_EQ(DriverField(kBorn, 3, 4), "159\r\n");
  EXPECT_EQ(DriverField(kBorn, 3, 5), "?  \r\n");
  SetDate(kBorn, DriverPath(0), 2005, 12, 31);
  EXPECT_EQ(DriverField(kBorn, 2, 1), "05\r\n");
}

TEST_F(TransferValues, AgeInWholeYearsCountsToTheReferenceDate) {
  SetDate(kBorn, DriverPath(0), 1970, 6, 10);
  SetReference(2000, 6, 9);
  EXPECT_EQ(DriverField(kBorn, 2, 3), "29\r\n");
  EXPECT_EQ(DriverField(kBorn, 3, 4), "359\r\n");
  SetReference(2000, 6, 10);
  EXPECT_EQ(DriverField(kBorn, 2, 3), "30\r\n");
}

TEST_F(TransferValues, AgesWithoutAReferenceDateWriteTheLiteral) {
  SetDate(kBorn, DriverPath(0), 1970, 6, 10);
  const PackedDate noDate = PackDate(2000, 13, 1);
  ASSERT_EQ(DsvSetReferenceDate(&noDate), 0);
  EXPECT_EQ(DataDictionary().ReferenceDate(), 0);
  EXPECT_EQ(DriverField(kBorn, 2, 3, "na"), "na\r\n");
}

TEST_F(TransferValues, ADateThatNamesNoDayWritesTheLiteral) {
  SetCode(kBorn, DriverPath(0), PackDate(1999, 2, 30));
  EXPECT_EQ(DriverField(kBorn, 10, 0, "no date"), "no date   \r\n");
}

TEST_F(TransferValues, ListsAsCodeDescriptionOrAbiCode) {
  SetCode(kSex, DriverPath(0), 2);
  EXPECT_EQ(DriverField(kSex, 3, 0), "2  \r\n");
  EXPECT_EQ(DriverField(kSex, 8, 1), "Female  \r\n");
  EXPECT_EQ(DriverField(kSex, 2, 2), "F \r\n");
  EXPECT_EQ(DriverField(kSex, 2, 3), "? \r\n");
}

TEST_F(TransferValues, AListCodeMissingFromTheListWritesTheLiteral) {
  SetCode(kSex, DriverPath(0), 7);
  EXPECT_EQ(DriverField(kSex, 3, 0), "7  \r\n");
  EXPECT_EQ(DriverField(kSex, 3, 1, "unk"), "unk\r\n");
  EXPECT_EQ(DriverField(kSex, 3, 2, "unk"), "unk\r\n");
}

TEST_F(TransferValues, UnknownPropertiesAndObjectPropertiesWriteTheLiteral) {
  SetText(kSurname, DriverPath(0), "Ann");
  EXPECT_EQ(DriverField(0x7F0001, 4, 0, "lit"), "lit \r\n");
  EXPECT_EQ(OneField(Field(kDriver, 4, 0, "obj")), "obj \r\n");
}

TEST_F(TransferValues, UnknownSourceKindsWriteSpaces) {
  TExportRecord odd = Literal("text", 4);
  odd.SourceKind = 9;
  EXPECT_EQ(OneField(odd), "    \r\n");
}

TEST_F(TransferValues, FieldsUnderTheRootReadTheValueWhoseIndicesAreAllZero) {
  const double cover = 3;
  ASSERT_EQ(DsvSetValue(kCover, 0, nullptr, &cover), 0);
  SetText(kSurname, DriverPath(1), "Second");
  SetText(kSurname, DriverPath(0), "First");
  ASSERT_EQ(Export({Field(kCover, 2), Field(kSurname, 8)}), 0);
  EXPECT_EQ(output_, "3 \r\nFirst   \r\n");
}

TEST_F(TransferValues, OccurrencesAreCountedOverTheStoredOnes) {
  SetText(kSurname, DriverPath(0), "Ann");
  SetText(kSurname, DriverPath(2), "Cy");
  ASSERT_EQ(Export({Object(kDriver, 1, 4, 200,
                           {OccurrenceNumber(1, 2, "-"), Field(kSurname, 5, 0, "?")})}),
            0);
  EXPECT_EQ(output_,
            "1 \r\nAnn  \r\n"
            "3 \r\nCy   \r\n"
            "- \r\n?    \r\n"
            "- \r\n?    \r\n");
}

TEST_F(TransferValues, OccurrenceNumbersCountBackThroughThePath) {
  SetNumber(kClaimCost, ClaimPath(0, 0), 5);
  SetNumber(kClaimCost, ClaimPath(2, 1), 7);
  ASSERT_EQ(Export({Object(
                kClaim, 1, 3, 400,
                {OccurrenceNumber(2, 1, "-"), OccurrenceNumber(1, 1, "-"),
                 OccurrenceNumber(3, 1, "x"), OccurrenceNumber(0, 1, "z"), Field(kClaimCost, 2)})}),
            0);
  // Level 2 is the driver's number, level 1 the claim's own; level 3 reaches beyond the path
  // and level 0 is the literal.
  EXPECT_EQ(output_,
            "1\r\n1\r\nx\r\nz\r\n5 \r\n"
            "3\r\n2\r\nx\r\nz\r\n7 \r\n"
            "-\r\n-\r\nx\r\nz\r\n  \r\n");
}

TEST_F(TransferValues, OccurrenceNumbersOutsideTopLevelObjectsWriteTheLiteral) {
  SetNumber(kClaimCost, ClaimPath(0, 0), 5);
  ASSERT_EQ(Export({OccurrenceNumber(1, 1, "r"),
                    Object(kDriver, 1, 1, 200,
                           {Object(kClaim, 1, 1, 300, {OccurrenceNumber(1, 1, "n")})})}),
            0);
  EXPECT_EQ(output_, "r\r\nn\r\n");
}

TEST_F(TransferValues, AnExistingOccurrenceWritesTheDefaultsOfMissingValues) {
  SetText(kSurname, DriverPath(0), "Ann");
  char today[16];
  TCalendarDate now;
  ASSERT_TRUE(UnpackDate(TodayPacked(), now));
  std::snprintf(today, sizeof today, "%.2d/%.2d/%.4d", now.Day, now.Month, now.Year);
  ASSERT_EQ(Export({Object(
                kDriver, 1, 2, 200,
                {Field(kYears, 2, 0, "-"), Field(kTitle, 3, 0, "-"), Field(kPassed, 10, 0, "-"),
                 Field(kMarital, 8, 1, "-"), Field(kSince, 4, 2, "-"), Field(kAge, 2, 0, "-")})}),
            0);
  EXPECT_EQ(output_, "3 \r\nMr \r\n" + std::string(today) +
                         "\r\nMarried \r\n2003\r\n- \r\n"
                         "- \r\n-  \r\n-         \r\n-       \r\n-   \r\n- \r\n");
}

TEST_F(TransferValues, AnOccurrenceWithOnlyNestedValuesWritesNoDefaults) {
  // Driver 0 exists only through a claim: no value beside the field, so no occurrence.
  SetNumber(kClaimCost, ClaimPath(0, 0), 10);
  ASSERT_EQ(Export({Object(kDriver, 1, 1, 200, {Field(kTitle, 3, 0, "-")})}), 0);
  EXPECT_EQ(output_, "-  \r\n");
}

TEST_F(TransferValues, DefaultsInsideNestedObjects) {
  SetNumber(kClaimCost, ClaimPath(0, 0), 10);
  ASSERT_EQ(
      Export({Object(kDriver, 1, 1, 200,
                     {Object(kClaim, 1, 2, 300,
                             {Field(kClaimCost, 3, 0, "-"), Field(kClaimType, 8, 1, "-")})})}),
      0);
  EXPECT_EQ(output_, "10 \r\nTheft   \r\n-  \r\n-       \r\n");
}

TEST_F(TransferValues, NestedGroupsBelongToTheOccurrenceWrittenBeforeThem) {
  SetText(kSurname, DriverPath(0), "Ann");
  SetText(kSurname, DriverPath(2), "Cy");
  SetNumber(kClaimCost, ClaimPath(2, 0), 100);
  SetNumber(kClaimCost, ClaimPath(2, 1), 250);
  ASSERT_EQ(Export({Object(
                kDriver, 1, 3, 200,
                {Field(kSurname, 4), Object(kClaim, 1, 2, 300, {Field(kClaimCost, 5, 0, "none")}),
                 Field(kSurname, 3, 0, "/")})}),
            0);
  // The second iteration writes driver index 2, and its claims are driver 2's.
  EXPECT_EQ(output_,
            "Ann \r\nnone \r\nnone \r\nAnn\r\n"
            "Cy  \r\n100  \r\n250  \r\nCy \r\n"
            "    \r\nnone \r\nnone \r\n/  \r\n");
}

TEST_F(TransferValues, ValuesLongerThanTheFieldAreCut) {
  SetText(kSurname, DriverPath(0), std::string(300, 'x'));
  EXPECT_EQ(DriverField(kSurname, 260, 0), std::string(255, 'x'));
}

}  // namespace
}  // namespace dsvtest
