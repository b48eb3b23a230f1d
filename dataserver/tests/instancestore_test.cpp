// The instance store: values addressed by property and path, object occurrences with their
// reference counts, matching, ordering and deletion.

#include <gtest/gtest.h>

#include <cstring>

#include "dataserver/tests/sampledictionary.h"

using namespace sample;

namespace {

class InstanceStoreTest : public DictionaryTest {
 protected:
  void SetUp() override { OpenSample(); }

  // Sets a numeric value and answers the instance it went into.
  TInstance* SetNumber(std::int32_t id, std::vector<TPathEntry> path, double value) {
    TInstance* instance = Instances(id).GetInstance(static_cast<int>(path.size()), path.data());
    if (instance != nullptr)
      instance->SetValue(&value);
    return instance;
  }

  double NumberAt(std::int32_t id, std::vector<TPathEntry> path) {
    TInstance* instance = Instances(id).FindInstance(static_cast<int>(path.size()), path.data());
    double value = -1;
    if (instance != nullptr)
      instance->GetValue(&value);
    return value;
  }

  TParentInstance* Occurrence(std::int32_t objectId, std::vector<TPathEntry> path) {
    TInstance* found = Instances(objectId).FindInstance(static_cast<int>(path.size()), path.data());
    return found != nullptr && found->IsObjectInstance() ? static_cast<TParentInstance*>(found)
                                                         : nullptr;
  }

  int TotalInstances() {
    int total = 0;
    for (TProperty* p : dictionary_.Properties())
      total += p->Instances().Count();
    return total;
  }
};

TEST_F(InstanceStoreTest, SettingTwiceOnOnePathKeepsOneInstanceWithTheSecondValue) {
  TInstance* first = SetNumber(kAge, {Entry(kDriver, 0)}, 30);
  TInstance* second = SetNumber(kAge, {Entry(kDriver, 0)}, 31);
  EXPECT_EQ(first, second);
  EXPECT_EQ(Instances(kAge).Count(), 1);
  EXPECT_EQ(NumberAt(kAge, {Entry(kDriver, 0)}), 31);
}

TEST_F(InstanceStoreTest, ValueInstancesKeepTheOrderOfTheirCreation) {
  SetNumber(kAge, {Entry(kDriver, 2)}, 2);
  SetNumber(kAge, {Entry(kDriver, 0)}, 0);
  SetNumber(kAge, {Entry(kDriver, 1)}, 1);
  SetNumber(kAge, {Entry(kDriver, 2)}, 22);  // replaced in place
  ASSERT_EQ(Instances(kAge).Count(), 3);
  EXPECT_EQ(Instances(kAge).Item(0)->Path()[0].Index, 2);
  EXPECT_EQ(Instances(kAge).Item(1)->Path()[0].Index, 0);
  EXPECT_EQ(Instances(kAge).Item(2)->Path()[0].Index, 1);
  EXPECT_EQ(NumberAt(kAge, {Entry(kDriver, 2)}), 22);
}

TEST_F(InstanceStoreTest, OccurrenceCountsTheValuesBeneathIt) {
  SetNumber(kAge, {Entry(kDriver, 2)}, 40);
  TParentInstance* driver2 = Occurrence(kDriver, {Entry(kDriver, 2)});
  ASSERT_NE(driver2, nullptr);
  EXPECT_EQ(driver2->RefCount(), 1);
  EXPECT_EQ(driver2->PathLength(), 1);

  char surname[256] = "Jones";
  Instances(kSurname)
      .GetInstance(1, std::vector<TPathEntry>{Entry(kDriver, 2)}.data())
      ->SetValue(surname);
  EXPECT_EQ(driver2->RefCount(), 2);
  // Setting an existing value again adds no reference.
  SetNumber(kAge, {Entry(kDriver, 2)}, 41);
  EXPECT_EQ(driver2->RefCount(), 2);

  TPathEntry path[] = {Entry(kDriver, 2)};
  Instances(kAge).DestroyInstance(Instances(kAge).FindInstance(1, path));
  EXPECT_EQ(driver2->RefCount(), 1);
  Instances(kSurname).DestroyInstance(Instances(kSurname).FindInstance(1, path));
  EXPECT_EQ(Instances(kDriver).Count(), 0);
  EXPECT_EQ(TotalInstances(), 0);
}

TEST_F(InstanceStoreTest, ValueBeneathANestedObjectCountsAtEveryLevel) {
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 3)}, 500);
  SetNumber(kAge, {Entry(kDriver, 1)}, 50);
  TParentInstance* claim = Occurrence(kClaim, {Entry(kDriver, 1), Entry(kClaim, 3)});
  TParentInstance* driver = Occurrence(kDriver, {Entry(kDriver, 1)});
  ASSERT_NE(claim, nullptr);
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(claim->RefCount(), 1);
  EXPECT_EQ(claim->PathLength(), 2);
  EXPECT_EQ(driver->RefCount(), 2);

  TPathEntry path[] = {Entry(kDriver, 1), Entry(kClaim, 3)};
  Instances(kClaimCost).DestroyInstance(Instances(kClaimCost).FindInstance(2, path));
  EXPECT_EQ(Instances(kClaim).Count(), 0);
  EXPECT_EQ(driver->RefCount(), 1);
}

