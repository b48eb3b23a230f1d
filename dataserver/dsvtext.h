#pragma once
// Texts crossing the call interface: NUL-terminated 256-byte buffers, never more than 255
// characters through any of them.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

inline constexpr std::size_t kDsvMaxText = 255;

// The caller's text, read to its NUL but never beyond 255 characters; empty for none.
inline std::string DsvTextOf(const char* text) {
  return text != nullptr ? std::string(text, strnlen(text, kDsvMaxText)) : std::string();
}

// Copies a text into a caller's 256-byte buffer (when one is given) with its NUL. std::copy
// rather than memcpy: GCC inlines a memcpy of a length known to be short as a string instruction
// that costs several times the library's copy of the few bytes a text has.
inline void DsvCopyToBuffer(char* buffer, std::string_view text) {
  if (buffer == nullptr)
    return;
  const std::size_t length = text.size() < kDsvMaxText ? text.size() : kDsvMaxText;
  std::copy(text.data(), text.data() + length, buffer);
  buffer[length] = '\0';
}
