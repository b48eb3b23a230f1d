// The memory of the instance lists: slots handed out, taken back and handed out again, and
// instances with long paths and texts made, destroyed and made again in that memory.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dataserver/instancestorage.h"
#include "dataserver/tests/sampledictionary.h"

namespace {

TEST(InstanceStorage, SlotsAreAlignedDistinctAndTakenBackForReuse) {
  TInstanceStorage storage;
  std::set<void*> slots;
  for (int i = 0; i < 3000; ++i) {  // several blocks, the largest size among them
    void* slot = storage.Allocate(40);
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(slot) % TInstanceStorage::kSlotAlignment, 0u);
    ASSERT_TRUE(slots.insert(slot).second) << "slot " << i << " handed out twice";
    std::memset(slot, 0xAB, 40);  // the whole slot is the caller's
  }
  void* freed = *slots.begin();
  storage.Free(freed);
  EXPECT_EQ(storage.Allocate(40), freed);

  // A larger instance than the list was made for is refused, never squeezed in.
  EXPECT_THROW(storage.Allocate(4096), std::bad_alloc);

  storage.FreeAll();
  void* fresh = storage.Allocate(40);
  std::memset(fresh, 0, 40);
}

TEST(InstanceStorage, ASmallLastBlockIsKeptWhenAllIsFreed) {
  constexpr std::size_t kSize = 48;
  TInstanceStorage storage;
  std::vector<std::byte*> first;
  for (int i = 0; i < 40; ++i)  // more than the first block holds
    first.push_back(static_cast<std::byte*>(storage.Allocate(kSize)));
  // The slots of the last block are the run of neighbours at the end.
  std::size_t lastBlock = first.size() - 1;
  while (lastBlock > 0 && first[lastBlock] - first[lastBlock - 1] == kSize)
    --lastBlock;
  ASSERT_GT(lastBlock, 0u) << "the slots did not take two blocks";
  const std::size_t used = first.size() - lastBlock;

  storage.FreeAll();
  // The list is filled again, as loading a proposal does: the values go where the last block's
  // were, side by side in the block kept, not into new blocks.
  for (std::size_t i = 0; i < used; ++i)
    ASSERT_EQ(storage.Allocate(kSize), first[lastBlock] + i * kSize) << "slot " << i;
}

TEST(InstanceStorage, ReservedRoomIsTakenAsOneBlock) {
  TInstanceStorage storage;
  std::set<void*> slots;
  for (int i = 0; i < 5; ++i)
    slots.insert(storage.Allocate(40));
  // The first block has room left; the next one must hold the rest of the 500 at once.
  storage.Reserve(500);
  auto* previous = static_cast<std::byte*>(storage.Allocate(40));
  slots.insert(previous);
  std::ptrdiff_t step = 0;
  int blocks = 1;
  for (int i = 1; i < 500; ++i) {
    auto* slot = static_cast<std::byte*>(storage.Allocate(40));
    ASSERT_TRUE(slots.insert(slot).second) << "slot " << i << " handed out twice";
    std::memset(slot, 0xCD, 40);
    if (step == 0)
      step = slot - previous;
    else if (slot - previous != step)
      ++blocks;
    previous = slot;
  }
  EXPECT_EQ(blocks, 2) << "the first block's rest, then one block for all the others";
}

// Objects O1 > O2 > O3 > O4 > O5, each holding a text and a number: the deepest values have
// paths of five entries, longer than an instance keeps inside itself.
constexpr std::int32_t kLevels = 5;

std::int32_t ObjectId(int level) {
  return level + 1;
}
std::int32_t TextId(int level) {
  return (ObjectId(level) << 16) | 1;
}
std::int32_t NumberId(int level) {
  return (ObjectId(level) << 16) | 2;
}

TDictionarySource DeepSource() {
  TDictProperty inner;
  for (int level = kLevels - 1; level >= 0; --level) {
    TDictProperty object;
    object.Identifier = ObjectId(level);
    object.Type = ptObject;
    TDictProperty text;
    text.Identifier = TextId(level);
    text.Type = ptString;
    TDictProperty number;
    number.Identifier = NumberId(level);
    number.Type = ptNumeric;
    object.Children = {text, number};
    if (level < kLevels - 1)
      object.Children.push_back(inner);
    inner = object;
  }
  TDictionarySource source;
  source.Version = sample::kVersion;
  source.TopLevel.push_back(inner);
  return source;
}

