#include <gtest/gtest.h>

#include "dataserver/dsv.h"
#include "tools/dictc/compileerror.h"
#include "tools/dsvdump/dictionaryfiles.h"
#include "tools/dsvdump/sectiondump.h"
#include "tools/samples/samplebuilder.h"
#include "tools/testsupport/tempfolder.h"

namespace {

const std::string kDictionary = std::string(QM_DEMO_BUILD_DIR) + "/dictionary";
const PackedDate kToday = PackDate(2026, 3, 31);

std::string Date(PackedDate d) {
  return PackedDateText(d);
}

class SampleBuilder : public ::testing::Test {
 protected:
  void SetUp() override {
    dictionary_ = LoadDictionaryView(kDictionary);
    ASSERT_EQ(DsvOpen(1, 1, (kDictionary + "/Lists.BIN").c_str(),
                      (kDictionary + "/Struct.BIN").c_str(), ""),
              0);
  }
  void TearDown() override { DsvClose(); }

  // Builds a sample holding one object and answers the refusal, or an empty fault.
  ECompileError Refusal(const std::string& at, const std::string& values) {
    std::string file = folder_.Write("sample.json", R"({ "title": "t", "objects": [ { "at": )" +
                                                        at + R"(, "values": )" + values + " } ] }");
    try {
      BuildSample(file, dictionary_, folder_.File("sample.PCD"), kToday);
    } catch (const ECompileError& e) {
      return e;
    }
    return ECompileError("", "", "");
  }

  TTempFolder folder_;
  TDictionaryView dictionary_;
};

}  // namespace

TEST(SampleDates, RelativeDatesCountBackFromToday) {
  PackedDate d = 0;
  ASSERT_TRUE(ParseSampleDate("today", kToday, d));
  EXPECT_EQ(Date(d), "31/03/2026");
  ASSERT_TRUE(ParseSampleDate("today-19y-3m", kToday, d));
  EXPECT_EQ(Date(d), "31/12/2006");
  // A month without the day ends on its last day.
  ASSERT_TRUE(ParseSampleDate("today-1m", kToday, d));
  EXPECT_EQ(Date(d), "28/02/2026");
  ASSERT_TRUE(ParseSampleDate("today+1d", kToday, d));
  EXPECT_EQ(Date(d), "01/04/2026");
  ASSERT_TRUE(ParseSampleDate("29/02/2024", kToday, d));
  EXPECT_EQ(Date(d), "29/02/2024");
}

TEST(SampleDates, RefusesAnythingElse) {
  PackedDate d = 0;
  for (const char* text :
       {"yesterday", "today-", "today-3", "today-3w", "31/02/2024", "2024-01-01", "today 3y"})
    EXPECT_FALSE(ParseSampleDate(text, kToday, d)) << text;
}

TEST_F(SampleBuilder, WritesEveryValueIntoTheTolvaneSection) {
  std::string file = folder_.Write("s.json", R"({ "title": "t", "objects": [
      { "at": [["0xF", 1]], "values": { "0xF0005": "today-30y", "0xF002A": "Ng", "0xF0007": 1 } },
      { "at": [["0x6", 0]], "values": { "0x6000E": 4250.5 } } ] })");
  BuildSample(file, dictionary_, folder_.File("s.PCD"), kToday);
  auto sections = ReadSectionFile(folder_.File("s.PCD"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].Name, kSampleSection);
  ASSERT_EQ(sections[0].Values.size(), 4u);
  std::map<std::int32_t, TSectionValue> byId;
  for (const auto& v : sections[0].Values)
    byId[v.PropertyId] = v;
  EXPECT_EQ(Date(byId[0xF0005].Packed), "31/03/1996");
  EXPECT_EQ(byId[0xF0005].Path[0].second, 1);
  EXPECT_EQ(byId[0xF002A].Text, "Ng");
  EXPECT_EQ(byId[0xF0007].Packed, 1);
  EXPECT_DOUBLE_EQ(byId[0x6000E].Number, 4250.5);
}

TEST_F(SampleBuilder, RefusesAnUnknownProperty) {
  auto e = Refusal(R"([["0xF", 0]])", R"({ "0xF0099": 1 })");
  EXPECT_EQ(e.Place(), "/objects/0/values/0xF0099");
  EXPECT_NE(e.Fault().find("unknown property"), std::string::npos);
}

TEST_F(SampleBuilder, RefusesACodeTheListDoesNotHold) {
  auto e = Refusal(R"([["0xF", 0]])", R"({ "0xF0007": 3 })");
  EXPECT_NE(e.Fault().find("code 3 is not in the list of 0xF0007"), std::string::npos);
}

TEST_F(SampleBuilder, RefusesAValueOfTheWrongKind) {
  EXPECT_NE(Refusal(R"([["0x6", 0]])", R"({ "0x6000E": "8000" })").Fault().find("needs a number"),
            std::string::npos);
  EXPECT_NE(Refusal(R"([["0xF", 0]])", R"({ "0xF0005": "1990-03-14" })").Fault().find("dd/mm/yyyy"),
            std::string::npos);
}

TEST_F(SampleBuilder, RefusesAPathTheDataServerRejects) {
  // The date of birth belongs to a driver, not to the vehicle.
  auto e = Refusal(R"([["0x6", 0]])", R"({ "0xF0005": "today" })");
  EXPECT_NE(e.Fault().find("refused 0xF0005"), std::string::npos);
}
