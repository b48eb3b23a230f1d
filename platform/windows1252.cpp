#include "platform/windows1252.h"

#include <array>

namespace {

// 0x80..0x9F differ from Latin-1; 0 marks the five bytes the code page leaves undefined, which
// are passed through as the control character of the same value (as Windows itself does).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t CharacterFor(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    char16_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : char16_t(byte);
  }
  return char16_t(byte);
}

}  // namespace

QString DecodeWindows1252(QByteArrayView bytes) {
  QString text;
  text.resize(bytes.size());
  for (qsizetype i = 0; i < bytes.size(); ++i)
    text[i] = QChar(CharacterFor(static_cast<unsigned char>(bytes[i])));
  return text;
}

QByteArray EncodeWindows1252(QStringView text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar c : text) {
    char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.append(char(u));
      continue;
    }
    char encoded = '?';
    for (int i = 0; i < 32; ++i) {
      if (CharacterFor(static_cast<unsigned char>(0x80 + i)) == u) {
        encoded = char(0x80 + i);
        break;
      }
    }
    bytes.append(encoded);
  }
  return bytes;
}
