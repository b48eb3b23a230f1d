#pragma once
// The quote summary as a PDF file: the "Save as PDF" of the preview and the results dialog, and
// the command line's report command. Needs a QGuiApplication (fonts); no window.

#include <QDate>
#include <QDateTime>
#include <QString>

class TQuoteDetails;
class TRptDocument;

// Writes the pages to the file. The file is replaced only once the whole document is written; on
// failure it is left as it was and `error` says why.
bool WriteReportPdf(const TRptDocument& document, const QString& fileName, QString& error);

// Generates the summary of the quotation (Data Server and quotation as they stand) and writes it.
bool WriteQuoteSummaryPdf(const TQuoteDetails& quotation, const QString& fileName, QString& error,
                          const QDate& today = QDate::currentDate(),
                          const QDateTime& generatedAt = QDateTime::currentDateTime());
