#pragma once
// Texts crossing the call interface: NUL-terminated 256-byte buffers, never more than 255
// characters through any of them.

#include <cstring>
#include <string>

inline constexpr std::size_t kDsvMaxText = 255;

// The caller's text, read to its NUL but never beyond 255 characters; empty for none.
inline std::string DsvTextOf(const char* text) {
  return text != nullptr ? std::string(text, strnlen(text, kDsvMaxText)) : std::string();
}

// Copies a text into a caller's 256-byte buffer (when one is given) with its NUL.
inline void DsvCopyToBuffer(char* buffer, const std::string& text) {
  if (buffer == nullptr)
    return;
  const std::size_t length = text.size() < kDsvMaxText ? text.size() : kDsvMaxText;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}
