// The getters, the path builders and the packed-date conversion.

#include <QDate>

#include "motor/getmotordsv.h"
#include "motor/tests/motortestdictionary.h"

using namespace testdict;

class GetterTest : public MotorDsvTest {};

TEST_F(GetterTest, MissingValuesAnswerTheDefaultOrTheEmptyValue) {
  EXPECT_EQ(GetNumericValue(kAnnualMileage, {VehiclePath()}), 5000.0);
  EXPECT_EQ(GetStringValue(kCoverType, {CoverPath()}), "Comprehensive");
  EXPECT_EQ(GetNumericValue(kVehicleValue, {VehiclePath()}), 0.0);
  EXPECT_EQ(GetStringValue(kSurname, {DriverPath(0)}), QString());
  EXPECT_EQ(GetListValue(kRestriction, {CoverPath()}), 0);
  EXPECT_TRUE(GetDateValue(kDateOfBirth, {DriverPath(0)}).isNull());
  EXPECT_FALSE(ValueExists(kAnnualMileage, {VehiclePath()}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(GetterTest, UnknownPropertiesAnswerTheEmptyValueSilently) {
  EXPECT_EQ(GetStringValue(0x20099, {ProposerPath()}), QString());
  EXPECT_EQ(GetListValue(0x60099, {VehiclePath()}), 0);
  EXPECT_EQ(GetNumericValue(0x60099, {VehiclePath()}), 0.0);
  EXPECT_TRUE(GetDateValue(0xD0099, {CoverPath()}).isNull());
  EXPECT_FALSE(ValueExists(0x60099, {VehiclePath()}));
  EXPECT_EQ(GetListText(0x60099, 1), QString());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(GetterTest, ValuesAreReadFromTheirOwnOccurrence) {
  ASSERT_TRUE(SetStringValue(kSurname, {DriverPath(0)}, "Proposer"));
  ASSERT_TRUE(SetStringValue(kSurname, {DriverPath(2)}, "Second"));
  EXPECT_EQ(GetStringValue(kSurname, {DriverPath(0)}), "Proposer");
  EXPECT_EQ(GetStringValue(kSurname, {DriverPath(2)}), "Second");
  EXPECT_EQ(GetStringValue(kSurname, {DriverPath(1)}), QString());
  ASSERT_TRUE(SetDateValue(kIncidentDate, {DriverPath(1), IncidentPath(3)}, QDate(2020, 12, 31)));
  EXPECT_EQ(GetDateValue(kIncidentDate, {DriverPath(1), IncidentPath(3)}), QDate(2020, 12, 31));
}

TEST_F(GetterTest, ReadingAPropertyWithTheWrongGetterIsHarmless) {
  ASSERT_TRUE(SetStringValue(kSurname, {DriverPath(0)}, QString(255, QLatin1Char('z'))));
  // The text arrives in a full-size buffer; the list getter reads its first bytes.
  EXPECT_EQ(GetListValue(kSurname, {DriverPath(0)}), 0x7A7A7A7A);
  // A number read as text stops at the buffer's zero bytes after the 8 bytes of the double.
  ASSERT_TRUE(SetNumericValue(kVehicleValue, {VehiclePath()}, 1.2345678901234567));
  EXPECT_LE(GetStringValue(kVehicleValue, {VehiclePath()}).size(), 8);
}

TEST_F(GetterTest, ListTextIsTheEntryDescription) {
  EXPECT_EQ(GetListText(kRestriction, 2), "Insured and spouse");
  EXPECT_EQ(GetListText(kRestriction, 8), "Any driver");
  EXPECT_EQ(GetListText(kRestriction, 6), QString());
  EXPECT_EQ(GetListText(kSurname, 1), QString());
}

TEST(InstancePaths, EachBuilderNamesItsObjectAndOccurrence) {
  struct Expected {
    TPathEntry entry;
    std::uint16_t object;
    std::uint16_t index;
  };
  const Expected cases[] = {
      {ProposerPath(), 2, 0},        {VehiclePath(), 6, 0},
      {CoverPath(), 13, 0},          {NCBPath(), 96, 0},
      {PolicyEndPath(), 43, 0},      {AcceptedQuotePath(), 255, 0},
      {DriverPath(3), 15, 3},        {OccupationPath(1), 34, 1},
      {ModificationPath(4), 7, 4},   {SecurityDevicePath(2), 9, 2},
      {QualificationPath(5), 22, 5}, {MedicalConditionPath(6), 21, 6},
      {IncidentPath(7), 17, 7},      {ClaimPath(0), 18, 0},
      {ConvictionPath(0), 19, 0},    {MakePathEntry(300, 65535), 300, 65535},
  };
  for (const Expected& c : cases) {
    EXPECT_EQ(c.entry.ObjectId, c.object);
    EXPECT_EQ(c.entry.Reserved, 0);
    EXPECT_EQ(c.entry.Index, c.index);
  }
}

TEST(PackedDates, DatesPackAsYearMonthDay) {
  EXPECT_EQ(DateToPacked(QDate(2024, 2, 29)), 2024 * 65536 + 2 * 256 + 29);
  EXPECT_EQ(PackedToDate(2024 * 65536 + 2 * 256 + 29), QDate(2024, 2, 29));
  EXPECT_EQ(DateToPacked(QDate()), 0);
}

TEST(PackedDates, ValuesThatNameNoDateAreNoDate) {
  EXPECT_TRUE(PackedToDate(0).isNull());
  EXPECT_TRUE(PackedToDate(2023 * 65536 + 13 * 256 + 1).isNull());
  EXPECT_TRUE(PackedToDate(2023 * 65536 + 2 * 256 + 29).isNull());
  EXPECT_TRUE(PackedToDate(2023 * 65536 + 1 * 256 + 0).isNull());
  EXPECT_TRUE(PackedToDate(-1).isNull());
}
