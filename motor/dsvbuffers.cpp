#include "motor/dsvbuffers.h"

#include "platform/cp1252.h"

QByteArray ToDsvText(const QString& text) {
  QByteArray bytes = ToWindows1252(text);
  // Stop at an embedded NUL: the Data Server would stop there too.
  int nul = bytes.indexOf('\0');
  if (nul >= 0)
    bytes.truncate(nul);
  bytes.truncate(kDsvTextCapacity - 1);
  return bytes;
}

QString FromDsvBuffer(const TDsvTextBuffer& buffer) {
  return FromWindows1252Buffer(buffer.data(), kDsvTextCapacity);
}

QString TDsvValueBuffer::Text() const {
  return FromDsvBuffer(bytes);
}
