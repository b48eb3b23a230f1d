// The demo dictionary as the program opens it: through DsvOpen on the files the build made.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dataserver/dsv.h"
#include "tools/dsvdump/sectiondump.h"
#include "tools/testsupport/tempfolder.h"

namespace {

const std::string kDictionary = std::string(QM_DEMO_BUILD_DIR) + "/dictionary";

class DemoDictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        DsvOpen(1, 1, (kDictionary + "/Lists.BIN").c_str(), (kDictionary + "/Struct.BIN").c_str(),
                (kDictionary + "/corvane.msg").c_str()),
        0);
  }
  void TearDown() override { DsvClose(); }
};

struct TExpected {
  std::int32_t Id;
  std::uint8_t Type;  // 1 numeric, 2 string, 3 date, 4 list
};

enum : std::uint8_t { N = 1, S = 2, D = 3, L = 4 };

// Every property the program names, by the chain of objects that holds it.
const std::vector<std::pair<std::vector<std::uint16_t>, std::vector<TExpected>>> kTable = {
    {{2},
     {{0x20005, N},
      {0x2000D, L},
      {0x20016, S},
      {0x20017, S},
      {0x20018, S},
      {0x20019, S},
      {0x2001A, S},
      {0x2001B, S},
      {0x2001C, S},
      {0x2001D, S},
      {0x2001E, S},
      {0x2001F, S},
      {0x20020, S}}},
    {{6},
     {{0x60001, D},
      {0x60003, L},
      {0x60004, L},
      {0x6000C, N},
      {0x6000E, N},
      {0x60010, N},
      {0x60011, L},
      {0x60012, L},
      {0x60013, S},
      {0x60017, L},
      {0x60038, S},
      {0x6005D, L},
      {0x6005E, L},
      {0x6FFFC, L},
      {0x6FFFD, L},
      {0x6FFFE, N},
      {0x6FFFF, L}}},
    {{6, 7}, {{0x70001, L}, {0x70003, L}}},
    {{6, 9}, {{0x90008, L}, {0x90009, L}, {0x90010, L}}},
    {{6, 96},
     {{0x600001, L}, {0x600003, L}, {0x600006, L}, {0x600007, L}, {0x600009, N}, {0x60000C, D}}},
    {{13}, {{0xD0001, L}, {0xD0005, D}, {0xD0006, L}, {0xD0007, N}, {0xD0019, N}, {0xDFFFF, L}}},
    {{15}, {{0xF0004, L}, {0xF0005, D}, {0xF0007, L}, {0xF0008, L}, {0xF000F, L}, {0xF0010, D},
            {0xF0017, L}, {0xF0018, N}, {0xF0019, L}, {0xF001A, N}, {0xF001B, N}, {0xF001C, L},
            {0xF001D, D}, {0xF002A, S}, {0xF002B, S}, {0xF002F, L}, {0xF0035, N}, {0xF0036, N},
            {0xF003B, L}, {0xF003C, L}, {0xF003D, L}, {0xF0041, D}, {0xF0048, L}, {0xF0082, L}}},
    {{15, 17, 18},
     {{0x120001, L},
      {0x120002, D},
      {0x120005, N},
      {0x120007, L},
      {0x12000E, L},
      {0x120010, L},
      {0x12FFFF, N}}},
    {{15, 17, 19},
     {{0x130001, D}, {0x130002, L}, {0x130004, N}, {0x130005, N}, {0x130006, N}, {0x13000F, D}}},
    {{15, 21},
     {{0x150001, L}, {0x150006, D}, {0x150008, L}, {0x15FFFD, L}, {0x15FFFE, L}, {0x15FFFF, L}}},
    {{15, 22}, {{0x160001, L}, {0x16FFFF, L}}},
    {{15, 34}, {{0x220001, L}, {0x220002, L}, {0x220004, L}, {0x220006, L}, {0x22FFFF, L}}},
    {{43}, {{0x2B000C, D}}},
    {{255}, {{0xFF0001, N}, {0xFF0003, S}, {0xFF0004, N}}},
};

std::string Description(std::int32_t listId, std::int32_t code) {
  char text[256] = {}, abi[256] = {};
  std::int32_t ordinal = 0;
  if (DsvQueryEnumEntry(listId, code, text, &ordinal, abi) != 0)
    return "(absent)";
  return text;
}

std::string Abi(std::int32_t listId, std::int32_t code) {
  char text[256] = {}, abi[256] = {};
  std::int32_t ordinal = 0;
  DsvQueryEnumEntry(listId, code, text, &ordinal, abi);
  return abi;
}

std::vector<std::int32_t> Codes(std::int32_t listId, std::int32_t controlling = 0,
                                std::int32_t controllingCode = 0) {
  std::vector<std::int32_t> codes;
  DsvHandle h = 0;
  if (DsvBeginEnumList(listId, &h) != 0)
    return codes;
  if (controlling != 0 && DsvFilterEnumList(h, 1, controlling, controllingCode) != 0) {
    DsvEndEnumList(h);
    return codes;
  }
  std::int32_t code = 0, ordinal = 0;
  char text[256], abi[256];
  while (DsvGetEnumListNext(h, &code, &ordinal, text, abi) == 0)
    codes.push_back(code);
  DsvEndEnumList(h);
  return codes;
}

}  // namespace

