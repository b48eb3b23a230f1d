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

  // Instances hold nothing aligned wider than a double or a pointer; slots are not rounded up
  // further, so that more of them share each cache line.
  static constexpr std::size_t kSlotAlignment = alignof(double) > alignof(void*) ? alignof(double)
                                                                                 : alignof(void*);

  // A slot of at least size bytes (the same size on every call), aligned to kSlotAlignment.
  void* Allocate(std::size_t size) {
    // The usual case, kept small enough to be inlined: the next slot of the last block.
    if (size == slotSize_ && free_ == nullptr && used_ < capacity_)
      return last_ + slotSize_ * used_++;
    return AllocateOther(size);
  }
  // Takes back one slot, to be handed out again.
  void Free(void* slot);
  // Every slot is free then. The blocks are given back, but for a small last one, which
  // is kept for the slots to come.
  void FreeAll();
  // Room for this many more slots: the next block taken holds at least what the last one has
  // left short of it (up to a bound, so that a count read from a damaged file cannot take the
  // memory), instead of the blocks growing step by step.
  void Reserve(std::size_t slots);

 private:
  // Every other case of Allocate: the first slot, a slot freed earlier, a new block.
  void* AllocateOther(std::size_t size);

  struct TFreeSlot {
    TFreeSlot* Next;
  };

  // Blocks start on a cache line, so an instance of a line's size takes one line, not two.
  struct TBlockDelete {
    void operator()(std::byte* block) const;
  };

  std::size_t slotSize_ = 0;
  std::vector<std::unique_ptr<std::byte[], TBlockDelete>> blocks_;
  std::byte* last_ = nullptr;  // the last block
  std::size_t used_ = 0;       // slots handed out from the last block
  std::size_t capacity_ = 0;   // slots of the last block
  std::size_t reserved_ = 0;   // slots the next block holds at least
  TFreeSlot* free_ = nullptr;
};
