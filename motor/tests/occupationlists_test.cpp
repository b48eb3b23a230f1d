// The business, occupation and employment-status lists built from the occupation map.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "motor/occupationlists.h"
#include "motor/tests/enginefiles.h"

namespace {

TCodedStringList Entries(std::initializer_list<TCodedString> entries) {
  return TCodedStringList(entries);
}

qint32 Coded(quint16 occupation, quint16 qualifier) {
  return static_cast<qint32>((quint32(occupation) << 16) | qualifier);
}

class OccupationListsTest : public ::testing::Test {
 protected:
  OccupationListsTest()
      : map_(OccupationMapBytes({
                 {10,
                  {
                      {100, {{1, {1, 2, 3}}}},               // one qualifier with a text
                      {101, {{2, {4}}, {3, {1, 9}}}},        // two qualifiers, both with texts
                      {102, {{4, {2}}, {5, {3}}, {6, {}}}},  // the first has no text
                      {103, {{1, {1}}}},                     // no occupation text
                  }},
                 {20, {{200, {{7, {5}}}}}},
                 {30, {{300, {{1, {1}}}}}},  // no business text
             }),
             "OccupMap.bin") {
    texts_.Add(ListId::EmployersBusinesses, 10, "Banking")
        .Add(ListId::EmployersBusinesses, 20, "Catering")
        .Add(ListId::Occupations, 100, "Accountant")
        .Add(ListId::Occupations, 101, "Clerk")
        .Add(ListId::Occupations, 102, "Driver")
        .Add(ListId::Occupations, 200, "Chef")
        .Add(ListId::OccupationQualifiers, 1, "Chartered")
        .Add(ListId::OccupationQualifiers, 2, "Senior")
        .Add(ListId::OccupationQualifiers, 3, "Junior")
        .Add(ListId::OccupationQualifiers, 5, "HGV")
        .Add(ListId::OccupationQualifiers, 6, "PSV")
        .Add(ListId::OccupationQualifiers, 7, "Head")
        .Add(ListId::EmploymentStatuses, 1, "Employed")
        .Add(ListId::EmploymentStatuses, 2, "Self-employed")
        .Add(ListId::EmploymentStatuses, 3, "Retired")
        .Add(ListId::EmploymentStatuses, 4, "Director");
  }

  TOccupationMap map_;
  TTestListTexts texts_;
  TCodedStringList list_{{"stale", 99}};
};

TEST_F(OccupationListsTest, BusinessesAreListedAfterSelectLeavingOutThoseWithoutText) {
  EXPECT_TRUE(LoadBusinessList(list_, map_, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"<select>", 0}, {"Banking", 10}, {"Catering", 20}}));
}

TEST_F(OccupationListsTest, ABusinessListWithoutEntriesHasNoSelectEither) {
  TOccupationMap empty(QByteArray(), "OccupMap.bin");
  EXPECT_FALSE(LoadBusinessList(list_, empty, texts_.Lookup()));
  EXPECT_TRUE(list_.isEmpty());
  EXPECT_FALSE(LoadBusinessList(list_, map_, TTestListTexts().Lookup()));
  EXPECT_TRUE(list_.isEmpty());
}

TEST_F(OccupationListsTest, OccupationsFollowTheQualifierRules) {
  EXPECT_TRUE(LoadOccupationList(list_, 10, map_, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({
                       {"<select>", 0},
                       // One qualifier node: the occupation alone, even though it has a text.
                       {"Accountant", Coded(100, 1)},
                       // Two qualifiers with texts: listed twice.
                       {"Clerk (Senior)", Coded(101, 2)},
                       {"Clerk (Junior)", Coded(101, 3)},
                       // A qualifier without a text adds nothing; the rest are qualified.
                       {"Driver (HGV)", Coded(102, 5)},
                       {"Driver (PSV)", Coded(102, 6)},
                   }));
}

TEST_F(OccupationListsTest, AnOccupationWhoseOnlyQualifiedEntryIsTheLastIsListedPlain) {
  // Under 102 the first qualifier (4) has no text, so the last qualifier finds nothing added.
  TOccupationMap map(OccupationMapBytes({{10, {{102, {{4, {}}, {5, {}}}}}}}), "OccupMap.bin");
  EXPECT_TRUE(LoadOccupationList(list_, 10, map, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"Driver", Coded(102, 5)}}));
}

