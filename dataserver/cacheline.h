#pragma once
// Memory that starts on a cache line: a table whose entries are read in groups of a line's size,
// or blocks of instances of about a line's size, then take one line per group or instance
// instead of two.

#include <cstddef>
#include <new>

inline constexpr std::size_t kCacheLine = 64;

template <class T>
struct TCacheLineAllocator {
  using value_type = T;

  TCacheLineAllocator() = default;
  template <class U>
  TCacheLineAllocator(const TCacheLineAllocator<U>&) {}  // NOLINT: rebinding is implicit

  T* allocate(std::size_t count) {
    return static_cast<T*>(::operator new (count * sizeof(T), std::align_val_t{kCacheLine}));
  }
  void deallocate(T* memory, std::size_t) {
    ::operator delete (memory, std::align_val_t{kCacheLine});
  }
  template <class U>
  bool operator==(const TCacheLineAllocator<U>&) const {
    return true;
  }
};
