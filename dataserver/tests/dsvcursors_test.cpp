// Opening and closing the Data Server, the enumeration cursors and the instance arrays.
#include <gtest/gtest.h>

#include <cstring>

#include "dataserver/binarystream.h"
#include "dataserver/dictionary.h"
#include "dataserver/tests/testdictionary.h"

namespace dsvtest {
namespace {

class DsvOpenClose : public DsvTest {};
class DsvEnumerations : public DsvTest {};
class DsvInstArrays : public DsvTest {};

TEST_F(DsvOpenClose, OpensTheDictionaryFiles) {
  EXPECT_TRUE(DataDictionary().IsOpen());
  EXPECT_EQ(DataDictionary().Version(), kVersion);
  EXPECT_NE(DataDictionary().Find(kSurname), nullptr);
  EXPECT_EQ(DataDictionary().ReferenceDate(), TodayPacked());
}

TEST_F(DsvOpenClose, AMissingFileAnswers1003) {
  const std::string lists = folder_.File("Lists.BIN");
  EXPECT_EQ(DsvOpen(kApp, kDictVersion, lists.c_str(), folder_.File("none").c_str(), ""),
            dsv_status::kFileMissing);
  EXPECT_EQ(DsvOpen(kApp, kDictVersion, folder_.File("none").c_str(),
                    folder_.File("Struct.BIN").c_str(), ""),
            dsv_status::kFileMissing);
  EXPECT_EQ(DsvOpen(kApp, kDictVersion, nullptr, nullptr, nullptr), dsv_status::kFileMissing);
  EXPECT_FALSE(DataDictionary().IsOpen());
}

TEST_F(DsvOpenClose, AnotherVersionAnswers1008) {
  EXPECT_EQ(DsvOpen(kApp, kDictVersion + 1, folder_.File("Lists.BIN").c_str(),
                    folder_.File("Struct.BIN").c_str(), ""),
            dsv_status::kWrongVersion);
  EXPECT_EQ(DsvOpen(kApp + 1, kDictVersion, folder_.File("Lists.BIN").c_str(),
                    folder_.File("Struct.BIN").c_str(), ""),
            dsv_status::kWrongVersion);
  EXPECT_FALSE(DataDictionary().IsOpen());
}

TEST_F(DsvOpenClose, ADamagedStructureAnswers1004) {
  std::vector<std::uint8_t> damaged = files_.Struct;
  damaged.resize(damaged.size() / 2);
  ASSERT_TRUE(WriteBytesToFile(folder_.File("Struct.BIN"), damaged));
  EXPECT_EQ(DsvOpen(kApp, kDictVersion, folder_.File("Lists.BIN").c_str(),
                    folder_.File("Struct.BIN").c_str(), ""),
            dsv_status::kOpenError);
  EXPECT_FALSE(DataDictionary().IsOpen());
}

TEST_F(DsvOpenClose, CloseEndsEveryCursor) {
  DsvHandle list = 0;
  DsvHandle array = 0;
  SetText(kSurname, DriverPath(0), "Ann");
  ASSERT_EQ(DsvBeginEnumList(kSex, &list), 0);
  ASSERT_EQ(DsvBeginInstArray(kSurname, &array), 0);
  EXPECT_EQ(DsvClose(), 0);
  EXPECT_FALSE(DataDictionary().IsOpen());
  EXPECT_EQ(DsvEndEnumList(list), dsv_status::kBadHandle);
  EXPECT_EQ(DsvEndInstArray(array), dsv_status::kBadHandle);
  // Nothing is known while closed.
  double value = 1;
  EXPECT_EQ(DsvSetValue(kAge, 1, DriverPath(0).data(), &value), dsv_status::kUnknownProperty);
}

TEST_F(DsvOpenClose, ReopeningDropsValuesAndCursors) {
  SetText(kSurname, DriverPath(0), "Ann");
  DsvHandle list = 0;
  ASSERT_EQ(DsvBeginEnumList(kSex, &list), 0);
  ASSERT_EQ(OpenSource(Source()), 0);
  EXPECT_EQ(DsvQueryValueExists(kSurname, 1, DriverPath(0).data()), dsv_status::kNoValue);
  EXPECT_EQ(DsvEndEnumList(list), dsv_status::kBadHandle);
}

TEST_F(DsvOpenClose, CompanionComponentsSucceed) {
  EXPECT_EQ(RiOpen(0), 0);
  EXPECT_EQ(RiClose(), 0);
  EXPECT_EQ(EdiOpen(kApp, kDictVersion, "EDIDEF.BIN", "EDIMAP.BIN"), 0);
  EXPECT_EQ(EdiSetTempFile("~EDITEMP.$$$"), 0);
}

TEST_F(DsvEnumerations, WalksAListInDisplayOrder) {
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginEnumList(kMarital, &handle), 0);
  std::int32_t count = 0;
  ASSERT_EQ(DsvQueryEnumListCount(handle, &count), 0);
  EXPECT_EQ(count, 3);
  std::int32_t code = 0;
  std::int32_t ordinal = 0;
  char description[256];
  char abi[256];
  std::vector<std::string> seen;
  while (DsvGetEnumListNext(handle, &code, &ordinal, description, abi) == 0)
    seen.push_back(std::to_string(code) + "/" + std::to_string(ordinal) + "/" + description + "/" +
                   abi);
  EXPECT_EQ(seen, (std::vector<std::string>{"1/1/Single/S", "2/2/Married/M", "3/3/Divorced/D"}));
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, &ordinal, description, abi),
            dsv_status::kEnumExhausted);
  EXPECT_EQ(DsvEndEnumList(handle), 0);
}

