// Enumeration cursors: display order, lookup by code, filtering by a controlling choice.

#include <gtest/gtest.h>

#include "dataserver/binarystream.h"
#include "dataserver/tests/sampledictionary.h"

using namespace sample;

namespace {

class EnumerationTest : public DictionaryTest {
 protected:
  void SetUp() override { OpenSample(); }

  std::vector<std::int32_t> Codes(TEnumeration& cursor) {
    std::vector<std::int32_t> codes;
    TEnumEntry entry;
    for (int guard = 0; guard < 100 && cursor.Next(entry); ++guard)
      codes.push_back(entry.Code);
    return codes;
  }
};

TEST_F(EnumerationTest, YieldsEveryEntryInDisplayOrderWithItsFields) {
  TEnumeration cursor(dictionary_, kMarital);
  ASSERT_EQ(cursor.GetState(), TEnumeration::esOpen);
  EXPECT_EQ(cursor.EntryCount(), 3);
  TEnumEntry entry;
  ASSERT_TRUE(cursor.Next(entry));
  EXPECT_EQ(entry.Code, 1);
  EXPECT_EQ(entry.Ordinal, 1);
  EXPECT_EQ(entry.Description, "Married");
  EXPECT_EQ(entry.AbiCode, "M");
  ASSERT_TRUE(cursor.Next(entry));
  EXPECT_EQ(entry.Description, "Single");
  EXPECT_EQ(entry.Ordinal, 2);
  ASSERT_TRUE(cursor.Next(entry));
  EXPECT_EQ(entry.Description, "Divorced");
  EXPECT_EQ(cursor.GetState(), TEnumeration::esExhausted);
  EXPECT_FALSE(cursor.Next(entry));
  EXPECT_FALSE(cursor.Next(entry));
}

TEST_F(EnumerationTest, AOneEntryListYieldsItOnce) {
  TEnumeration cursor(dictionary_, kOnly);
  EXPECT_EQ(Codes(cursor), std::vector<std::int32_t>{5});
  TEnumEntry entry;
  EXPECT_FALSE(cursor.Next(entry));
}

TEST_F(EnumerationTest, UnknownOrNonListPropertyGivesACursorThatIsNotAList) {
  TEnumeration unknown(dictionary_, 0x999999);
  EXPECT_EQ(unknown.GetState(), TEnumeration::esNotAList);
  TEnumeration numeric(dictionary_, kAge);
  EXPECT_EQ(numeric.GetState(), TEnumeration::esNotAList);
  TEnumEntry entry;
  EXPECT_FALSE(numeric.Next(entry));
  EXPECT_FALSE(numeric.FindByCode(1, entry));
}

TEST_F(EnumerationTest, FindsEntriesByCodeThroughTheSearchTree) {
  TEnumeration cursor(dictionary_, kModel);
  TEnumEntry entry;
  for (std::int32_t code : {101, 102, 201, 202, 301}) {
    ASSERT_TRUE(cursor.FindByCode(code, entry)) << code;
    EXPECT_EQ(entry.Code, code);
  }
  ASSERT_TRUE(cursor.FindByCode(202, entry));
  EXPECT_EQ(entry.Ordinal, 4);
  EXPECT_EQ(entry.Description, "Mini");
  EXPECT_EQ(entry.AbiCode, "RO2");
  // Codes below, between and above end at a missing left or right position.
  EXPECT_FALSE(cursor.FindByCode(1, entry));
  EXPECT_FALSE(cursor.FindByCode(150, entry));
  EXPECT_FALSE(cursor.FindByCode(1000, entry));
}

TEST_F(EnumerationTest, CursorsOnTheSharedStreamCanBeInterleaved) {
  TEnumeration makes(dictionary_, kMake);
  TEnumeration models(dictionary_, kModel);
  TEnumEntry make;
  TEnumEntry model;
  std::vector<std::string> seen;
  while (makes.Next(make)) {
    seen.push_back(make.Description);
    if (models.Next(model))
      seen.push_back(model.Description);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"Ford", "Fiesta", "Rover", "Focus", "Vauxhall", "Metro",
                                            "Lada", "Mini"}));
}

