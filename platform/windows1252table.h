#pragma once
// The Windows-1252 code page, once for the whole project: the program's QString conversions
// (platform/windows1252.h) and the tools' UTF-8 conversions use this table. Plain C++ (no Qt),
// so that the standard-C++ tools can include it.

#include <array>
#include <cstddef>

// The characters of the bytes 0x80..0x9F, where the code page differs from Latin-1. The five
// bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control character of
// the same value, as Windows itself passes them through, so every byte string survives a round
// trip.
inline constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The character of a byte.
constexpr char32_t Windows1252Character(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : char32_t(byte);
}

// The byte of a character, or -1 when the code page cannot hold it.
constexpr int Windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
    return static_cast<int>(c);
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[static_cast<std::size_t>(i)] == c)
      return 0x80 + i;
  }
  return -1;
}