TEST_F(DsvEnumerations, NotAListAnswers1005AndNoHandle) {
  DsvHandle handle = 12345;
  EXPECT_EQ(DsvBeginEnumList(kSurname, &handle), dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvBeginEnumList(0x7F0001, &handle), dsv_status::kUnknownProperty);
  EXPECT_EQ(handle, 12345);
}

TEST_F(DsvEnumerations, EndingTwiceAnswers1022) {
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginEnumList(kSex, &handle), 0);
  EXPECT_EQ(DsvEndEnumList(handle), 0);
  EXPECT_EQ(DsvEndEnumList(handle), dsv_status::kBadHandle);
  std::int32_t count = 0;
  EXPECT_EQ(DsvQueryEnumListCount(handle, &count), dsv_status::kBadHandle);
}

TEST_F(DsvEnumerations, UnknownHandlesAnswer1022AndTouchNothing) {
  DsvHandle live = 0;
  ASSERT_EQ(DsvBeginEnumList(kSex, &live), 0);
  for (DsvHandle bad : {0, -1, live + 1, 0x7FFFFFFF}) {
    std::int32_t count = -5;
    std::int32_t code = -5;
    EXPECT_EQ(DsvQueryEnumListCount(bad, &count), dsv_status::kBadHandle);
    EXPECT_EQ(count, -5);
    EXPECT_EQ(DsvGetEnumListNext(bad, &code, nullptr, nullptr, nullptr), dsv_status::kBadHandle);
    EXPECT_EQ(code, -5);
    EXPECT_EQ(DsvFilterEnumList(bad, 1, kMake, 100), dsv_status::kBadHandle);
    EXPECT_EQ(DsvEndEnumList(bad), dsv_status::kBadHandle);
  }
  std::int32_t count = 0;
  EXPECT_EQ(DsvQueryEnumListCount(live, &count), 0);
  EXPECT_EQ(DsvEndEnumList(live), 0);
}

TEST_F(DsvEnumerations, EndedHandlesAreNotHandedOutAgain) {
  DsvHandle first = 0;
  DsvHandle second = 0;
  ASSERT_EQ(DsvBeginEnumList(kSex, &first), 0);
  ASSERT_EQ(DsvEndEnumList(first), 0);
  ASSERT_EQ(DsvBeginEnumList(kSex, &second), 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(DsvEndEnumList(first), dsv_status::kBadHandle);
  EXPECT_EQ(DsvEndEnumList(second), 0);
}

TEST_F(DsvEnumerations, AfterTheLastEntryEveryCallAnswers1024) {
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginEnumList(kSex, &handle), 0);
  std::int32_t code = 0;
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(code, 2);
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr),
            dsv_status::kEnumExhausted);
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr),
            dsv_status::kEnumExhausted);
  EXPECT_EQ(DsvEndEnumList(handle), 0);
}

TEST_F(DsvEnumerations, FilterKeepsTheEntriesOfTheControllingChoice) {
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginEnumList(kModel, &handle), 0);
  ASSERT_EQ(DsvFilterEnumList(handle, 1, kMake, 100), 0);
  std::int32_t count = 0;
  ASSERT_EQ(DsvQueryEnumListCount(handle, &count), 0);
  EXPECT_EQ(count, 3);  // the full list's count
  std::vector<std::int32_t> codes;
  std::int32_t code = 0;
  char description[256];
  while (DsvGetEnumListNext(handle, &code, nullptr, description, nullptr) == 0)
    codes.push_back(code);
  EXPECT_EQ(codes, (std::vector<std::int32_t>{1001, 1002}));
  EXPECT_EQ(DsvEndEnumList(handle), 0);
}

