// The "Summary Details Report" preview and printing from the window: tabs per page, zoom,
// Close and Escape, Print through the print dialog, and "Save as PDF" through the prompt service.

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include "controls/modaldialog.h"
#include "controls/numericedit.h"
#include "motor/identifiers.h"
#include "report/quotesummarypreviewform.h"
#include "report/seams.h"
#include "report/summaryprinting.h"
#include "report/summaryvalues.h"
#include "report/tests/summaryfixture.h"

using namespace summarytest;

namespace {

// Answers the print dialog by printing to a PDF file, as if the user chose "Print to File".
class TPrintToFile {
 public:
  explicit TPrintToFile(QString file, bool accept = true) : file_(std::move(file)) {
    TReportSeams::Current().printDialog = [this, accept](QPrinter& printer, QWidget*) {
      ++asked_;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(file_);
      return accept;
    };
  }
  int Asked() const { return asked_; }

 private:
  const TReportSeamsGuard seams_;
  QString file_;
  int asked_ = 0;
};

template <class Widget>
Widget* Find(QWidget& form, const char* name) {
  Widget* widget = form.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

QStringList TabTexts(QTabBar* tabs) {
  QStringList texts;
  for (int i = 0; i < tabs->count(); ++i) {
    texts << tabs->tabText(i);
  }
  return texts;
}

}  // namespace

TEST_F(SummaryTest, ThePreviewHasATabPerPageAndChoosingOneShowsThatPage) {
  Open("family");
  // Proposer and 2 named drivers: three pages.
  ASSERT_TRUE(SetListValue(Id::DrivingRestriction, {CoverPath()}, 4, false));
  TQuoteSummaryPreviewForm form(quotation_);
  EXPECT_EQ(form.objectName(), QStringLiteral("TQuoteSummaryPreviewForm"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Summary Details Report"));
  ASSERT_EQ(form.PageCount(), 3);
  auto* preview = Find<QPrintPreviewWidget>(form, "RptPreview");
  auto* tabs = Find<QTabBar>(form, "DriverTabSet");
  ASSERT_TRUE(preview && tabs);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(preview->pageCount(), 3);
  EXPECT_EQ(TabTexts(tabs), QStringList({"Page 1", "Page 2", "Page 3"}));
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(preview->currentPage(), 1);

  tabs->setCurrentIndex(1);
  EXPECT_EQ(preview->currentPage(), 2);
  // From the keyboard as well.
  tabs->setFocus();
  QTest::keyClick(tabs, Qt::Key_Right);
  EXPECT_EQ(preview->currentPage(), 3);
}

TEST_F(SummaryTest, ThePreviewZoomsInStepsAndAsTypedWithinBounds) {
  Open("family");
  TQuoteSummaryPreviewForm form(quotation_);
  auto* preview = Find<QPrintPreviewWidget>(form, "RptPreview");
  auto* zoom = Find<TNumericEdit>(form, "ZoomNumericEdit");
  auto* out = Find<QToolButton>(form, "ZoomOutSpeedButton");
  auto* in = Find<QToolButton>(form, "ZoomInSpeedButton");
  ASSERT_TRUE(preview && zoom && out && in);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(zoom->AsInteger(), 100);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 1.0);

  QTest::mouseClick(in, Qt::LeftButton);
  QTest::mouseClick(in, Qt::LeftButton);
  EXPECT_EQ(zoom->AsInteger(), 120);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 1.2);
  QTest::mouseClick(out, Qt::LeftButton);
  EXPECT_EQ(zoom->AsInteger(), 110);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 1.1);

  // Typed: applied at once.
  form.activateWindow();
  zoom->setFocus();
  QTest::keyClicks(zoom, "75");
  EXPECT_EQ(zoom->AsInteger(), 75);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 0.75);

  // Bounds: 10 to 400.
  zoom->SetAsInteger(15);
  QTest::mouseClick(out, Qt::LeftButton);
  QTest::mouseClick(out, Qt::LeftButton);
  EXPECT_EQ(zoom->AsInteger(), 10);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 0.1);
  zoom->SetAsInteger(5000);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 4.0);
  QTest::mouseClick(in, Qt::LeftButton);
  EXPECT_EQ(zoom->AsInteger(), 400);
}

TEST_F(SummaryTest, CloseAndEscapeCloseThePreviewAndAnotherOpeningCountsItsOwnPages) {
  Open("family");
  int shown = 0;
  QStringList tabs;
  const TReportSeamsGuard seams;
  TControlsSeams::Current().modalDialog = [&](QDialog& dialog) {
    ++shown;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("TQuoteSummaryPreviewForm"));
    tabs = TabTexts(dialog.findChild<QTabBar*>(QStringLiteral("DriverTabSet")));
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    if (shown == 1) {
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CloseBitBtn")),
                        Qt::LeftButton);
    } else {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    }
    EXPECT_FALSE(dialog.isVisible());
    return dialog.result();
  };
  PreviewQuoteSummary(quotation_);
  EXPECT_EQ(tabs, QStringList({"Page 1", "Page 2", "Page 3", "Page 4"}));
  // Proposer only: the next opening has its own, shorter report.
  ASSERT_TRUE(SetListValue(Id::DrivingRestriction, {CoverPath()}, Code::ProposerOnly, false));
  PreviewQuoteSummary(quotation_);
  EXPECT_EQ(tabs, QStringList({"Page 1", "Page 2"}));
  EXPECT_EQ(shown, 2);
}

