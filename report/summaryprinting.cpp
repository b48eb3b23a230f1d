#include "report/summaryprinting.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

#include "controls/modaldialog.h"
#include "motor/quotedetails.h"
#include "platform/prompt.h"
#include "report/engine/rptdocument.h"
#include "report/quotesummarypreviewform.h"
#include "report/quotesummaryrptform.h"
#include "report/seams.h"
#include "report/summarypdf.h"
#include "report/summaryvalues.h"

namespace {

const QString kDocumentName = QStringLiteral("Private Motor Insurance Quotation");

}  // namespace

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
  if (const TPrintDialogRunner& runner = TReportSeams::Current().printDialog)
    return runner(printer, parent);
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool PrintReportDocument(const TRptDocument& document, QPrinter& printer) {
  printer.setDocName(kDocumentName);
  const bool range = printer.printRange() == QPrinter::PageRange;
  const int first = range ? printer.fromPage() : 1;
  const int last = range ? printer.toPage() : 0;
  if (document.Print(printer, first, last)) {
    return true;
  }
  Ask(PromptKind::Error, PromptButtons::Ok,
      QStringLiteral("The summary could not be printed on %1.")
          .arg(printer.printerName().isEmpty() ? QStringLiteral("the chosen printer")
                                               : printer.printerName()));
  return false;
}

QString SummaryDataFolder() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Data"));
}

bool SaveReportDocumentAsPdf(const TRptDocument& document) {
  FileDialogRequest request;
  request.caption = QStringLiteral("Save Summary as PDF");
  request.initialFolder = SummaryDataFolder();
  request.proposedName = SummaryFileBaseName();
  request.filter = QStringLiteral("PDF Document|*.pdf");
  request.defaultExtension = QStringLiteral("pdf");
  request.overwritePrompt = true;
  const QString fileName = Prompter().AskSaveFileName(request);
  if (fileName.isEmpty()) {
    return false;
  }
  QString error;
  if (WriteReportPdf(document, fileName, error)) {
    return true;
  }
  Ask(PromptKind::Error, PromptButtons::Ok,
      QStringLiteral("The summary could not be saved as %1\r%2").arg(fileName, error));
  return false;
}

bool PrintQuoteSummary(const TQuoteDetails& quotation, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(DefaultSummaryPageLayout());
  printer.setDocName(kDocumentName);
  if (!RunPrintDialog(printer, parent)) {
    return false;
  }
  // Laid out on the paper the user chose.
  return PrintReportDocument(GenerateQuoteSummary(quotation, printer.pageLayout()), printer);
}

void PreviewQuoteSummary(const TQuoteDetails& quotation, QWidget* parent) {
  TQuoteSummaryPreviewForm form(quotation, parent);
  RunModalDialog(form);
}

bool SaveQuoteSummaryAsPdf(const TQuoteDetails& quotation) {
  return SaveReportDocumentAsPdf(GenerateQuoteSummary(quotation));
}