TEST_F(DsvEnumerations, FilterFailuresAnswer1020) {
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginEnumList(kModel, &handle), 0);
  EXPECT_EQ(DsvFilterEnumList(handle, 3, kMake, 100), dsv_status::kInternalError);
  EXPECT_EQ(DsvFilterEnumList(handle, 2, kSex, 1), dsv_status::kInternalError);  // no row
  EXPECT_EQ(DsvFilterEnumList(handle, 2, kMake, 999), dsv_status::kInternalError);
  EXPECT_EQ(DsvFilterEnumList(handle, 2, kMake, 200), 0);
  EXPECT_EQ(DsvEndEnumList(handle), 0);
}

TEST_F(DsvEnumerations, QueryEnumEntryLooksTheCodeUp) {
  char description[256] = "unchanged";
  char abi[256] = "unchanged";
  std::int32_t ordinal = 0;
  ASSERT_EQ(DsvQueryEnumEntry(kClaimType, 30, description, &ordinal, abi), 0);
  EXPECT_STREQ(description, "Fire");
  EXPECT_STREQ(abi, "F");
  EXPECT_EQ(ordinal, 3);
  EXPECT_EQ(DsvQueryEnumEntry(kClaimType, 20, nullptr, &ordinal, nullptr), 0);
  EXPECT_EQ(ordinal, 2);
  EXPECT_EQ(DsvQueryEnumEntry(kClaimType, 25, description, &ordinal, abi),
            dsv_status::kCodeNotInList);
  EXPECT_EQ(DsvQueryEnumEntry(kClaimCost, 10, description, &ordinal, abi),
            dsv_status::kUnknownProperty);
  EXPECT_EQ(DsvQueryEnumEntry(0x7F0001, 10, description, &ordinal, abi),
            dsv_status::kUnknownProperty);
}

TEST_F(DsvEnumerations, LongTextsAreCutToTheBuffer) {
  TDictionarySource source = Source();
  source.Lists[0].Entries[0].Description = std::string(300, 'd');
  source.Lists[0].Entries[0].AbiCode = std::string(280, 'a');
  DsvClose();
  ASSERT_EQ(OpenSource(source), 0);
  char description[256];
  char abi[256];
  std::int32_t ordinal = 0;
  ASSERT_EQ(DsvQueryEnumEntry(kSex, 1, description, &ordinal, abi), 0);
  EXPECT_EQ(std::strlen(description), 255u);
  EXPECT_EQ(std::strlen(abi), 255u);
}

TEST_F(DsvEnumerations, ADamagedListRaisesOnlyWhereErrorsAreNotCaught) {
  // Without a dependency table the models list ends the file; its last entry loses its code.
  TDictionarySource source = Source();
  source.Dependencies.clear();
  DsvClose();
  ASSERT_EQ(OpenSource(source), 0);
  DsvClose();
  std::vector<std::uint8_t> lists = files_.Lists;
  lists.resize(lists.size() - 2);
  ASSERT_TRUE(WriteBytesToFile(folder_.File("Lists.BIN"), lists));
  ASSERT_EQ(DsvOpen(kApp, kDictVersion, folder_.File("Lists.BIN").c_str(),
                    folder_.File("Struct.BIN").c_str(), ""),
            0);

  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginEnumList(kModel, &handle), 0);
  std::int32_t code = 0;
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr), 0);
  EXPECT_THROW(DsvGetEnumListNext(handle, &code, nullptr, nullptr, nullptr), EReadError);
  EXPECT_EQ(DsvEndEnumList(handle), 0);

  // The lookup catches the same error and answers 1020; entries that can be read still answer.
  std::int32_t ordinal = 0;
  EXPECT_EQ(DsvQueryEnumEntry(kModel, 2001, nullptr, &ordinal, nullptr),
            dsv_status::kInternalError);
  EXPECT_EQ(DsvQueryEnumEntry(kModel, 1001, nullptr, &ordinal, nullptr), 0);
}

TEST_F(DsvEnumerations, AListBeyondTheEndOfTheFileCannotBeBegun) {
  std::vector<std::uint8_t> lists = files_.Lists;
  lists.resize(static_cast<std::size_t>(files_.ListOffsets[2]));
  DsvClose();
  ASSERT_TRUE(WriteBytesToFile(folder_.File("Lists.BIN"), lists));
  ASSERT_EQ(DsvOpen(kApp, kDictVersion, folder_.File("Lists.BIN").c_str(),
                    folder_.File("Struct.BIN").c_str(), ""),
            0);
  DsvHandle handle = 0;
  EXPECT_THROW(DsvBeginEnumList(kModel, &handle), EReadError);
  std::int32_t ordinal = 0;
  EXPECT_EQ(DsvQueryEnumEntry(kModel, 1001, nullptr, &ordinal, nullptr),
            dsv_status::kInternalError);
  // The lists before the damage still work.
  ASSERT_EQ(DsvBeginEnumList(kSex, &handle), 0);
  EXPECT_EQ(DsvEndEnumList(handle), 0);
}

