#include "dataserver/pathindex.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "dataserver/instance.h"

namespace {

std::uint64_t MakeSeed() {
  std::uint64_t value =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    value ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No source of randomness: the clock alone seeds the indices.
  }
  return value;
}

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

TIndexKey PathKeyOf(const TInstance& instance) {
  return TIndexKey{instance.PathLength(), 0, instance.Path().data()};
}

}  // namespace

std::uint64_t HashSeed() {
  static const std::uint64_t seed = MakeSeed();
  return seed;
}

std::uint64_t TPathIndex::HashOf(const TIndexKey& key) {
  std::uint64_t h = static_cast<std::uint64_t>(key.Length);
  for (int i = 0; i < key.Length; ++i)
    h = Mix(h * 0x100000001B3ull + key.At(i));
  return h;
}

bool TPathIndex::SameIndices(const TInstance& instance, const TIndexKey& key) {
  if (instance.PathLength() != key.Length)
    return false;
  const TPathView path = instance.Path();
  for (int i = 0; i < key.Length; ++i)
    if (path[static_cast<std::size_t>(i)].Index != key.At(i))
      return false;
  return true;
}

void TPathIndex::Insert(TInstance* instance) {
  if (DensePlace(PathKeyOf(*instance)) != kNotDense) {
    FindOrInsert(PathKeyOf(*instance), [instance] { return instance; });
    return;
  }
  if (Full(count_ + 1, slots_.size()))
    Grow();
  const std::uint64_t key = KeyOf(PathKeyOf(*instance));
  std::size_t i = HomeOf(key);
  while (slots_[i].Instance != nullptr)
    i = (i + 1) & Mask();
  slots_[i] = TSlot{key, instance};
  ++count_;
}

void TPathIndex::Erase(const TInstance* instance) {
  if (instance == nullptr)
    return;
  if (const std::size_t at = DensePlace(PathKeyOf(*instance)); at != kNotDense) {
    if (at < dense_.size() && dense_[at] == instance) {
      dense_[at] = nullptr;
      --denseCount_;
    }
    return;
  }
  if (count_ == 0)
    return;
  std::size_t hole = HomeOf(KeyOf(PathKeyOf(*instance)));
  while (slots_[hole].Instance != instance) {
    if (slots_[hole].Instance == nullptr)
      return;
    hole = (hole + 1) & Mask();
  }
  slots_[hole] = TSlot{};
  --count_;
  // Moves back every later slot of the run that the hole would otherwise cut off from its
  // home slot, so that look-ups never need markers of removed slots.
  for (std::size_t j = (hole + 1) & Mask(); slots_[j].Instance != nullptr; j = (j + 1) & Mask()) {
    const std::size_t home = HomeOf(slots_[j].Key);
    const bool reachable = hole <= j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (reachable)
      continue;
    slots_[hole] = slots_[j];
    slots_[j] = TSlot{};
    hole = j;
  }
}

void TPathIndex::Clear() {
  std::fill(dense_.begin(), dense_.end(), nullptr);  // 32 KB at most: kept for the next proposal
  denseCount_ = 0;
  // A small table is kept for the next proposal, which is usually of the same size; a large
  // one is given back.
  if (slots_.size() <= kKeptSlots)
    std::fill(slots_.begin(), slots_.end(), TSlot{});
  else
    TSlots().swap(slots_);
  count_ = 0;
}

void TPathIndex::GrowDense(std::size_t size) {
  dense_.resize(std::min(kDensePlaces, std::max(size, dense_.size() * 2)), nullptr);
}

void TPathIndex::Reserve(std::size_t count, int keyLength) {
  if (keyLength == 1) {
    if (count > dense_.size())
      GrowDense(count);
    if (count <= kDenseKeys)
      return;
    count -= kDenseKeys;  // the rest may have indices beyond the plain table
  } else if (keyLength == 2) {
    // Where the keys fall depends on how many stand under each first index: the plain table
    // takes at least as many places as there are keys, and grows to the rest as they come.
    if (count > dense_.size())
      GrowDense(count);
    return;
  }
  std::size_t slots = slots_.empty() ? 8 : slots_.size();
  while (Full(count, slots))
    slots *= 2;
  if (slots > slots_.size())
    Grow(slots);
}

void TPathIndex::Grow(std::size_t slots) {
  TSlots old;
  old.swap(slots_);
  slots_.assign(std::max(slots, old.empty() ? std::size_t{8} : old.size() * 2), TSlot{});
  for (const TSlot& slot : old) {
    if (slot.Instance == nullptr)
      continue;
    std::size_t i = HomeOf(slot.Key);
    while (slots_[i].Instance != nullptr)
      i = (i + 1) & Mask();
    slots_[i] = slot;
  }
}