TEST_F(InstanceStoreTest, ObjectOccurrencesStandSortedByTheirIndices) {
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 2)}, 1);
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 5)}, 2);
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 0)}, 3);
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 1)}, 4);
  SetNumber(kClaimCost, {Entry(kDriver, 2), Entry(kClaim, 0)}, 5);
  const TInstanceList& claims = Instances(kClaim);
  ASSERT_EQ(claims.Count(), 5);
  const int expected[5][2] = {{0, 1}, {0, 5}, {1, 0}, {1, 2}, {2, 0}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(claims.Item(i)->Path()[0].Index, expected[i][0]) << "item " << i;
    EXPECT_EQ(claims.Item(i)->Path()[1].Index, expected[i][1]) << "item " << i;
  }
  const TInstanceList& drivers = Instances(kDriver);
  ASSERT_EQ(drivers.Count(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(drivers.Item(i)->Path()[0].Index, i);
  EXPECT_EQ(static_cast<TParentInstance*>(drivers.Item(0))->RefCount(), 2);
}

TEST_F(InstanceStoreTest, InvalidPathsCreateNothing) {
  EXPECT_EQ(SetNumber(kAge, {Entry(kDriver, 0), Entry(kDriver, 0)}, 1), nullptr);  // too long
  EXPECT_EQ(SetNumber(kClaimCost, {Entry(kClaim, 0)}, 1), nullptr);                // too short
  EXPECT_EQ(SetNumber(kAge, {Entry(kVehicle, 0)}, 1), nullptr);                    // wrong object
  EXPECT_EQ(SetNumber(kClaimCost, {Entry(kClaim, 0), Entry(kDriver, 0)}, 1), nullptr);
  EXPECT_EQ(TotalInstances(), 0);
}

TEST_F(InstanceStoreTest, AnObjectPropertyHoldsNoValue) {
  TPathEntry path[] = {Entry(kDriver, 0)};
  EXPECT_EQ(Instances(kDriver).GetInstance(0, nullptr), nullptr);
  EXPECT_EQ(Instances(kClaim).GetInstance(1, path), nullptr);
  EXPECT_EQ(TotalInstances(), 0);

  SetNumber(kAge, {Entry(kDriver, 0)}, 1);
  TInstance* occurrence = Instances(kDriver).Item(0);
  double value = 0;
  EXPECT_THROW(occurrence->SetValue(&value), EAbstractError);
  EXPECT_THROW(occurrence->GetValue(&value), EAbstractError);
}

TEST_F(InstanceStoreTest, EmptyQueryFindsTheInstanceWhoseIndicesAreAllZero) {
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 1)}, 1);
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 0)}, 2);
  EXPECT_EQ(NumberAt(kClaimCost, {}), 2);
}