class DeepInstanceTest : public DictionaryTest {
 protected:
  void SetUp() override { ASSERT_EQ(OpenSource(DeepSource()), 0); }

  // The path of the deepest values: occurrence i of O5 beneath occurrence i % 3 of the rest.
  static std::vector<TPathEntry> DeepPath(int i) {
    std::vector<TPathEntry> path;
    for (int level = 0; level < kLevels; ++level)
      path.push_back(Entry(static_cast<std::uint16_t>(ObjectId(level)),
                           static_cast<std::uint16_t>(level == kLevels - 1 ? i : i % 3)));
    return path;
  }

  static std::string TextOf(int i, int round) {
    // Long enough that the text lives outside the instance.
    return "driver " + std::to_string(i) + " of round " + std::to_string(round) +
           std::string(60, 'x');
  }

  void SetDeep(int i, int round) {
    const std::vector<TPathEntry> path = DeepPath(i);
    TInstance* text = Instances(TextId(kLevels - 1)).GetInstance(kLevels, path.data());
    ASSERT_NE(text, nullptr);
    const std::string value = TextOf(i, round);
    text->SetValue(value.c_str());
    TInstance* number = Instances(NumberId(kLevels - 1)).GetInstance(kLevels, path.data());
    ASSERT_NE(number, nullptr);
    const double n = i + round * 100000.0;
    number->SetValue(&n);
  }

  void ExpectDeep(int i, int round) {
    const std::vector<TPathEntry> path = DeepPath(i);
    const TInstance* text = Instances(TextId(kLevels - 1)).FindInstance(kLevels, path.data());
    ASSERT_NE(text, nullptr) << i;
    char buffer[kMaxStringValue + 1] = {};
    text->GetValue(buffer);
    EXPECT_EQ(std::string(buffer), TextOf(i, round));
    ASSERT_EQ(text->PathLength(), kLevels);
    for (int level = 0; level < kLevels; ++level) {
      EXPECT_EQ(text->Path()[static_cast<std::size_t>(level)].ObjectId, path[level].ObjectId);
      EXPECT_EQ(text->Path()[static_cast<std::size_t>(level)].Index, path[level].Index);
    }
    const TInstance* number = Instances(NumberId(kLevels - 1)).FindInstance(kLevels, path.data());
    ASSERT_NE(number, nullptr) << i;
    double n = 0;
    number->GetValue(&n);
    EXPECT_EQ(n, i + round * 100000.0);
  }
};

TEST_F(DeepInstanceTest, LongPathsAndTextsSurviveDeletionReuseAndClearing) {
  constexpr int kCount = 2500;  // more than one block of slots
  for (int i = 0; i < kCount; ++i)
    SetDeep(i, 0);
  EXPECT_EQ(Instances(ObjectId(0)).Count(), 3);
  EXPECT_EQ(Instances(ObjectId(kLevels - 1)).Count(), kCount);

  // Every other deepest occurrence goes with everything beneath it; its slots are taken again
  // by the values set next.
  for (int i = 0; i < kCount; i += 2) {
    const std::vector<TPathEntry> path = DeepPath(i);
    dictionary_.DeleteByPath(kLevels, path.data(), 4);
  }
  EXPECT_EQ(Instances(TextId(kLevels - 1)).Count(), kCount / 2);
  EXPECT_EQ(Instances(ObjectId(kLevels - 1)).Count(), kCount / 2);
  for (int i = 1; i < kCount; i += 2)
    ExpectDeep(i, 0);
  for (int i = 0; i < kCount; i += 2)
    SetDeep(i, 1);
  for (int i = 0; i < kCount; ++i)
    ExpectDeep(i, i % 2 == 0 ? 1 : 0);

  // Destroying every value one by one empties the occurrences above them.
  TInstanceList& texts = Instances(TextId(kLevels - 1));
  while (texts.Count() > 0)
    texts.DestroyInstance(texts.Item(texts.Count() - 1));
  TInstanceList& numbers = Instances(NumberId(kLevels - 1));
  numbers.Clear();
  for (int level = 0; level < kLevels; ++level)
    EXPECT_EQ(Instances(ObjectId(level)).Count(), 0) << level;

  for (int i = 0; i < 100; ++i)
    SetDeep(i, 2);
  for (int i = 0; i < 100; ++i)
    ExpectDeep(i, 2);
  dictionary_.ClearAll();
  EXPECT_EQ(Instances(TextId(kLevels - 1)).Count(), 0);
  SetDeep(7, 3);
  ExpectDeep(7, 3);
}

}  // namespace
