// Loading the property tree: lookup, tree links, dictionary order and open failures.

#include <gtest/gtest.h>

#include "dataserver/binarystream.h"
#include "dataserver/status.h"
#include "dataserver/tests/sampledictionary.h"

using namespace sample;

namespace {

class DictionaryLoadTest : public DictionaryTest {};

std::vector<std::uint8_t> StructHeader(std::int32_t topLevelCount) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(topLevelCount);
  return w.Bytes();
}

std::vector<std::uint8_t> EmptyLists() {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(0);
  return w.Bytes();
}

void WriteRecord(TBinaryWriter& w, std::int32_t id, std::uint8_t type, std::int32_t children = 0,
                 std::int32_t listOffset = 0) {
  w.WriteInt32(id);
  w.WriteUInt8(type);
  w.WriteUInt8(0);
  w.WriteShortString("");
  w.WriteInt32(listOffset);
  if (type == ptObject)
    w.WriteInt32(children);
}

TEST_F(DictionaryLoadTest, FindsEveryPropertyByIdentifier) {
  OpenSample();
  EXPECT_TRUE(dictionary_.IsOpen());
  EXPECT_EQ(dictionary_.Version(), kVersion);
  for (std::int32_t id : {kDriver, kClaim, kVehicle, kEmptyObject, kAge, kSurname, kBorn, kMarital,
                          kClaimCost, kClaimDate, kMake, kModel, kOnly, kValue, kTopLevel}) {
    TProperty* p = dictionary_.Find(id);
    ASSERT_NE(p, nullptr) << std::hex << id;
    EXPECT_EQ(p->Identifier, id);
  }
  EXPECT_EQ(dictionary_.Find(0xF0099), nullptr);
  EXPECT_EQ(dictionary_.Find(0), nullptr);
  EXPECT_EQ(dictionary_.Find(-1), nullptr);
  EXPECT_EQ(dictionary_.Properties().size(), 15u);
}

TEST_F(DictionaryLoadTest, PropertiesStandInIdentifierOrder) {
  OpenSample();
  const auto& all = dictionary_.Properties();
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i]->getIndex(), static_cast<int>(i));
    if (i > 0) {
      EXPECT_LT(all[i - 1]->Identifier, all[i]->Identifier);
    }
  }
  TProperty stranger(&dictionary_, kAge);  // same identifier, not in the dictionary
  EXPECT_EQ(stranger.getIndex(), -1);
}

TEST_F(DictionaryLoadTest, BuildsTheTreeInFileOrder) {
  OpenSample();
  TProperty& driver = Property(kDriver);
  EXPECT_EQ(driver.Type, ptObject);
  EXPECT_EQ(driver.Parent, nullptr);
  EXPECT_EQ(driver.getDepth(), 0);
  std::vector<std::int32_t> children;
  for (TProperty* c = driver.firstChild; c != nullptr; c = c->NextSibling) {
    children.push_back(c->Identifier);
    EXPECT_EQ(c->Parent, &driver);
  }
  EXPECT_EQ(children, (std::vector<std::int32_t>{kAge, kSurname, kBorn, kMarital, kClaim}));
  EXPECT_EQ(driver.LastChild, &Property(kClaim));
  EXPECT_EQ(Property(kClaimCost).getDepth(), 2);
  EXPECT_EQ(Property(kClaimCost).Parent, &Property(kClaim));
  EXPECT_EQ(Property(kTopLevel).getDepth(), 0);
  // Top-level properties are chained as siblings too.
  EXPECT_EQ(driver.NextSibling, &Property(kVehicle));
  EXPECT_EQ(Property(kEmptyObject).NextSibling, &Property(kTopLevel));
  EXPECT_EQ(Property(kEmptyObject).firstChild, nullptr);
}

