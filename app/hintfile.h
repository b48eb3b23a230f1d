#pragma once
// The hint file "TTHelp.dat": sections named by a help context number in decimal, each key of a
// section one line of that context's hint. The lines keep the order in which the keys stand in
// the file (a sorting ini reader would lose it); key names carry no other meaning.
//
// Read as the platform reads ini files: Windows-1252 text, section and key names matched without
// regard to case, names and values trimmed, a value in matching quotes without them, ';'
// comments. A key that appears twice in a section is listed twice and reads the first value.

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class THintFile {
 public:
  // Reads the whole file; nothing when it cannot be opened or is larger than any hint file
  // (16 MB), which is damage.
  static std::optional<THintFile> Open(const QString& fileName);
  static THintFile FromText(const QByteArray& text);

  // The key names of the section, in file order (empty when there is no such section).
  QStringList KeyNames(int context) const;
  QString Value(int context, const QString& key) const;
  // The hint's lines: each key's value in key order.
  QStringList Lines(int context) const;

 private:
  struct TEntry {
    QString key;
    QString value;
  };
  struct TSection {
    QList<TEntry> entries;
  };
  // The key of firstValues_ for a key of a section: the section's name, a line break (which
  // neither holds) and the key's case-folded name.
  static QString ValueKey(const QString& section, const QString& key);

  // By section name in lower case.
  QHash<QString, TSection> sections_;
  // The first value of each key of each section: a hint is shown by looking up every key of its
  // section, which must not take the square of a long section's length. One table for the file
  // rather than one per section, which would each hold room for dozens of keys.
  QHash<QString, QString> firstValues_;
};
