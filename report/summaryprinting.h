#pragma once
// Printing and saving the quote summary from the window: what the results dialog's Print,
// "View/Print Details" and "Save as PDF" call, and what the preview's own buttons use.
//
// The printer is chosen in Qt's print dialog, reached through the report seams so that tests answer
// it without a modal box; file names come from the prompt service's save dialog.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;
class TQuoteDetails;
class TRptDocument;

// Prints the summary of the quotation at once on the printer the user chooses in the print
// dialog (the results dialog's Print). Answers true when it was printed; false when the user
// cancelled or printing failed (the user has been told).
bool PrintQuoteSummary(const TQuoteDetails& quotation, QWidget* parent = nullptr);

// Shows the summary of the quotation in the "Summary Details Report" preview, modally (the
// results dialog's and the acceptance wizard's "View/Print Details").
void PreviewQuoteSummary(const TQuoteDetails& quotation, QWidget* parent = nullptr);

// Asks for a file name and writes the summary of the quotation there as PDF. Answers true when
// written; false when the user cancelled or writing failed (the user has been told).
bool SaveQuoteSummaryAsPdf(const TQuoteDetails& quotation);

// ---- Shared with the preview
// ---------------------------------------------------------------------

// Asks the print dialog for a printer; false when the user cancelled.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);
// What the report seams (report/seams.h) hold in place of Qt's print dialog.
using TPrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;

// Prints the pages the printer's range asks for (all when it names none); tells the user when the
// printer cannot be used.
bool PrintReportDocument(const TRptDocument& document, QPrinter& printer);
// Asks for a PDF file name (proposed from the proposer's name, in the Data folder beside the
// program) and writes the document; tells the user when the file cannot be written.
bool SaveReportDocumentAsPdf(const TRptDocument& document);

// The folder a saved summary is offered in: "Data" beside the program.
QString SummaryDataFolder();
