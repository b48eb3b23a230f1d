#pragma once
// One step of an instance path: which object, and which occurrence of it.
// The same 6-byte layout is used in memory, in section files and in callers' arrays.

#include <cstdint>

struct TPathEntry {
  std::uint16_t ObjectId;
  std::uint16_t Reserved;  // always written as 0, never read
  std::uint16_t Index;     // occurrence, 0 for the first
};
static_assert(sizeof(TPathEntry) == 6, "TPathEntry must be exactly 6 bytes");

using DsvStatus = std::uint16_t;
using DsvHandle = std::int32_t;  // registry key of an open cursor; never a raw pointer
