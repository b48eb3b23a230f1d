#include "motor/dsvbuffers.h"

#include <cstring>

#include "platform/windows1252.h"

QByteArray ToDsvText(const QString& text) {
  QByteArray bytes = EncodeWindows1252(text);
  // Stop at an embedded NUL: the Data Server would stop there too.
  int nul = bytes.indexOf('\0');
  if (nul >= 0)
    bytes.truncate(nul);
  bytes.truncate(kDsvTextCapacity - 1);
  return bytes;
}

QString FromDsvBuffer(const TDsvTextBuffer& buffer) {
  const void* end = std::memchr(buffer.data(), 0, buffer.size());
  auto length = end != nullptr ? static_cast<const char*>(end) - buffer.data()
                               : static_cast<qsizetype>(buffer.size());
  return DecodeWindows1252(QByteArrayView(buffer.data(), length));
}

QString TDsvValueBuffer::Text() const {
  return FromDsvBuffer(bytes);
}
