#include "platform/windows1252.h"

#include "platform/windows1252table.h"

QString DecodeWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();  // detached once, not at every character
  for (qsizetype i = 0; i < bytes.size(); ++i)
    out[i] =
        QChar(static_cast<char16_t>(Windows1252Character(static_cast<unsigned char>(bytes[i]))));
  return text;
}

QByteArray EncodeWindows1252(QStringView text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar c : text) {
    const int byte = Windows1252Byte(c.unicode());
    bytes.append(byte >= 0 ? char(byte) : '?');
  }
  return bytes;
}
