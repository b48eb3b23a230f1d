#pragma once
// Reads back a PDF the tests wrote, with poppler's pdftotext and pdfinfo.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace pdfprobe {

inline QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return QString();
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the whole file (or of one page from 1), laid out as on the page so that words on
// the same line stay on one line.
inline QString Text(const QString& pdf, int page = 0) {
  QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
  if (page > 0) {
    arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
              << QString::number(page);
  }
  arguments << pdf << QStringLiteral("-");
  return Run(QStringLiteral("pdftotext"), arguments);
}

// The text with every run of white space made one space, for finding phrases across columns.
inline QString FlatText(const QString& pdf, int page = 0) {
  return Text(pdf, page).simplified();
}

// The number of pages pdfinfo reports; -1 when it cannot read the file.
inline int PageCount(const QString& pdf) {
  const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The lines of the page text that contain `needle`.
inline QStringList LinesWith(const QString& text, const QString& needle) {
  QStringList found;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    if (line.contains(needle)) {
      found << line;
    }
  }
  return found;
}

}  // namespace pdfprobe
