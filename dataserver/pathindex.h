#pragma once
// Finds an instance of one list by the occurrence indices of its path in constant time.
//
// Every instance of a list has a path of the same length naming the same objects (the
// ancestors of the property, and for an object occurrence the object itself), so the indices
// alone tell the instances of a list apart.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dataserver/cacheline.h"
#include "dataserver/inlining.h"
#include "dataserver/pathentry.h"

class TInstance;

// A seed of this run's own for the Data Server's hash tables, so that a hostile file cannot
// choose keys that all fall on one slot.
std::uint64_t HashSeed();

// The indices a path must have: Zeros leading indices of 0, then the indices of the
// Length - Zeros entries at Tail.
struct TIndexKey {
  int Length = 0;
  int Zeros = 0;
  const TPathEntry* Tail = nullptr;

  std::uint16_t At(int i) const { return i < Zeros ? 0 : Tail[i - Zeros].Index; }
};

class TPathIndex {
 public:
  // The instance whose path indices equal the key, or nullptr.
  TInstance* Find(const TIndexKey& key) const {
    if (const std::size_t at = DensePlace(key); at != kNotDense)
      return at < dense_.size() ? dense_[at] : nullptr;
    if (count_ == 0)
      return nullptr;
    const std::uint64_t packed = KeyOf(key);
    for (std::size_t i = HomeOf(packed);; i = (i + 1) & Mask()) {
      const TSlot& slot = slots_[i];
      if (slot.Instance == nullptr)
        return nullptr;
      if (slot.Key == packed && (key.Length <= kPackedEntries || SameIndices(*slot.Instance, key)))
        return slot.Instance;
    }
  }
  // The instance whose path indices equal the key; when there is none, the one make() answers
  // takes its place, found with the same probe (nothing is added when make() raises).
  template <class Make>
  DSV_ALWAYS_INLINE TInstance* FindOrInsert(const TIndexKey& key, Make make) {
    if (const std::size_t at = DensePlace(key); at != kNotDense) {
      if (at >= dense_.size())
        GrowDense(at + 1);
      if (dense_[at] == nullptr) {
        dense_[at] = make();
        ++denseCount_;
      }
      return dense_[at];
    }
    if (Full(count_ + 1, slots_.size()))
      Grow();
    const std::uint64_t packed = KeyOf(key);
    std::size_t i = HomeOf(packed);
    for (; slots_[i].Instance != nullptr; i = (i + 1) & Mask()) {
      const TSlot& slot = slots_[i];
      if (slot.Key == packed && (key.Length <= kPackedEntries || SameIndices(*slot.Instance, key)))
        return slot.Instance;
    }
    TInstance* instance = make();
    slots_[i] = TSlot{packed, instance};
    ++count_;
    return instance;
  }
  // Adds an instance whose path indices are not in the index yet.
  void Insert(TInstance* instance);
  // Removes the instance; nothing happens when it is not in the index.
  void Erase(const TInstance* instance);
  void Clear();
  // Room for this many instances, whose keys are of this length, without growing on the way.
  void Reserve(std::size_t count, int keyLength);
  std::size_t Size() const { return denseCount_ + count_; }

 private:
  // A path of up to four entries is stored as its indices packed into the key, so that look-ups
  // compare keys and never reach into the instances; longer paths store a hash of them.
  static constexpr int kPackedEntries = 4;
  // The occurrences of a top-level object and the values beneath them (keys of one entry), and
  // the first few occurrences of an object beneath those and their values (keys of two entries:
  // a driver's claims), are found by their indices in a plain table: neighbouring occurrences
  // then stand side by side, and no hash is computed. Higher indices, which no proposal reaches,
  // go to the hash table, so that a hostile file cannot make the table large. All keys of one
  // index have the same length, so the two kinds never share a table.
  static constexpr std::size_t kDenseKeys = 1024;
  static constexpr int kDenseInnerBits = 2;  // keys of two entries: second index below 4
  static constexpr std::size_t kDensePlaces = kDenseKeys << kDenseInnerBits;
  static constexpr std::size_t kNotDense = ~std::size_t{0};
  // The key's place in the plain table, or kNotDense.
  static std::size_t DensePlace(const TIndexKey& key) {
    if (key.Length == 1) {
      const std::size_t first = key.At(0);
      return first < kDenseKeys ? first : kNotDense;
    }
    if (key.Length == 2) {
      const std::size_t first = key.At(0);
      const std::size_t second = key.At(1);
      return first < kDenseKeys && second < (std::size_t{1} << kDenseInnerBits)
                 ? first << kDenseInnerBits | second
                 : kNotDense;
    }
    return kNotDense;
  }
  // Makes the plain table at least this long (doubling, at most kDensePlaces).
  void GrowDense(std::size_t size);
  // Keys in a group of slots (see HomeOf).
  static constexpr int kGroupBits = 2;
  static constexpr std::size_t kKeptSlots = 4096;
  struct TSlot {
    std::uint64_t Key = 0;
    TInstance* Instance = nullptr;  // nullptr: the slot is free
  };
  // A group of slots is one cache line.
  using TSlots = std::vector<TSlot, TCacheLineAllocator<TSlot>>;
  static_assert(sizeof(TSlot) << kGroupBits == kCacheLine);

  static std::uint64_t KeyOf(const TIndexKey& key) {
    if (key.Length > kPackedEntries)
      return HashOf(key);
    std::uint64_t packed = 0;
    for (int i = 0; i < key.Length; ++i)
      packed = packed << 16 | key.At(i);
    return packed;
  }
  static std::uint64_t HashOf(const TIndexKey& key);
  static bool SameIndices(const TInstance& instance, const TIndexKey& key);
  // The slot where a key's run starts. Keys that differ only in the low bits of their last
  // index (neighbouring occurrences) share a group of slots, so a walk over the occurrences in
  // order reads neighbouring slots; the groups are scattered by the key mixed with the run's seed.
  std::size_t HomeOf(std::uint64_t key) const {
    const std::uint64_t h = ((key >> kGroupBits) ^ seed_) * 0x9E3779B97F4A7C15ull;
    const std::uint64_t group = (h ^ (h >> 32)) << kGroupBits;
    return static_cast<std::size_t>(group | (key & ((1u << kGroupBits) - 1))) & Mask();
  }
  std::size_t Mask() const { return slots_.size() - 1; }
  // Doubles the table, or makes it at least this many slots.
  void Grow(std::size_t slotCount = 0);

  // Open addressing with linear probing, never more than three quarters full (keeping the
  // table small keeps more of a large proposal in the processor's cache); a power-of-two size.
  static bool Full(std::size_t count, std::size_t slotCount) { return count * 4 > slotCount * 3; }
  TSlots slots_;
  std::size_t count_ = 0;  // in slots_
  std::vector<TInstance*> dense_;
  std::size_t denseCount_ = 0;
  std::uint64_t seed_ = HashSeed();
};