TEST_F(DictionaryLoadTest, ReadsTypesDefaultsAndListOffsets) {
  OpenSample();
  EXPECT_EQ(Property(kAge).Type, ptNumeric);
  EXPECT_TRUE(Property(kAge).HasDefault);
  EXPECT_EQ(Property(kAge).DefaultText, "42");
  EXPECT_EQ(Property(kSurname).Type, ptString);
  EXPECT_EQ(Property(kBorn).Type, ptDate);
  EXPECT_EQ(Property(kMarital).Type, ptList);
  EXPECT_EQ(Property(kMarital).ListOffset, files_.ListOffsets[0]);
  EXPECT_EQ(Property(kModel).ListOffset, files_.ListOffsets[2]);
  EXPECT_FALSE(Property(kValue).HasDefault);
  EXPECT_EQ(Property(kAge).ListOffset, 0);
  EXPECT_FALSE(Property(kAge).ValidInstance());
}

TEST_F(DictionaryLoadTest, ListOffsetIsKeptOnlyForListsAndWhenPositive) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(2);
  WriteRecord(w, 0x10001, ptNumeric, 0, 64);
  WriteRecord(w, 0x10002, ptList, 0, -8);
  ASSERT_EQ(OpenBytes(w.Bytes(), EmptyLists()), 0);
  EXPECT_EQ(Property(0x10001).ListOffset, 0);
  EXPECT_EQ(Property(0x10002).ListOffset, 0);
}

TEST_F(DictionaryLoadTest, NoTopLevelPropertiesLoadsAnEmptyDictionary) {
  EXPECT_EQ(OpenBytes(StructHeader(0), EmptyLists()), 0);
  EXPECT_TRUE(dictionary_.IsOpen());
  EXPECT_TRUE(dictionary_.Properties().empty());
  EXPECT_EQ(dictionary_.Find(1), nullptr);
}

TEST_F(DictionaryLoadTest, ObjectWithoutChildrenIsFollowedByItsSibling) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(1);
  WriteRecord(w, 1, ptObject, 2);
  WriteRecord(w, 2, ptObject, 0);   // no children: the next record is its sibling
  WriteRecord(w, 3, ptObject, -5);  // a negative count gives no children either
  ASSERT_EQ(OpenBytes(w.Bytes(), EmptyLists()), 0);
  EXPECT_EQ(Property(2).Parent, &Property(1));
  EXPECT_EQ(Property(3).Parent, &Property(1));
  EXPECT_EQ(Property(2).NextSibling, &Property(3));
  EXPECT_EQ(Property(3).firstChild, nullptr);
}

TEST_F(DictionaryLoadTest, MissingFileAnswers1003AndLoadsNothing) {
  const auto files = WriteDictionaryFiles(sample::Source());
  ASSERT_TRUE(WriteBytesToFile(folder_.File("Struct.BIN"), files.Struct));
  EXPECT_EQ(dictionary_.Open(kVersion, folder_.File("Lists.BIN"), folder_.File("Struct.BIN")),
            dsv_status::kFileMissing);
  EXPECT_EQ(dictionary_.Open(kVersion, folder_.File("Struct.BIN"), folder_.File("None.BIN")),
            dsv_status::kFileMissing);
  EXPECT_FALSE(dictionary_.IsOpen());
  EXPECT_TRUE(dictionary_.Properties().empty());
}

TEST_F(DictionaryLoadTest, VersionOfEitherFileMustMatch) {
  auto files = WriteDictionaryFiles(sample::Source());
  EXPECT_EQ(OpenBytes(files.Struct, files.Lists, kVersion + 1), dsv_status::kWrongVersion);
  EXPECT_FALSE(dictionary_.IsOpen());

  auto otherLists = files.Lists;
  otherLists[0] ^= 1;
  EXPECT_EQ(OpenBytes(files.Struct, otherLists), dsv_status::kWrongVersion);
  auto otherStruct = files.Struct;
  otherStruct[0] ^= 1;
  EXPECT_EQ(OpenBytes(otherStruct, files.Lists), dsv_status::kWrongVersion);
  EXPECT_FALSE(dictionary_.IsOpen());
  EXPECT_FALSE(dictionary_.Lists().IsOpen());
}

