#include "report/summarypdf.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <cstring>

#include "dataserver/durablefile.h"
#include "report/engine/rptdocument.h"
#include "report/quotesummaryrptform.h"

bool WriteReportPdf(const TRptDocument& document, const QString& fileName, QString& error) {
  // The pages are drawn in memory first, so a drawing failure never touches the disk; the file
  // then replaces any old one whole (a full disk leaves the old one as it was).
  QBuffer pages;
  pages.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pages);
    writer.setTitle(QStringLiteral("Private Motor Insurance Quotation"));
    writer.setCreator(BrokerName());
    if (!document.Print(writer)) {
      error = QStringLiteral("The pages could not be drawn");
      return false;
    }
  }
  TDurableFile file;
  const QByteArray& bytes = pages.data();
  if (!file.Create(QFile::encodeName(fileName).toStdString()) ||
      !file.Write(bytes.constData(), static_cast<std::size_t>(bytes.size())) || !file.Commit()) {
    error = QString::fromLocal8Bit(std::strerror(file.Error()));
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