TEST_F(DemoDictionary, HoldsEveryPropertyOfTheProgramWithItsTypeAndObject) {
  TTempFolder folder;
  char zero[256] = {};
  for (const auto& [objects, properties] : kTable) {
    std::vector<TPathEntry> path;
    for (auto object : objects)
      path.push_back(TPathEntry{object, 0, 0});
    for (const auto& p : properties)
      EXPECT_EQ(DsvSetValue(p.Id, static_cast<std::int16_t>(path.size()), path.data(), zero), 0)
          << std::hex << p.Id << " is missing or not held by its object";
  }
  // The saved section records each value with its property's type.
  DsvSaveSection(folder.File("types.PCD").c_str(), "Tolvane");
  auto sections = ReadSectionFile(folder.File("types.PCD"));
  ASSERT_EQ(sections.size(), 1u);
  std::map<std::int32_t, std::uint8_t> saved;
  for (const auto& v : sections[0].Values)
    saved[v.PropertyId] = v.Type;
  for (const auto& [objects, properties] : kTable)
    for (const auto& p : properties)
      EXPECT_EQ(saved[p.Id], p.Type) << std::hex << p.Id;
}

TEST_F(DemoDictionary, EveryListPropertyHasEntries) {
  for (const auto& [objects, properties] : kTable)
    for (const auto& p : properties)
      if (p.Type == L) {
        EXPECT_FALSE(Codes(p.Id).empty()) << std::hex << p.Id;
      }
}

TEST_F(DemoDictionary, EveryModelIsReachableThroughItsMake) {
  std::vector<std::int32_t> makes = Codes(0x60003);
  std::vector<std::int32_t> models = Codes(0x60004);
  EXPECT_GE(makes.size(), 30u);
  EXPECT_GE(models.size(), 400u);
  std::multiset<std::int32_t> reached;
  for (std::int32_t make : makes)
    for (std::int32_t model : Codes(0x60004, 0x60003, make)) {
      reached.insert(model);
      EXPECT_EQ(model / 1000, make) << "model " << model << " is listed under make " << make;
    }
  EXPECT_EQ(reached, std::multiset<std::int32_t>(models.begin(), models.end()));
}

TEST_F(DemoDictionary, CarriesTheCodesTheProgramRelyOn) {
  EXPECT_EQ(Description(0x60011, 1), "No");
  EXPECT_EQ(Description(0x60011, 2), "Yes");
  EXPECT_EQ(Description(0x70003, 6), "Yes");
  EXPECT_EQ(Description(0x70003, 7), "No");
  for (std::int32_t device : {266, 268, 270})
    EXPECT_NE(Description(0x90008, device), "(absent)") << device;
  EXPECT_EQ(Description(0x90009, 1), "Yes");
  EXPECT_EQ(Description(0xD0001, 1), "Comprehensive");
  EXPECT_EQ(Description(0xD0001, 3), "Third Party Only");
  for (std::int32_t restriction = 1; restriction <= 8; ++restriction)
    EXPECT_NE(Description(0xD0006, restriction), "(absent)") << restriction;
  EXPECT_EQ(Description(0xF0007, 1), "Female");
  EXPECT_EQ(Description(0xF0007, 2), "Male");
  EXPECT_EQ(Description(0x120007, 3), "No");
  EXPECT_EQ(Description(0x120007, 4), "Yes");
  EXPECT_EQ(Description(0x6FFFC, 1), "Proposer");
  EXPECT_EQ(Description(0x6FFFC, 2), "Driver 1");
  EXPECT_EQ(Description(0xF0004, 1), "Spouse");
  for (std::int32_t code : {0, 1, 2})
    EXPECT_NE(Description(0xF001C, code), "(absent)") << code;
  for (std::int32_t code = 1; code <= 5; ++code)
    EXPECT_NE(Description(0x15FFFF, code), "(absent)") << code;
  for (std::int32_t code = 0; code <= 3; ++code)
    EXPECT_NE(Description(0x160001, code), "(absent)") << code;
  std::set<std::string> endorsements;
  for (std::int32_t code : Codes(0x130002))
    endorsements.insert(Abi(0x130002, code));
  for (const char* code : {"SP30", "CU80", "DR10", "IN10", "TT99"})
    EXPECT_EQ(endorsements.count(code), 1u) << code;
  std::set<std::string> kinds, statuses;
  for (std::int32_t code : Codes(0x220001))
    kinds.insert(Abi(0x220001, code));
  for (std::int32_t code : Codes(0x220006))
    statuses.insert(Abi(0x220006, code));
  EXPECT_EQ(kinds.count("N"), 1u);
  EXPECT_EQ(statuses.count("E"), 1u);
}