TEST_F(DictionaryLoadTest, CloseDestroysEverythingAndAReopenWorks) {
  OpenSample();
  double value = 5;
  TPathEntry path[] = {Entry(kDriver, 0)};
  Instances(kAge).GetInstance(1, path)->SetValue(&value);
  dictionary_.Close();
  EXPECT_FALSE(dictionary_.IsOpen());
  EXPECT_EQ(dictionary_.Find(kAge), nullptr);
  EXPECT_FALSE(dictionary_.Lists().IsOpen());
  OpenSample();
  EXPECT_EQ(Instances(kAge).Count(), 0);
  EXPECT_EQ(dictionary_.ReferenceDate(), TodayPacked());
}

TEST_F(DictionaryLoadTest, TheDataServerHasOneDictionary) {
  EXPECT_EQ(&DataDictionary(), &DataDictionary());
}

// Damaged or hostile files: every one ends in status 1004, quickly and without a crash.

TEST_F(DictionaryLoadTest, TruncatedStructureAnswers1004) {
  const auto files = WriteDictionaryFiles(sample::Source());
  for (std::size_t cut :
       {std::size_t{2}, std::size_t{6}, std::size_t{13}, files.Struct.size() - 1}) {
    std::vector<std::uint8_t> truncated(files.Struct.begin(), files.Struct.begin() + cut);
    EXPECT_EQ(OpenBytes(truncated, files.Lists), dsv_status::kOpenError) << "cut at " << cut;
    EXPECT_FALSE(dictionary_.IsOpen());
    EXPECT_TRUE(dictionary_.Properties().empty());
    EXPECT_FALSE(dictionary_.Lists().IsOpen());
  }
}

TEST_F(DictionaryLoadTest, EmptyListsFileAnswers1004) {
  const auto files = WriteDictionaryFiles(sample::Source());
  EXPECT_EQ(OpenBytes(files.Struct, {}), dsv_status::kOpenError);
}

TEST_F(DictionaryLoadTest, TopLevelCountBeyondTheFileAnswers1004) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(0x7FFFFFFF);
  WriteRecord(w, 1, ptNumeric);
  EXPECT_EQ(OpenBytes(w.Bytes(), EmptyLists()), dsv_status::kOpenError);
}

TEST_F(DictionaryLoadTest, ChildCountBeyondTheFileAnswers1004) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(1);
  WriteRecord(w, 1, ptObject, 0x7FFFFFFF);
  WriteRecord(w, 2, ptNumeric);
  EXPECT_EQ(OpenBytes(w.Bytes(), EmptyLists()), dsv_status::kOpenError);
}

TEST_F(DictionaryLoadTest, NestedCountsThatAddUpBeyondTheFileAnswer1004) {
  // Every object claims more children than the bytes that remain could describe.
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(1);
  for (int i = 1; i <= 50; ++i)
    WriteRecord(w, i, ptObject, 40);
  EXPECT_EQ(OpenBytes(w.Bytes(), EmptyLists()), dsv_status::kOpenError);
}

TEST_F(DictionaryLoadTest, UnknownPropertyTypeAnswers1004) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(1);
  WriteRecord(w, 1, 7);
  EXPECT_EQ(OpenBytes(w.Bytes(), EmptyLists()), dsv_status::kOpenError);
}

TEST_F(DictionaryLoadTest, DuplicateIdentifierAnswers1004) {
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(2);
  WriteRecord(w, 5, ptNumeric);
  WriteRecord(w, 5, ptString);
  EXPECT_EQ(OpenBytes(w.Bytes(), EmptyLists()), dsv_status::kOpenError);
}

TEST_F(DictionaryLoadTest, AFailedOpenLeavesThePreviousDictionaryClosed) {
  OpenSample();
  TBinaryWriter w;
  w.WriteInt32(kVersion);
  w.WriteInt32(3);
  EXPECT_EQ(OpenBytes(w.Bytes(), EmptyLists()), dsv_status::kOpenError);
  EXPECT_FALSE(dictionary_.IsOpen());
  EXPECT_EQ(dictionary_.Find(kAge), nullptr);
}

}  // namespace
