// The replacement global operator new and delete that feed the allocation tracker. They take
// their memory from malloc, the allocator that was in charge before, and tell the tracker
// about every block while tracing is on (a single flag test otherwise).
//
// Only the single-object forms and their nothrow and sized companions are replaced. Array and
// aligned forms keep the library's own pairs, so under AddressSanitizer every pair that is
// replaced stays consistent and the sanitizer still checks the others.

#include <cstdlib>
#include <new>

#include "dataserver/tracker.h"

void TrackerHooksLinked() {}

namespace {

void* Allocate(std::size_t size) noexcept {
  // A block of 0 bytes still needs an address of its own.
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr)
    tracker_hooks::RecordAllocation(block, size);
  return block;
}

void Release(void* block) noexcept {
  if (block == nullptr)
    return;
  // The record goes first, so no report ever reads a block that has been freed.
  tracker_hooks::RecordRelease(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
  for (;;) {
    if (void* block = Allocate(size))
      return block;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr)
      throw std::bad_alloc();
    handler();
  }
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  Release(block);
}
