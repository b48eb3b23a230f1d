// The value operations of the call interface and their statuses.
#include <gtest/gtest.h>

#include <cstring>

#include "dataserver/dictionary.h"
#include "dataserver/tests/testdictionary.h"

namespace dsvtest {
namespace {

class DsvValues : public DsvTest {};
class DsvAbiValues : public DsvTest {};

TEST_F(DsvValues, EveryTypeIsStoredAndReadBack) {
  SetNumber(kAge, DriverPath(1), 37.25);
  SetText(kSurname, DriverPath(1), "Ng");
  SetDate(kBorn, DriverPath(1), 1980, 2, 29);
  SetCode(kSex, DriverPath(1), 2);
  double number = 0;
  std::string text;
  std::int32_t date = 0;
  std::int32_t code = 0;
  EXPECT_EQ(GetNumber(kAge, DriverPath(1), number), 0);
  EXPECT_EQ(number, 37.25);
  EXPECT_EQ(GetText(kSurname, DriverPath(1), text), 0);
  EXPECT_EQ(text, "Ng");
  EXPECT_EQ(GetInteger(kBorn, DriverPath(1), date), 0);
  EXPECT_EQ(date, PackDate(1980, 2, 29));
  EXPECT_EQ(GetInteger(kSex, DriverPath(1), code), 0);
  EXPECT_EQ(code, 2);
}

TEST_F(DsvValues, SettingTwiceReplacesTheValue) {
  SetNumber(kAge, DriverPath(0), 1);
  SetNumber(kAge, DriverPath(0), 2);
  double number = 0;
  EXPECT_EQ(GetNumber(kAge, DriverPath(0), number), 0);
  EXPECT_EQ(number, 2);
  std::uint16_t limit = 0;
  std::uint16_t count = 0;
  EXPECT_EQ(DsvQueryInstanceCount(kAge, &limit, &count), 0);
  EXPECT_EQ(count, 1);
}

TEST_F(DsvValues, TextsAreCutAt255Characters) {
  const std::string longText(400, 'q');
  SetText(kSurname, DriverPath(0), longText);
  char buffer[300];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(DsvQueryValue(kSurname, 1, DriverPath(0).data(), buffer), 0);
  EXPECT_EQ(std::strlen(buffer), 255u);
  EXPECT_EQ(buffer[256], '#');  // nothing written past the 256-byte buffer
}

TEST_F(DsvValues, SetFailures) {
  double value = 1;
  const auto path = DriverPath(0);
  EXPECT_EQ(DsvSetValue(0x7F0001, 1, path.data(), &value), dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvSetValue(kDriver, 1, path.data(), &value), dsv_status::kNoValue);
  EXPECT_EQ(DsvSetValue(kAge, 2, ClaimPath(0, 0).data(), &value), dsv_status::kNoValue);
  const std::vector<TPathEntry> wrongObject = {Entry(kVehicle, 0)};
  EXPECT_EQ(DsvSetValue(kAge, 1, wrongObject.data(), &value), dsv_status::kNoValue);
  EXPECT_EQ(DsvSetValue(kAge, -1, path.data(), &value), dsv_status::kNoValue);
  EXPECT_EQ(DsvSetValue(kAge, 1, nullptr, &value), dsv_status::kNoValue);
  EXPECT_EQ(DsvSetValue(kAge, 1, path.data(), nullptr), dsv_status::kInternalError);
  std::uint16_t limit = 0;
  std::uint16_t count = 9;
  EXPECT_EQ(DsvQueryInstanceCount(kAge, &limit, &count), 0);
  EXPECT_EQ(count, 0);  // nothing was created by the failures
}

TEST_F(DsvValues, QueryAnswersTheDefaultWhenThereIsNoValue) {
  double years = 0;
  EXPECT_EQ(GetNumber(kYears, DriverPath(4), years), 0);
  EXPECT_EQ(years, 3);
  std::string title;
  EXPECT_EQ(GetText(kTitle, DriverPath(4), title), 0);
  EXPECT_EQ(title, "Mr");
  std::int32_t passed = 0;
  EXPECT_EQ(GetInteger(kPassed, DriverPath(4), passed), 0);
  EXPECT_EQ(passed, TodayPacked());
  std::int32_t since = 0;
  EXPECT_EQ(GetInteger(kSince, DriverPath(4), since), 0);
  EXPECT_EQ(since, PackDate(2003, 2, 1));
  double age = 0;
  EXPECT_EQ(GetNumber(kAge, DriverPath(4), age), dsv_status::kNoValue);
  EXPECT_EQ(GetNumber(0x7F0001, DriverPath(4), age), dsv_status::kUnknownProperty);
}

TEST_F(DsvValues, QueryingAnObjectOccurrenceAnswers1020) {
  SetText(kSurname, DriverPath(0), "Ann");
  double nothing = 0;
  EXPECT_EQ(DsvQueryValue(kDriver, 1, DriverPath(0).data(), &nothing), dsv_status::kInternalError);
}

TEST_F(DsvValues, QueryFollowsTheMatchingRules) {
  SetNumber(kClaimCost, ClaimPath(0, 3), 99);
  double cost = 0;
  // A shorter query matches the instance's last entries when the earlier indices are 0.
  const std::vector<TPathEntry> claimOnly = {Entry(kClaim, 3)};
  EXPECT_EQ(DsvQueryValue(kClaimCost, 1, claimOnly.data(), &cost), 0);
  EXPECT_EQ(cost, 99);
  EXPECT_EQ(DsvQueryValueExists(kClaimCost, 1, claimOnly.data()), 0);
  EXPECT_EQ(DsvQueryValueExists(kClaimCost, 2, ClaimPath(1, 3).data()), dsv_status::kNoValue);
  EXPECT_EQ(DsvQueryValueExists(0x7F0001, 0, nullptr), dsv_status::kUnknownProperty);
}

TEST_F(DsvValues, DeleteRemovesTheValueAndItsOccurrence) {
  SetNumber(kAge, DriverPath(1), 30);
  EXPECT_EQ(DsvDeleteValue(kAge, 1, DriverPath(1).data()), 0);
  EXPECT_EQ(DsvQueryValueExists(kAge, 1, DriverPath(1).data()), dsv_status::kNoValue);
  std::uint16_t limit = 0;
  std::uint16_t count = 9;
  ASSERT_EQ(DsvQueryInstanceCount(kDriver, &limit, &count), 0);
  EXPECT_EQ(count, 0);
}

TEST_F(DsvValues, DeleteFailures) {
  EXPECT_EQ(DsvDeleteValue(kAge, 1, DriverPath(1).data()), 0);  // nothing there: success
  EXPECT_EQ(DsvDeleteValue(0x7F0001, 1, DriverPath(1).data()), dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvDeleteValue(kAge, 2, ClaimPath(0, 0).data()), dsv_status::kNoValue);
  EXPECT_EQ(DsvDeleteValue(kDriver, 1, DriverPath(1).data()), dsv_status::kNoValue);
}

TEST_F(DsvValues, InstanceCount) {
  SetNumber(kAge, DriverPath(0), 1);
  SetNumber(kAge, DriverPath(3), 2);
  std::uint16_t limit = 0;
  std::uint16_t count = 0;
  ASSERT_EQ(DsvQueryInstanceCount(kAge, &limit, &count), 0);
  EXPECT_EQ(limit, 255);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(DsvQueryInstanceCount(0x7F0001, &limit, &count), dsv_status::kCountUnknownProperty);
}

TEST_F(DsvValues, DeleteObjectRemovesTheOccurrenceAndEverythingBeneath) {
  SetText(kSurname, DriverPath(1), "Bo");
  SetNumber(kClaimCost, ClaimPath(1, 0), 10);
  SetText(kSurname, DriverPath(2), "Cy");
  EXPECT_EQ(DsvDeleteObject(1, DriverPath(1).data(), 4), 0);
  EXPECT_EQ(DsvQueryValueExists(kSurname, 1, DriverPath(1).data()), dsv_status::kNoValue);
  EXPECT_EQ(DsvQueryValueExists(kClaimCost, 2, ClaimPath(1, 0).data()), dsv_status::kNoValue);
  EXPECT_EQ(DsvQueryValueExists(kSurname, 1, DriverPath(2).data()), 0);
  EXPECT_EQ(DsvDeleteObject(-3, DriverPath(2).data(), 4), 0);  // nonsense length: nothing
  EXPECT_EQ(DsvQueryValueExists(kSurname, 1, DriverPath(2).data()), 0);
}

TEST_F(DsvValues, ClearAllEmptiesTheStoreAndResetsTheReferenceDate) {
  SetText(kSurname, DriverPath(0), "Ann");
  const PackedDate start = PackDate(2001, 5, 6);
  ASSERT_EQ(DsvSetReferenceDate(&start), 0);
  EXPECT_EQ(DataDictionary().ReferenceDate(), start);
  EXPECT_EQ(DsvClearAll(), 0);
  EXPECT_EQ(DsvQueryValueExists(kSurname, 1, DriverPath(0).data()), dsv_status::kNoValue);
  EXPECT_EQ(DataDictionary().ReferenceDate(), TodayPacked());
}

TEST_F(DsvValues, AReferenceDateThatNamesNoDayIsNoDate) {
  const PackedDate bad = PackDate(2001, 2, 29);
  EXPECT_EQ(DsvSetReferenceDate(&bad), 0);
  EXPECT_EQ(DataDictionary().ReferenceDate(), 0);
  EXPECT_EQ(DsvSetReferenceDate(nullptr), 0);
  EXPECT_EQ(DataDictionary().ReferenceDate(), 0);
}

TEST_F(DsvAbiValues, SetStoresTheCodeOfTheEntryWithThatAbiCode) {
  const auto path = DriverPath(0);
  EXPECT_EQ(DsvSetABIValue(kMarital, 1, path.data(), "D"), 0);
  std::int32_t code = 0;
  EXPECT_EQ(GetInteger(kMarital, path, code), 0);
  EXPECT_EQ(code, 3);
  char abi[256] = "";
  EXPECT_EQ(DsvQueryABIValue(kMarital, 1, path.data(), abi), 0);
  EXPECT_STREQ(abi, "D");
}

TEST_F(DsvAbiValues, AnAbiCodeTheListDoesNotHoldStoresNothing) {
  const auto path = DriverPath(0);
  EXPECT_EQ(DsvSetABIValue(kSex, 1, path.data(), "X"), dsv_status::kCodeNotInList);
  EXPECT_EQ(DsvQueryValueExists(kSex, 1, path.data()), dsv_status::kNoValue);
  SetCode(kSex, path, 1);
  EXPECT_EQ(DsvSetABIValue(kSex, 1, path.data(), "m"), dsv_status::kCodeNotInList);  // exact
  std::int32_t code = 0;
  EXPECT_EQ(GetInteger(kSex, path, code), 0);
  EXPECT_EQ(code, 1);
}

TEST_F(DsvAbiValues, AnEmptyAbiCodeDeletesTheValue) {
  const auto path = DriverPath(0);
  SetCode(kSex, path, 2);
  EXPECT_EQ(DsvSetABIValue(kSex, 1, path.data(), ""), 0);
  EXPECT_EQ(DsvQueryValueExists(kSex, 1, path.data()), dsv_status::kNoValue);
  EXPECT_EQ(DsvSetABIValue(kSex, 1, path.data(), nullptr), 0);
}

TEST_F(DsvAbiValues, SetFailures) {
  const auto path = DriverPath(0);
  EXPECT_EQ(DsvSetABIValue(kSurname, 1, path.data(), "M"), dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvSetABIValue(0x7F0001, 1, path.data(), "M"), dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvSetABIValue(kSex, 2, ClaimPath(0, 0).data(), "M"), dsv_status::kNoValue);
}

TEST_F(DsvAbiValues, QueryAnswersTheAbiCodeOfTheStoredOrDefaultEntry) {
  char abi[256] = "untouched";
  const auto path = DriverPath(0);
  EXPECT_EQ(DsvQueryABIValue(kSex, 1, path.data(), abi), dsv_status::kNoValue);
  EXPECT_STREQ(abi, "untouched");
  EXPECT_EQ(DsvQueryABIValue(kMarital, 1, path.data(), abi), 0);  // default "2"
  EXPECT_STREQ(abi, "M");
  SetCode(kSex, path, 9);
  EXPECT_EQ(DsvQueryABIValue(kSex, 1, path.data(), abi), dsv_status::kCodeNotInList);
  EXPECT_EQ(DsvQueryABIValue(kSurname, 1, path.data(), abi), dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvQueryABIValue(0x7F0001, 1, path.data(), abi), dsv_status::kUnknownProperty);
}

}  // namespace
}  // namespace dsvtest