TEST_F(EnumerationTest, FilterYieldsTheEntriesOfTheControllingChoice) {
  TEnumeration fords(dictionary_, kModel);
  ASSERT_TRUE(fords.Filter(1, kMake, 10));
  EXPECT_EQ(Codes(fords), (std::vector<std::int32_t>{101, 102}));
  EXPECT_EQ(fords.EntryCount(), 5);

  TEnumeration rovers(dictionary_, kModel);
  ASSERT_TRUE(rovers.Filter(2, kMake, 20));
  EXPECT_EQ(Codes(rovers), (std::vector<std::int32_t>{201, 202}));
}

TEST_F(EnumerationTest, AnEmptyBlockYieldsNothingWhileTheCountStaysFull) {
  TEnumeration cursor(dictionary_, kModel);
  ASSERT_TRUE(cursor.Filter(1, kMake, 30));
  TEnumEntry entry;
  EXPECT_FALSE(cursor.Next(entry));
  EXPECT_EQ(cursor.EntryCount(), 5);
}

TEST_F(EnumerationTest, FilterFailsForABadKindAnAbsentRowOrCodeOrAnOrdinalBeyondTheRow) {
  TEnumeration cursor(dictionary_, kModel);
  EXPECT_FALSE(cursor.Filter(0, kMake, 10));
  EXPECT_FALSE(cursor.Filter(3, kMake, 10));
  EXPECT_FALSE(cursor.Filter(1, kMarital, 1));  // no row for that list
  EXPECT_FALSE(cursor.Filter(1, kMake, 15));    // code not in the makes
  EXPECT_FALSE(cursor.Filter(1, kMake, 40));    // Lada is beyond the row's three blocks
  // A cursor whose filters all failed is still unfiltered.
  EXPECT_EQ(Codes(cursor).size(), 5u);
}

TEST_F(EnumerationTest, FiltersAddUp) {
  TEnumeration cursor(dictionary_, kModel);
  ASSERT_TRUE(cursor.Filter(1, kMake, 10));
  ASSERT_TRUE(cursor.Filter(1, kMake, 20));
  EXPECT_EQ(Codes(cursor), (std::vector<std::int32_t>{101, 102, 201, 202}));
}

TEST_F(EnumerationTest, ABlockOutOfDisplayOrderYieldsAllItsEntries) {
  // The last entry of the list first in the block must not end the walk early.
  TDictionarySource source = sample::Source();
  source.Dependencies[0].Blocks[0] = {4, 0, 2};
  ASSERT_EQ(OpenSource(source), 0);
  TEnumeration cursor(dictionary_, kModel);
  ASSERT_TRUE(cursor.Filter(1, kMake, 10));
  EXPECT_EQ(Codes(cursor), (std::vector<std::int32_t>{301, 101, 201}));
}

TEST_F(EnumerationTest, FilterWithoutADependencyTableFails) {
  TDictionarySource source = sample::Source();
  source.Dependencies.clear();
  ASSERT_EQ(OpenSource(source), 0);
  TEnumeration cursor(dictionary_, kModel);
  EXPECT_FALSE(cursor.Filter(1, kMake, 10));
}

TEST_F(EnumerationTest, AListPropertyWithoutAListIsEmpty) {
  TDictionarySource source = sample::Source();
  source.TopLevel[1].Children[0].List = -1;  // the make, written with list offset 0
  ASSERT_EQ(OpenSource(source), 0);
  TEnumeration cursor(dictionary_, kMake);
  EXPECT_EQ(cursor.GetState(), TEnumeration::esOpen);
  EXPECT_EQ(cursor.EntryCount(), 0);
  TEnumEntry entry;
  EXPECT_FALSE(cursor.Next(entry));
  EXPECT_FALSE(cursor.FindByCode(10, entry));
}

}  // namespace
