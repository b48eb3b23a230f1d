#pragma once
// EQuoteResultsError: the quote engine's results (or its plan-name file) could not be read. The
// message names the file and, for damaged content, the line, for the quotation run to report.

#include <QString>
#include <stdexcept>

class EQuoteResultsError : public std::runtime_error {
 public:
  // line is the file's line number from 1, or 0 when the file as a whole is at fault.
  EQuoteResultsError(const QString& fileName, int line, const QString& problem);

  const QString& FileName() const { return fileName_; }
  int Line() const { return line_; }
  QString Message() const { return QString::fromUtf8(what()); }

 private:
  QString fileName_;
  int line_;
};
