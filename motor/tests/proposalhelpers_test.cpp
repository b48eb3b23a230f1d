// Preparing a quotation: the policy dates, owner and keeper.

#include "motor/getmotordsv.h"
#include "motor/tests/motortestdictionary.h"

using namespace testdict;

class ProposalHelperTest : public MotorDsvTest {};

TEST_F(ProposalHelperTest, PolicyStartSetsCoverStartAndEndOneYearLaterWithoutMarking) {
  EXPECT_TRUE(SetPolicyStartDate(QDate(2023, 6, 15)));
  EXPECT_EQ(GetDateValue(kCoverStart, {CoverPath()}), QDate(2023, 6, 15));
  EXPECT_EQ(GetDateValue(kPolicyEnd, {PolicyEndPath()}), QDate(2024, 6, 15));
  EXPECT_FALSE(IsModified());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(ProposalHelperTest, ACoverStartingOn29FebruaryEndsOn28February) {
  EXPECT_TRUE(SetPolicyStartDate(QDate(2024, 2, 29)));
  EXPECT_EQ(GetDateValue(kCoverStart, {CoverPath()}), QDate(2024, 2, 29));
  EXPECT_EQ(GetDateValue(kPolicyEnd, {PolicyEndPath()}), QDate(2025, 2, 28));
}

TEST_F(ProposalHelperTest, PrepareQuoteStartsTheCoverTodayAndNumbersConvictions) {
  ASSERT_TRUE(
      SetStringValue(kConvictionCode, {DriverPath(0), IncidentPath(0), ConvictionPath(0)}, "SP30"));
  PrepareQuote();
  QDate today = QDate::currentDate();
  EXPECT_EQ(GetDateValue(kCoverStart, {CoverPath()}), today);
  EXPECT_EQ(GetDateValue(kPolicyEnd, {PolicyEndPath()}), today.addYears(1));
  EXPECT_EQ(GetNumericValue(kClaimNumber, {DriverPath(0), IncidentPath(0), ClaimPath(0)}), 1.0);
}

TEST_F(ProposalHelperTest, OwnerAndKeeperAreStoredOnTheVehicleAndMark) {
  EXPECT_TRUE(SetRegisteredOwner(2));
  EXPECT_TRUE(IsModified());
  EXPECT_TRUE(SetRegisteredKeeper(3));
  EXPECT_EQ(GetListValue(kRegisteredOwner, {VehiclePath()}), 2);
  EXPECT_EQ(GetListValue(kRegisteredKeeper, {VehiclePath()}), 3);
}
