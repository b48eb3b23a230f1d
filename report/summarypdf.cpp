#include "report/summarypdf.h"

#include <QPdfWriter>
#include <QSaveFile>

#include "report/engine/rptdocument.h"
#include "report/quotesummaryrptform.h"

bool WriteReportPdf(const TRptDocument& document, const QString& fileName, QString& error) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Private Motor Insurance Quotation"));
    writer.setCreator(BrokerName());
    if (!document.Print(writer)) {
      file.cancelWriting();
      error = QStringLiteral("The pages could not be drawn");
      return false;
    }
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

bool WriteQuoteSummaryPdf(const TQuoteDetails& quotation, const QString& fileName, QString& error,
                          const QDate& today, const QDateTime& generatedAt) {
  const TRptDocument document =
      GenerateQuoteSummary(quotation, DefaultSummaryPageLayout(), today, generatedAt);
  return WriteReportPdf(document, fileName, error);
}