TEST_F(InstanceStoreTest, EmptyPathSetsTheFirstOccurrenceSoItReadsBack) {
  double value = 77;
  TInstance* instance = Instances(kClaimCost).GetInstance(0, nullptr);
  ASSERT_NE(instance, nullptr);
  instance->SetValue(&value);
  ASSERT_EQ(instance->PathLength(), 2);
  EXPECT_EQ(instance->Path()[0].ObjectId, kDriver);
  EXPECT_EQ(instance->Path()[1].ObjectId, kClaim);
  EXPECT_EQ(NumberAt(kClaimCost, {}), 77);
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 0)}), 77);
  EXPECT_EQ(Instances(kClaimCost).GetInstance(0, nullptr), instance);
}

TEST_F(InstanceStoreTest, ATopLevelValueHasAnEmptyPath) {
  TInstance* instance = SetNumber(kTopLevel, {}, 9);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(instance->PathLength(), 0);
  EXPECT_EQ(NumberAt(kTopLevel, {}), 9);
  EXPECT_EQ(SetNumber(kTopLevel, {Entry(kDriver, 0)}, 1), nullptr);
}

TEST_F(InstanceStoreTest, ShorterQueryMatchesTheLastEntriesWhenEarlierIndicesAreZero) {
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 4)}, 40);
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 5)}, 15);
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kClaim, 4)}), 40);
  // Claim 5 belongs to driver 1, so the short query cannot name it.
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kClaim, 5)}), -1);
  // A longer query is aligned at its end; its extra leading entries are ignored.
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kVehicle, 9), Entry(kDriver, 1), Entry(kClaim, 5)}), 15);
  // The object identifiers count, not just the indices.
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kVehicle, 4)}), -1);
}

TEST(PathMatching, FollowsTheThreeRulesAndThePrefixRule) {
  const TInstancePath e = {Entry(1, 0), Entry(2, 3), Entry(3, 0)};
  const TPathEntry same[] = {Entry(1, 0), Entry(2, 3), Entry(3, 0)};
  const TPathEntry otherIndex[] = {Entry(1, 0), Entry(2, 4), Entry(3, 0)};
  EXPECT_TRUE(PathMatches(same, 3, e));
  EXPECT_FALSE(PathMatches(otherIndex, 3, e));
  EXPECT_FALSE(PathMatches(nullptr, 0, e));  // index 3 is not zero

  const TPathEntry tail[] = {Entry(2, 3), Entry(3, 0)};
  EXPECT_TRUE(PathMatches(tail, 2, e));
  const TPathEntry lastOnly[] = {Entry(3, 0)};
  EXPECT_FALSE(PathMatches(lastOnly, 1, e));  // entry 1 has index 3

  EXPECT_TRUE(PathPrefixMatches(same, 2, e));
  EXPECT_TRUE(PathPrefixMatches(nullptr, 0, e));
  EXPECT_FALSE(PathPrefixMatches(otherIndex, 2, e));
  const TPathEntry longer[] = {Entry(1, 0), Entry(2, 3), Entry(3, 0), Entry(4, 0)};
  EXPECT_FALSE(PathPrefixMatches(longer, 4, e));
  // The reserved field takes no part.
  const TPathEntry reserved[] = {TPathEntry{1, 77, 0}, TPathEntry{2, 99, 3}, TPathEntry{3, 1, 0}};
  EXPECT_TRUE(PathMatches(reserved, 3, e));
  EXPECT_TRUE(PathPrefixMatches(reserved, 3, e));
}

TEST_F(InstanceStoreTest, ValuesOfEveryTypeRoundTrip) {
  TPathEntry path[] = {Entry(kDriver, 0)};
  char surname[256] = "O'Brien";
  Instances(kSurname).GetInstance(1, path)->SetValue(surname);
  char readBack[256];
  Instances(kSurname).FindInstance(1, path)->GetValue(readBack);
  EXPECT_STREQ(readBack, "O'Brien");

  const PackedDate born = PackDate(1970, 6, 10);
  Instances(kBorn).GetInstance(1, path)->SetValue(&born);
  PackedDate bornBack = 0;
  Instances(kBorn).FindInstance(1, path)->GetValue(&bornBack);
  EXPECT_EQ(bornBack, born);

  // A code the list does not hold is stored as given.
  const std::int32_t code = 999;
  Instances(kMarital).GetInstance(1, path)->SetValue(&code);
  std::int32_t codeBack = 0;
  Instances(kMarital).FindInstance(1, path)->GetValue(&codeBack);
  EXPECT_EQ(codeBack, 999);
}

