#include "tools/dictc/cp1252.h"

#include <cstdint>

#include "platform/windows1252table.h"

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::optional<std::string> Utf8ToCp1252(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c;
    int extra;
    if (b < 0x80) {
      c = b;
      extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else {
      return std::nullopt;
    }
    if (i + static_cast<std::size_t>(extra) >= utf8.size())
      return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      auto cont = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((cont & 0xC0) != 0x80)
        return std::nullopt;
      c = (c << 6) | (cont & 0x3F);
    }
    // Overlong forms are not UTF-8.
    if ((extra == 1 && c < 0x80) || (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000))
      return std::nullopt;
    const int byte = Windows1252Byte(c);
    if (byte < 0)
      return std::nullopt;
    out += static_cast<char>(byte);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes)
    AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(ch)));
  return out;
}
