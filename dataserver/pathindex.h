#pragma once
// Finds an instance of one list by the occurrence indices of its path in constant time.
//
// Every instance of a list has a path of the same length naming the same objects (the
// ancestors of the property, and for an object occurrence the object itself), so the indices
// alone tell the instances of a list apart.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dataserver/pathentry.h"

class TInstance;

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
  TInstance* Find(const TIndexKey& key) const;
  // Adds an instance whose path indices are not in the index yet.
  void Insert(TInstance* instance);
  // Removes the instance; nothing happens when it is not in the index.
  void Erase(const TInstance* instance);
  void Clear();
  std::size_t Size() const { return count_; }

 private:
  struct TSlot {
    std::uint64_t Hash = 0;
    TInstance* Instance = nullptr;  // nullptr: the slot is free
  };

  std::size_t Mask() const { return slots_.size() - 1; }
  void Grow();

  // Open addressing with linear probing, never more than half full; a power-of-two size.
  std::vector<TSlot> slots_;
  std::size_t count_ = 0;
};
