#pragma once
// The memory of one instance list: blocks of equal slots. Every instance of a list is of one
// class, so a proposal of thousands of values takes a few dozen allocations, lies in memory in
// the order it was made, and is given back block by block when the list empties.

#include <cstddef>
#include <memory>
#include <vector>

class TInstanceStorage {
 public:
  TInstanceStorage() = default;
  TInstanceStorage(const TInstanceStorage&) = delete;
  TInstanceStorage& operator=(const TInstanceStorage&) = delete;

  // A slot of at least size bytes (the same size on every call), aligned for any instance.
  void* Allocate(std::size_t size);
  // Takes back one slot, to be handed out again.
  void Free(void* slot);
  // Gives back every block; every slot is free then.
  void FreeAll();

 private:
  struct TFreeSlot {
    TFreeSlot* Next;
  };

  std::size_t slotSize_ = 0;
  std::vector<std::unique_ptr<std::byte[]>> blocks_;
  std::size_t used_ = 0;      // slots handed out from the last block
  std::size_t capacity_ = 0;  // slots of the last block
  TFreeSlot* free_ = nullptr;
};