TEST_F(InstanceStoreTest, StringValuesAreCutAt255Bytes) {
  TPathEntry path[] = {Entry(kDriver, 0)};
  const std::string longText(400, 'x');
  TInstance* instance = Instances(kSurname).GetInstance(1, path);
  instance->SetValue(longText.c_str());
  EXPECT_EQ(static_cast<TStringInstance*>(instance)->Value().size(), 255u);

  // The read stays inside a 256-byte buffer.
  char buffer[300];
  std::memset(buffer, '#', sizeof buffer);
  instance->GetValue(buffer);
  EXPECT_EQ(std::strlen(buffer), 255u);
  for (std::size_t i = 256; i < sizeof buffer; ++i)
    ASSERT_EQ(buffer[i], '#') << "byte " << i;

  // A caller's buffer without a terminator is read no further than 255 bytes.
  char unterminated[256];
  std::memset(unterminated, 'y', sizeof unterminated);
  instance->SetValue(unterminated);
  EXPECT_EQ(static_cast<TStringInstance*>(instance)->Value(), std::string(255, 'y'));
}

TEST_F(InstanceStoreTest, DeleteByPathRemovesMatchingValuesOnly) {
  SetNumber(kAge, {Entry(kDriver, 1)}, 1);
  SetNumber(kAge, {Entry(kDriver, 2)}, 2);
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 0)}, 3);
  TPathEntry driver1[] = {Entry(kDriver, 1)};
  dictionary_.DeleteByPath(1, driver1, 0);
  // The age of driver 1 and the occurrence itself match; the claim beneath does not.
  EXPECT_EQ(NumberAt(kAge, {Entry(kDriver, 1)}), -1);
  EXPECT_EQ(NumberAt(kAge, {Entry(kDriver, 2)}), 2);
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 0)}), 3);
  EXPECT_EQ(Occurrence(kDriver, {Entry(kDriver, 1)}), nullptr);
}

TEST_F(InstanceStoreTest, DeleteByPathWithFlag4RemovesTheOccurrenceAndEverythingBeneath) {
  SetNumber(kAge, {Entry(kDriver, 1)}, 1);
  SetNumber(kAge, {Entry(kDriver, 2)}, 2);
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 0)}, 3);
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 1)}, 4);
  SetNumber(kClaimCost, {Entry(kDriver, 2), Entry(kClaim, 0)}, 5);
  TPathEntry driver1[] = {Entry(kDriver, 1)};
  dictionary_.DeleteByPath(1, driver1, 4);
  EXPECT_EQ(Instances(kAge).Count(), 1);
  EXPECT_EQ(Instances(kClaimCost).Count(), 1);
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kDriver, 2), Entry(kClaim, 0)}), 5);
  EXPECT_EQ(Instances(kDriver).Count(), 1);
  EXPECT_EQ(Instances(kClaim).Count(), 1);
  EXPECT_EQ(Occurrence(kDriver, {Entry(kDriver, 2)})->RefCount(), 2);
}

TEST_F(InstanceStoreTest, DeletingOneNestedOccurrenceKeepsTheCountsAbove) {
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 0)}, 1);
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 1)}, 2);
  TPathEntry claim1[] = {Entry(kDriver, 0), Entry(kClaim, 1)};
  dictionary_.DeleteByPath(2, claim1, 4);
  EXPECT_EQ(Instances(kClaim).Count(), 1);
  TParentInstance* driver = Occurrence(kDriver, {Entry(kDriver, 0)});
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(driver->RefCount(), 1);
  // Removing the last value beneath the driver removes the driver occurrence too.
  TPathEntry claim0[] = {Entry(kDriver, 0), Entry(kClaim, 0)};
  dictionary_.DeleteByPath(2, claim0, 4);
  EXPECT_EQ(TotalInstances(), 0);
}

