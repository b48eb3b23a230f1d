#include "motor/enginetextfile.h"

#include <QFile>

#include "platform/windows1252.h"

std::optional<QStringList> ReadEngineTextLines(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxEngineTextFileSize)
    return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return std::nullopt;
  return SplitEngineText(DecodeWindows1252(bytes));
}

QStringList SplitEngineText(const QString& text) {
  QStringList lines;
  qsizetype end = text.indexOf(QChar(0x1A));
  if (end < 0)
    end = text.size();
  qsizetype start = 0;
  qsizetype i = 0;
  while (i < end) {
    QChar c = text[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
      ++i;
      continue;
    }
    lines.append(text.mid(start, i - start));
    ++i;
    if (c == QLatin1Char('\r') && i < end && text[i] == QLatin1Char('\n'))
      ++i;
    start = i;
  }
  if (start < end)
    lines.append(text.mid(start, end - start));
  return lines;
}

QString TrimTrailing(const QString& text) {
  qsizetype size = text.size();
  while (size > 0 && text[size - 1].unicode() <= u' ')
    --size;
  return text.left(size);
}
