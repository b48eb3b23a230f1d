#include "dataserver/pathindex.h"

#include <chrono>
#include <random>

#include "dataserver/instance.h"

namespace {

// A seed of its own for every run, so that a hostile quotation file cannot choose paths that
// all fall on one slot.
std::uint64_t HashSeed() {
  static const std::uint64_t seed = [] {
    std::uint64_t value =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
      std::random_device device;
      value ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (...) {
      // No source of randomness: the clock alone seeds the hash.
    }
    return value;
  }();
  return seed;
}

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

std::uint64_t HashOf(const TIndexKey& key) {
  std::uint64_t h = HashSeed() ^ static_cast<std::uint64_t>(key.Length);
  for (int i = 0; i < key.Length; ++i)
    h = (h ^ key.At(i)) * 0x100000001B3ull + 0x9E3779B97F4A7C15ull;
  return Mix(h);
}

TIndexKey KeyOf(const TInstance& instance) {
  return TIndexKey{instance.PathLength(), 0, instance.Path().data()};
}

bool SameIndices(const TInstance& instance, const TIndexKey& key) {
  if (instance.PathLength() != key.Length)
    return false;
  const TInstancePath& path = instance.Path();
  for (int i = 0; i < key.Length; ++i)
    if (path[static_cast<std::size_t>(i)].Index != key.At(i))
      return false;
  return true;
}

}  // namespace

TInstance* TPathIndex::Find(const TIndexKey& key) const {
  if (count_ == 0)
    return nullptr;
  const std::uint64_t hash = HashOf(key);
  for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
    const TSlot& slot = slots_[i];
    if (slot.Instance == nullptr)
      return nullptr;
    if (slot.Hash == hash && SameIndices(*slot.Instance, key))
      return slot.Instance;
  }
}

void TPathIndex::Insert(TInstance* instance) {
  if ((count_ + 1) * 2 > slots_.size())
    Grow();
  const std::uint64_t hash = HashOf(KeyOf(*instance));
  std::size_t i = hash & Mask();
  while (slots_[i].Instance != nullptr)
    i = (i + 1) & Mask();
  slots_[i] = TSlot{hash, instance};
  ++count_;
}

void TPathIndex::Erase(const TInstance* instance) {
  if (count_ == 0 || instance == nullptr)
    return;
  std::size_t hole = HashOf(KeyOf(*instance)) & Mask();
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
    const std::size_t home = slots_[j].Hash & Mask();
    const bool reachable = hole <= j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (reachable)
      continue;
    slots_[hole] = slots_[j];
    slots_[j] = TSlot{};
    hole = j;
  }
}

void TPathIndex::Clear() {
  std::vector<TSlot>().swap(slots_);
  count_ = 0;
}

void TPathIndex::Grow() {
  std::vector<TSlot> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 8 : old.size() * 2, TSlot{});
  for (const TSlot& slot : old) {
    if (slot.Instance == nullptr)
      continue;
    std::size_t i = slot.Hash & Mask();
    while (slots_[i].Instance != nullptr)
      i = (i + 1) & Mask();
    slots_[i] = slot;
  }
}
