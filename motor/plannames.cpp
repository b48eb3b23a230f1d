#include "motor/plannames.h"

#include "motor/enginetextfile.h"
#include "motor/quoteresultserror.h"

namespace {

constexpr int kFieldWidth = 20;

}  // namespace

TPlanNames TPlanNames::LoadFromFile(const QString& fileName) {
  std::optional<QStringList> lines = ReadEngineTextLines(fileName);
  if (!lines)
    throw EQuoteResultsError(fileName, 0, QStringLiteral("the scheme names cannot be read"));
  return TPlanNames(std::move(*lines));
}

TPlanName TPlanNames::Lookup(qint32 planNumber) const {
  TPlanName name;
  qint32 index = planNumber / 10 - 1;
  qint32 variant = planNumber % 10;
  // A plan without a line has no name, whatever its variant.
  if (index < 0 || index >= lines_.size())
    return name;
  const QString& line = lines_[index];
  name.found = true;
  name.insurerName = TrimTrailing(line.mid(0, kFieldWidth));
  name.logoCode = name.insurerName.left(3);
  if (variant > 0) {
    // The line is made of 20-character fields: the insurer, then one per variant. Reading a
    // variant from the last character of the field before it would put that character (a
    // space, or the insurer name's last letter) in front of the scheme name and cut its end.
    QString scheme = TrimTrailing(line.mid(kFieldWidth * variant, kFieldWidth));
    name.insurerName += QLatin1Char(' ') + scheme;
  }
  return name;
}