TEST_F(OccupationListsTest, ASingleOccupationHasNoSelect) {
  EXPECT_TRUE(LoadOccupationList(list_, 20, map_, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"Chef", Coded(200, 7)}}));
}

TEST_F(OccupationListsTest, NoOccupationsForAnUnknownOrUnsetBusiness) {
  EXPECT_FALSE(LoadOccupationList(list_, 99, map_, texts_.Lookup()));
  EXPECT_TRUE(list_.isEmpty());
  EXPECT_FALSE(LoadOccupationList(list_, 0, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadOccupationList(list_, -10, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadOccupationList(list_, 30, map_, texts_.Lookup()));  // occupation has no text
}

TEST_F(OccupationListsTest, OccupationCodesAboveThe16BitSignKeepTheirBits) {
  TOccupationMap map(OccupationMapBytes({{10, {{0x9001, {{0x8002, {}}}}}}}), "OccupMap.bin");
  texts_.Add(ListId::Occupations, 0x9001, "Diver");
  EXPECT_TRUE(LoadOccupationList(list_, 10, map, texts_.Lookup()));
  ASSERT_EQ(list_.size(), 1);
  EXPECT_EQ(quint32(list_[0].code), 0x90018002u);
}

TEST_F(OccupationListsTest, StatusesOfAQualifierAreListedAfterSelect) {
  EXPECT_TRUE(LoadEmploymentStatusList(list_, 10, 100, 1, map_, texts_.Lookup()));
  EXPECT_EQ(list_,
            Entries({{"<select>", 0}, {"Employed", 1}, {"Self-employed", 2}, {"Retired", 3}}));
  // A status without a text is left out; a single one has no "<select>".
  EXPECT_TRUE(LoadEmploymentStatusList(list_, 10, 101, 3, map_, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"Employed", 1}}));
  EXPECT_TRUE(LoadEmploymentStatusList(list_, 10, 101, 2, map_, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"Director", 4}}));
}

TEST_F(OccupationListsTest, NoStatusesWhenAnyLevelIsMissingOrUnset) {
  EXPECT_FALSE(LoadEmploymentStatusList(list_, 10, 100, 9, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadEmploymentStatusList(list_, 10, 109, 1, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadEmploymentStatusList(list_, 99, 100, 1, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadEmploymentStatusList(list_, 0, 100, 1, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadEmploymentStatusList(list_, 10, 0, 1, map_, texts_.Lookup()));
  EXPECT_FALSE(LoadEmploymentStatusList(list_, 10, 102, 6, map_, texts_.Lookup()));  // none
  EXPECT_TRUE(list_.isEmpty());
}

TEST_F(OccupationListsTest, TheFileIsReadEachTime) {
  QTemporaryDir folder;
  QString file = folder.filePath("OccupMap.bin");
  WriteTestFile(file, OccupationMapBytes({{20, {{200, {{7, {5}}}}}}}));
  EXPECT_TRUE(LoadBusinessList(list_, file, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"<select>", 0}, {"Catering", 20}}));
  WriteTestFile(file, OccupationMapBytes({{10, {{100, {{1, {1, 2}}}}}}}));
  EXPECT_TRUE(LoadOccupationList(list_, 10, file, texts_.Lookup()));
  EXPECT_EQ(list_, Entries({{"Accountant", Coded(100, 1)}}));
  EXPECT_TRUE(LoadEmploymentStatusList(list_, 10, 100, 1, file, texts_.Lookup()));
  EXPECT_EQ(list_.size(), 3);
}

}  // namespace
