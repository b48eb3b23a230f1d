#include "app/hintfile.h"

#include <QFile>

#include "platform/windows1252.h"

namespace {

constexpr qint64 kMaxHintFileSize = qint64{16} << 20;

QString Unquoted(const QString& value) {
  if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == '\'') &&
      value.back() == value.front())
    return value.mid(1, value.size() - 2);
  return value;
}

}  // namespace

std::optional<THintFile> THintFile::Open(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxHintFileSize)
    return std::nullopt;
  return FromText(file.readAll());
}

THintFile THintFile::FromText(const QByteArray& text) {
  THintFile hints;
  TSection* section = nullptr;
  QString sectionName;
  const QString all = DecodeWindows1252(text);
  for (QStringView raw : QStringView(all).split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed().toString();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
      continue;
    if (line.startsWith(QLatin1Char('['))) {
      const qsizetype close = line.indexOf(QLatin1Char(']'));
      const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toLower();
      // A section named twice continues where the first one ended.
      section = &hints.sections_[name];
      sectionName = name;
      continue;
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (section == nullptr || equals <= 0)
      continue;
    TEntry entry{line.left(equals).trimmed(), Unquoted(line.mid(equals + 1).trimmed())};
    const QString valueKey = ValueKey(sectionName, entry.key);
    if (!hints.firstValues_.contains(valueKey))  // a key named again reads the first value
      hints.firstValues_.insert(valueKey, entry.value);
    section->entries.append(std::move(entry));
  }
  return hints;
}

QStringList THintFile::KeyNames(int context) const {
  QStringList names;
  const auto section = sections_.constFind(QString::number(context));
  if (section == sections_.cend())
    return names;
  for (const TEntry& entry : section->entries)
    names.append(entry.key);
  return names;
}

QString THintFile::Value(int context, const QString& key) const {
  return firstValues_.value(ValueKey(QString::number(context), key));
}

QString THintFile::ValueKey(const QString& section, const QString& key) {
  return section + QLatin1Char('\n') + key.toCaseFolded();
}

QStringList THintFile::Lines(int context) const {
  QStringList lines;
  for (const QString& key : KeyNames(context))
    lines.append(Value(context, key));
  return lines;
}