TEST_F(DsvInstArrays, WalkTheInstancesInListOrder) {
  SetText(kSurname, DriverPath(2), "Cy");
  SetText(kSurname, DriverPath(0), "Ann");
  SetNumber(kAge, DriverPath(2), 52);
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginInstArray(kSurname, &handle), 0);
  std::vector<std::string> seen;
  do {
    std::uint16_t length = 0;
    TPathEntry path[4] = {};
    ASSERT_EQ(DsvQueryInstArrayPath(handle, &length, path), 0);
    ASSERT_EQ(length, 1);
    char surname[256];
    double age = 0;
    ASSERT_EQ(DsvQueryInstArrayValue(handle, kSurname, surname), 0);
    const DsvStatus ageStatus = DsvQueryInstArrayValue(handle, kAge, &age);
    seen.push_back(std::to_string(path[0].ObjectId) + ":" + std::to_string(path[0].Index) + ":" +
                   surname + ":" + (ageStatus == 0 ? std::to_string(int(age)) : "none"));
  } while (DsvNextInstArray(handle) == 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"15:2:Cy:52", "15:0:Ann:none"}));
  EXPECT_EQ(DsvNextInstArray(handle), dsv_status::kNoFurtherInstance);
  EXPECT_EQ(DsvEndInstArray(handle), 0);
  EXPECT_EQ(DsvEndInstArray(handle), dsv_status::kBadHandle);
}

TEST_F(DsvInstArrays, ObjectOccurrencesStandSortedByIndex) {
  SetText(kSurname, DriverPath(2), "Cy");
  SetText(kSurname, DriverPath(0), "Ann");
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginInstArray(kDriver, &handle), 0);
  std::uint16_t length = 0;
  TPathEntry path[2] = {};
  ASSERT_EQ(DsvQueryInstArrayPath(handle, &length, path), 0);
  EXPECT_EQ(path[0].Index, 0);
  ASSERT_EQ(DsvNextInstArray(handle), 0);
  ASSERT_EQ(DsvQueryInstArrayPath(handle, &length, nullptr), 0);
  EXPECT_EQ(length, 1);
  ASSERT_EQ(DsvQueryInstArrayPath(handle, &length, path), 0);
  EXPECT_EQ(path[0].Index, 2);
  EXPECT_EQ(DsvEndInstArray(handle), 0);
}

TEST_F(DsvInstArrays, NoInstancesAnswers1043AndNoHandle) {
  DsvHandle handle = 777;
  EXPECT_EQ(DsvBeginInstArray(kSurname, &handle), dsv_status::kNoFurtherInstance);
  EXPECT_EQ(DsvBeginInstArray(0x7F0001, &handle), dsv_status::kUnknownProperty);
  EXPECT_EQ(handle, 777);
}

TEST_F(DsvInstArrays, ACursorBeyondDeletedValuesAnswers1043) {
  SetText(kSurname, DriverPath(0), "Ann");
  SetText(kSurname, DriverPath(1), "Bo");
  DsvHandle handle = 0;
  ASSERT_EQ(DsvBeginInstArray(kSurname, &handle), 0);
  ASSERT_EQ(DsvNextInstArray(handle), 0);
  ASSERT_EQ(DsvClearAll(), 0);
  std::uint16_t length = 0;
  char text[256];
  EXPECT_EQ(DsvQueryInstArrayPath(handle, &length, nullptr), dsv_status::kNoFurtherInstance);
  EXPECT_EQ(DsvQueryInstArrayValue(handle, kSurname, text), dsv_status::kNoFurtherInstance);
  EXPECT_EQ(DsvNextInstArray(handle), dsv_status::kNoFurtherInstance);
  EXPECT_EQ(DsvEndInstArray(handle), 0);
}

TEST_F(DsvInstArrays, UnknownHandlesAnswer1022) {
  std::uint16_t length = 0;
  double value = 0;
  EXPECT_EQ(DsvNextInstArray(3), dsv_status::kBadHandle);
  EXPECT_EQ(DsvQueryInstArrayPath(3, &length, nullptr), dsv_status::kBadHandle);
  EXPECT_EQ(DsvQueryInstArrayValue(3, kAge, &value), dsv_status::kBadHandle);
  EXPECT_EQ(DsvEndInstArray(3), dsv_status::kBadHandle);
}

TEST_F(DsvInstArrays, EnumerationHandlesAreNotInstanceArrayHandles) {
  DsvHandle list = 0;
  ASSERT_EQ(DsvBeginEnumList(kSex, &list), 0);
  EXPECT_EQ(DsvEndInstArray(list), dsv_status::kBadHandle);
  EXPECT_EQ(DsvEndEnumList(list), 0);
}

}  // namespace
}  // namespace dsvtest
