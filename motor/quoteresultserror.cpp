#include "motor/quoteresultserror.h"

namespace {

QString Describe(const QString& fileName, int line, const QString& problem) {
  if (line <= 0)
    return QStringLiteral("%1: %2").arg(fileName, problem);
  return QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(problem);
}

}  // namespace

EQuoteResultsError::EQuoteResultsError(const QString& fileName, int line, const QString& problem)
    : std::runtime_error(Describe(fileName, line, problem).toStdString()),
      fileName_(fileName),
      line_(line) {}