TEST_F(InstanceStoreTest, UnknownFlagsDeleteOnlyByTheMatchingRule) {
  SetNumber(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 0)}, 3);
  TPathEntry driver1[] = {Entry(kDriver, 1)};
  dictionary_.DeleteByPath(1, driver1, 1 | 2 | 8);
  EXPECT_EQ(NumberAt(kClaimCost, {Entry(kDriver, 1), Entry(kClaim, 0)}), 3);
}

TEST_F(InstanceStoreTest, ClearAllEmptiesTheStoreAndResetsTheReferenceDate) {
  SetNumber(kAge, {Entry(kDriver, 1)}, 1);
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 0)}, 3);
  SetNumber(kTopLevel, {}, 3);
  dictionary_.SetReferenceDate(PackDate(2000, 6, 9));
  dictionary_.ClearAll();
  EXPECT_EQ(TotalInstances(), 0);
  EXPECT_EQ(dictionary_.ReferenceDate(), TodayPacked());
}

TEST_F(InstanceStoreTest, ClearingOneValueListReleasesItsOccurrences) {
  SetNumber(kAge, {Entry(kDriver, 1)}, 1);
  SetNumber(kAge, {Entry(kDriver, 0)}, 1);
  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 0)}, 3);
  Instances(kAge).Clear();
  EXPECT_EQ(Instances(kAge).Count(), 0);
  ASSERT_EQ(Instances(kDriver).Count(), 1);
  EXPECT_EQ(static_cast<TParentInstance*>(Instances(kDriver).Item(0))->RefCount(), 1);
}

TEST_F(InstanceStoreTest, ChildCountIsTheHighestOccurrenceBeneathThePathPlusOne) {
  EXPECT_EQ(Property(kDriver).getObjectCount(), 0);
  SetNumber(kAge, {Entry(kDriver, 0)}, 1);
  SetNumber(kAge, {Entry(kDriver, 3)}, 1);  // gaps count as occurrences
  EXPECT_EQ(Property(kDriver).getObjectCount(), 4);

  SetNumber(kClaimCost, {Entry(kDriver, 0), Entry(kClaim, 1)}, 1);
  SetNumber(kClaimCost, {Entry(kDriver, 3), Entry(kClaim, 4)}, 1);
  TPathEntry driver0[] = {Entry(kDriver, 0)};
  TPathEntry driver3[] = {Entry(kDriver, 3)};
  TPathEntry driver2[] = {Entry(kDriver, 2)};
  EXPECT_EQ(Property(kClaim).getChildCount(1, driver0), 2);
  EXPECT_EQ(Property(kClaim).getChildCount(1, driver3), 5);
  EXPECT_EQ(Property(kClaim).getChildCount(1, driver2), 0);
  EXPECT_EQ(Property(kClaim).getObjectCount(), 5);
  EXPECT_EQ(Property(kEmptyObject).getObjectCount(), 0);
}

TEST_F(InstanceStoreTest, InstanceArrayWalksTheInstancesInListOrder) {
  SetNumber(kAge, {Entry(kDriver, 1)}, 1);
  SetNumber(kAge, {Entry(kDriver, 0)}, 0);
  TInstArray cursor(&Property(kAge));
  ASSERT_NE(cursor.Current(), nullptr);
  EXPECT_EQ(cursor.Current()->Path()[0].Index, 1);
  EXPECT_TRUE(cursor.Next());
  EXPECT_EQ(cursor.Current()->Path()[0].Index, 0);
  EXPECT_FALSE(cursor.Next());
  EXPECT_EQ(cursor.Position, 1);

  TInstArray empty(&Property(kSurname));
  EXPECT_EQ(empty.Current(), nullptr);
  EXPECT_FALSE(empty.Next());
}

}  // namespace
