#include "platform/cp1252.h"

#include <QList>
#include <array>
#include <cstring>

namespace {

// Characters of the bytes 0x80-0x9F; the rest of the set equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char EncodeCodePoint(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<char>(codePoint);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint)
      return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

QByteArray ToWindows1252(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  // Walk by code point so that a character outside the basic plane becomes a single '?'.
  for (char32_t codePoint : text.toUcs4())
    bytes.append(EncodeCodePoint(codePoint));
  return bytes;
}

QString FromWindows1252(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char byte : bytes) {
    auto value = static_cast<unsigned char>(byte);
    if (value >= 0x80 && value < 0xA0)
      text.append(QChar(kHighControls[value - 0x80]));
    else
      text.append(QChar(value));
  }
  return text;
}

QString FromWindows1252Buffer(const char* buffer, int capacity) {
  const void* end = std::memchr(buffer, 0, static_cast<std::size_t>(capacity));
  int length = end != nullptr ? static_cast<int>(static_cast<const char*>(end) - buffer) : capacity;
  return FromWindows1252(QByteArray(buffer, length));
}
