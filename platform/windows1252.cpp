#include "platform/windows1252.h"

#include "platform/windows1252table.h"

QString DecodeWindows1252(QByteArrayView bytes) {
  QString text;
  text.resize(bytes.size());
  for (qsizetype i = 0; i < bytes.size(); ++i)
    text[i] =
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
