#pragma once
// The engine's plan-name file: one line per insurer, in plan order, split into 20-character
// fields: the insurer name, then the names of the scheme variants 1 to 9.

#include <QString>
#include <QStringList>

struct TPlanName {
  bool found = false;  // the plan number has a line in the file
  QString insurerName;
  QString logoCode;
};

class TPlanNames {
 public:
  TPlanNames() = default;
  explicit TPlanNames(QStringList lines) : lines_(std::move(lines)) {}
  // Raises EQuoteResultsError when the file cannot be read.
  static TPlanNames LoadFromFile(const QString& fileName);

  // Plan number = (line number from 1) * 10 + variant. The insurer name comes from characters
  // 1-20 of the line; a variant above 0 appends a space and its own field, characters
  // 20 * variant + 1 to 20 * variant + 20. Trailing spaces are trimmed, leading ones kept.
  TPlanName Lookup(qint32 planNumber) const;
  int Count() const { return lines_.size(); }

 private:
  QStringList lines_;
};
