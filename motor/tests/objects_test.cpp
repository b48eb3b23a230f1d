// Object occurrences: counting beneath a path, deleting, and numbering convictions.

#include "motor/getmotordsv.h"
#include "motor/tests/motortestdictionary.h"

using namespace testdict;

namespace {

TPath Incident(int driver, int incident) {
  return {DriverPath(driver), IncidentPath(incident)};
}
TPath Claim(int driver, int incident) {
  return {DriverPath(driver), IncidentPath(incident), ClaimPath(0)};
}
TPath Conviction(int driver, int incident) {
  return {DriverPath(driver), IncidentPath(incident), ConvictionPath(0)};
}

}  // namespace

class ObjectTest : public MotorDsvTest {
 protected:
  // Driver 0: incidents 0 and 1 with claims; driver 2: incident 0 with a claim.
  void StoreClaims() {
    ASSERT_TRUE(SetListValue(kClaimType, Claim(0, 0), 1));
    ASSERT_TRUE(SetListValue(kClaimType, Claim(0, 1), 2));
    ASSERT_TRUE(SetDateValue(kIncidentDate, Incident(0, 1), QDate(2021, 4, 5)));
    ASSERT_TRUE(SetListValue(kClaimType, Claim(2, 0), 1));
  }
};

TEST_F(ObjectTest, ObjectsWithoutOccurrencesCountNothing) {
  int count = 7;
  EXPECT_FALSE(GetObjectCount({DriverPath(0)}, 17, count));
  EXPECT_EQ(count, 0);
}

TEST_F(ObjectTest, OnlyOccurrencesBeneathTheGivenDriverAreCounted) {
  StoreClaims();
  int count = -1;
  EXPECT_TRUE(GetObjectCount({DriverPath(0)}, 17, count));
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(GetObjectCount({DriverPath(2)}, 17, count));
  EXPECT_EQ(count, 1);
  // The object has occurrences, just none beneath driver 1.
  EXPECT_TRUE(GetObjectCount({DriverPath(1)}, 17, count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(GetObjectCount({DriverPath(0)}, 18, count));
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(GetObjectCount(Incident(0, 1), 18, count));
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(GetObjectCount({}, 15, count));
  EXPECT_EQ(count, 2);
}

TEST_F(ObjectTest, DeletingAnIncidentRemovesItsValuesAndItsClaim) {
  StoreClaims();
  EXPECT_TRUE(DeleteObject(Incident(0, 1)));
  EXPECT_FALSE(ValueExists(kIncidentDate, Incident(0, 1)));
  EXPECT_FALSE(ValueExists(kClaimType, Claim(0, 1)));
  EXPECT_TRUE(ValueExists(kClaimType, Claim(0, 0)));
  int count = 0;
  EXPECT_TRUE(GetObjectCount({DriverPath(0)}, 17, count));
  EXPECT_EQ(count, 1);
}

TEST_F(ObjectTest, ConvictionsWithoutAClaimGetANumberedClaimEntry) {
  ASSERT_TRUE(SetStringValue(kConvictionCode, Conviction(0, 0), "SP30"));
  ASSERT_TRUE(SetStringValue(kConvictionCode, Conviction(0, 1), "CU80"));
  ASSERT_TRUE(SetListValue(kClaimType, Claim(0, 1), 2));
  ASSERT_TRUE(SetStringValue(kConvictionCode, Conviction(1, 0), "DR10"));
  ClearModified();

  NumberConvictions();
  // Numbers follow the walk over every conviction, including the one that already has a claim.
  EXPECT_EQ(GetNumericValue(kClaimNumber, Claim(0, 0)), 1.0);
  EXPECT_FALSE(ValueExists(kClaimNumber, Claim(0, 1)));
  EXPECT_EQ(GetNumericValue(kClaimNumber, Claim(1, 0)), 3.0);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  int claims = 0;
  EXPECT_TRUE(GetObjectCount({DriverPath(1)}, 18, claims));
  EXPECT_EQ(claims, 1);
}

TEST_F(ObjectTest, NumberingTwiceGivesTheSameNumbers) {
  ASSERT_TRUE(SetStringValue(kConvictionCode, Conviction(0, 2), "SP30"));
  NumberConvictions();
  ClearModified();
  NumberConvictions();
  EXPECT_EQ(GetNumericValue(kClaimNumber, Claim(0, 2)), 1.0);
  EXPECT_FALSE(IsModified());
}

// ---- Occurrences deeper than the binding follows ------------------------------------------------

namespace {

// Objects 1 .. depth nested in one another, with a numeric value in the deepest.
TDictionarySource NestedSource(int depth) {
  TDictProperty deepest;
  deepest.Identifier = depth;
  deepest.Type = 0;
  TDictProperty value;
  value.Identifier = depth * 65536 + 1;
  value.Type = 1;
  deepest.Children.push_back(value);
  for (int object = depth - 1; object >= 1; --object) {
    TDictProperty outer;
    outer.Identifier = object;
    outer.Type = 0;
    outer.Children.push_back(deepest);
    deepest = outer;
  }
  TDictionarySource source;
  source.Version = kApplicationNumber * 65536 + kVersion;
  source.TopLevel.push_back(deepest);
  return source;
}

TPath NestedPath(int depth) {
  TPath path;
  for (int object = 1; object <= depth; ++object)
    path.push_back(MakePathEntry(static_cast<std::uint16_t>(object), 0));
  return path;
}

}  // namespace

TEST(ObjectDepth, TwentyLevelsAreCountedAndTwentyOneRaise) {
  for (int depth : {20, 21}) {
    QTemporaryDir folder;
    ScopedScriptedPrompter prompter;
    ASSERT_EQ(OpenQuoteEngine(EngineFiles(
                  WriteDictionary(folder.path(), WriteDictionaryFiles(NestedSource(depth))))),
              0);
    ASSERT_TRUE(SetNumericValue(depth * 65536 + 1, NestedPath(depth), 1, true, false));
    int count = 0;
    if (depth == 20) {
      EXPECT_TRUE(GetObjectCount({}, 20, count));
      EXPECT_EQ(count, 1);
    } else {
      try {
        GetObjectCount({}, 21, count);
        ADD_FAILURE() << "no error for an occurrence 21 levels deep";
      } catch (const EHierarchyError& error) {
        EXPECT_STREQ(error.what(),
                     "Hierarchy array to small, please Contact ZX : procedure GetObjectCount in "
                     "unit GetMotorDSV");
      }
    }
    CloseQuoteEngine();
  }
}
