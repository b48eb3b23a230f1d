#include "dataserver/instancestorage.h"

#include <algorithm>
#include <new>

#include "dataserver/cacheline.h"

namespace {

constexpr std::size_t kFirstBlockSlots = 16;
constexpr std::size_t kLargestBlockSlots = 1024;
constexpr std::size_t kLargestReservedSlots = std::size_t{1} << 16;
constexpr std::size_t kKeptBlockBytes = 16 * 1024;

}  // namespace

void* TInstanceStorage::AllocateOther(std::size_t size) {
  if (slotSize_ == 0)
    slotSize_ =
        std::max((size + kSlotAlignment - 1) / kSlotAlignment * kSlotAlignment, sizeof(TFreeSlot));
  if (size > slotSize_)
    throw std::bad_alloc();  // a list holds instances of one class only
  if (free_ != nullptr) {
    TFreeSlot* slot = free_;
    free_ = slot->Next;
    return slot;
  }
  if (used_ == capacity_) {
    const std::size_t slots = std::max(
        reserved_, capacity_ == 0 ? kFirstBlockSlots : std::min(capacity_ * 2, kLargestBlockSlots));
    blocks_.emplace_back(TCacheLineAllocator<std::byte>().allocate(slots * slotSize_));
    last_ = blocks_.back().get();
    capacity_ = slots;
    used_ = 0;
    reserved_ = 0;
  }
  return last_ + slotSize_ * used_++;
}

void TInstanceStorage::TBlockDelete::operator()(std::byte* block) const {
  TCacheLineAllocator<std::byte>().deallocate(block, 0);
}

void TInstanceStorage::Free(void* slot) {
  free_ = new (slot) TFreeSlot{free_};
}

void TInstanceStorage::FreeAll() {
  // A small last block is kept for the list's next values: loading a proposal empties every
  // list and fills it again, usually to the same size.
  if (!blocks_.empty() && capacity_ * slotSize_ <= kKeptBlockBytes) {
    std::unique_ptr<std::byte[], TBlockDelete> kept = std::move(blocks_.back());
    blocks_.clear();
    blocks_.push_back(std::move(kept));
  } else {
    blocks_.clear();
    last_ = nullptr;
    capacity_ = 0;
  }
  used_ = 0;
  reserved_ = 0;
  free_ = nullptr;
}

void TInstanceStorage::Reserve(std::size_t slots) {
  const std::size_t left = capacity_ - used_;
  reserved_ = slots > left ? std::min(slots - left, kLargestReservedSlots) : 0;
}