TEST_F(SummaryTest, PrintSendsEveryPageToThePrinterChosenInThePrintDialog) {
  Open("family");
  const QString printed = folder_.filePath(QStringLiteral("printed.pdf"));
  {
    // Cancelled: nothing printed.
    TPrintToFile cancel(printed, false);
    EXPECT_FALSE(PrintQuoteSummary(quotation_));
    EXPECT_EQ(cancel.Asked(), 1);
    EXPECT_FALSE(QFile::exists(printed));
  }
  {
    TPrintToFile printer(printed);
    EXPECT_TRUE(PrintQuoteSummary(quotation_));
    EXPECT_EQ(printer.Asked(), 1);
  }
  const int pages = pdfprobe::PageCount(printed);
  EXPECT_EQ(pages, 4);
  const QString text = pdfprobe::FlatText(printed);
  EXPECT_TRUE(text.contains("Insurer (Scheme): Corrie & Vale Family Plus"));
  EXPECT_TRUE(text.contains("Page 4 of 4"));

  // From the preview: the pages as previewed.
  TQuoteSummaryPreviewForm form(quotation_);
  const QString fromPreview = folder_.filePath(QStringLiteral("preview.pdf"));
  TPrintToFile printer(fromPreview);
  QTest::mouseClick(Find<QPushButton>(form, "PrintBitBtn"), Qt::LeftButton);
  EXPECT_EQ(printer.Asked(), 1);
  EXPECT_EQ(pdfprobe::PageCount(fromPreview), form.PageCount());
  EXPECT_EQ(pdfprobe::Text(fromPreview), pdfprobe::Text(printed));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(SummaryTest, SaveAsPdfProposesTheProposersNameInTheDataFolder) {
  Open("family");
  TQuoteSummaryPreviewForm form(quotation_);
  auto* save = Find<QPushButton>(form, "SavePdfBitBtn");
  ASSERT_TRUE(save);
  EXPECT_EQ(save->text(), QStringLiteral("Save as P&DF"));

  // Cancelled: nothing written, nothing said.
  prompter_->QueueFileName(QString());
  QTest::mouseClick(save, Qt::LeftButton);
  ASSERT_EQ(prompter_->FileDialogs().size(), 1);
  const FileDialogRequest request = prompter_->FileDialogs().front();
  EXPECT_EQ(request.proposedName, QStringLiteral("David Hargreaves"));
  EXPECT_EQ(request.initialFolder, SummaryDataFolder());
  EXPECT_TRUE(request.initialFolder.endsWith(QStringLiteral("/Data")));
  EXPECT_EQ(request.filter, QStringLiteral("PDF Document|*.pdf"));
  EXPECT_EQ(request.defaultExtension, QStringLiteral("pdf"));
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  const QString pdf = folder_.filePath(QStringLiteral("David Hargreaves.pdf"));
  prompter_->QueueFileName(pdf);
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_EQ(pdfprobe::PageCount(pdf), form.PageCount());
  EXPECT_TRUE(pdfprobe::FlatText(pdf).contains("Insurance in the name of: Mr David Hargreaves"));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  // A file that cannot be written is reported, with its name.
  const QString nowhere = folder_.filePath(QStringLiteral("missing/summary.pdf"));
  prompter_->QueueFileName(nowhere);
  EXPECT_FALSE(SaveQuoteSummaryAsPdf(quotation_));
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts().front().kind, PromptKind::Error);
  EXPECT_TRUE(prompter_->Prompts().front().text.startsWith("The summary could not be saved as " +
                                                           nowhere + "\r"));
}

TEST_F(SummaryTest, TheSavedFileIsNamedAfterTheProposerOrUntitled) {
  Open("family");
  EXPECT_EQ(SummaryFileBaseName(), QStringLiteral("David Hargreaves"));
  ASSERT_TRUE(SetStringValue(Id::Surname, {DriverPath(0)}, QStringLiteral("O/Brien: Jr"), false));
  EXPECT_EQ(SummaryFileBaseName(), QStringLiteral("David O-Brien- Jr"));
  ASSERT_TRUE(SetStringValue(Id::Surname, {DriverPath(0)}, QString(), false));
  ASSERT_TRUE(SetStringValue(Id::Forenames, {DriverPath(0)}, QString(), false));
  EXPECT_EQ(SummaryFileBaseName(), QStringLiteral("Untitled"));
}
