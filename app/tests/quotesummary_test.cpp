// The results dialog on prepared engine results: the list and its sorting, the details, the
// caption and the rates notice, the results pane's height, Proceed, Print, "Save as PDF", View
// and copying.

#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QThread>
#include <QTreeWidget>

#include "app/acceptancehook.h"
#include "app/quotesummarydlg.h"
#include "app/rates.h"
#include "app/tests/quotefixture.h"
#include "controls/modaldialog.h"
#include "controls/today.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "motor/proposallisting.h"
#include "motor/quotedetails.h"
#include "report/quotesummarypreviewform.h"
#include "report/summaryprinting.h"
#include "settings/displayformats.h"

using namespace OptionKeys;

namespace {

const QString kPound = QString(QChar(0x00A3));

QStringList Column(const QTreeWidget* list, int column) {
  QStringList texts;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    texts << list->topLevelItem(i)->text(column);
  return texts;
}

// Stands where the acceptance wizard's entry point is installed: the same signature.
QStringList wizardOpenedFor;
bool RecordingWizard(const TQuoteDetails& quotation, QWidget*) {
  wizardOpenedFor << quotation.InsurerName;
  return true;
}

}  // namespace

class QuoteSummary : public QuoteTest {
 protected:
  void SetUp() override {
    QuoteTest::SetUp();
    StartProgramUnits();
    InstallTestEngine("copies-results.sh");
  }

  // A dialog that has run the engine on the prepared results.
  std::unique_ptr<TQuoteSummaryDlgForm> Run() {
    auto dialog = std::make_unique<TQuoteSummaryDlgForm>();
    conclusion_ = dialog->RunEngine();
    return dialog;
  }

  // The demo panel's first insurers, in the order of its plan-name file.
  QString Insurer(int line) const {
    QFile plans(EngineFile("PlanName.Dat"));
    EXPECT_TRUE(plans.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = plans.readAll().split('\n');
    return QString::fromLatin1(lines.value(line - 1).left(20)).trimmed();
  }

  TFormScript forms_;
  TQuoteConclusion conclusion_;
};

TEST_F(QuoteSummary, ListsEverySchemeInFileOrderWithTheFirstRowsDetails) {
  TTestQuote priced = Quote("10", "123456", "7");
  priced.compulsory = "100";
  priced.voluntary = "150";
  PrepareResults({priced, Quote("20", "0", "12"), Quote("30", "0", "39"), Quote("0", "50000"),
                  Quote("40", "30090")});
  auto dialog = Run();
  EXPECT_EQ(conclusion_.Ending, TQuoteEnding::ShowResults);
  EXPECT_EQ(forms_.Shown(), QStringList{"TProgressDlg"});
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();

  EXPECT_EQ(dialog->objectName(), QStringLiteral("TQuoteSummaryDlgForm"));
  EXPECT_EQ(dialog->windowTitle(),
            QStringLiteral("Quotation Results (The current rates are valid until %1)")
                .arg(FormatShortDate(Options()->GetRatesExpiryDate())));
  QTreeWidget* list = dialog->QuoteSummaryPZListView();
  const QStringList captions{"No", "Insurer", "Premium", "Excess"};
  const int widths[] = {30, 205, 100, 100};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list->headerItem()->text(i), captions[i]);
    EXPECT_EQ(list->columnWidth(i), widths[i]);
  }
  EXPECT_TRUE(list->headerItem()->textAlignment(2) & Qt::AlignRight);
  EXPECT_TRUE(list->headerItem()->textAlignment(1) & Qt::AlignLeft);
  // A referred scheme with note 12 is listed, one with note 39 declined; plan 0 is never listed.
  EXPECT_EQ(Column(list, 0), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(Column(list, 1), (QStringList{Insurer(1), Insurer(2), Insurer(4)}));
  EXPECT_EQ(Column(list, 2), (QStringList{kPound + "1,234.56", "Referred", kPound + "300.90"}));
  EXPECT_EQ(Column(list, 3), (QStringList{kPound + "250", kPound + "150", kPound + "150"}));
  EXPECT_TRUE(list->topLevelItem(0)->textAlignment(3) & Qt::AlignRight);
  // Row 1 is selected and its details shown.
  EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
  QTreeWidget* details = dialog->ResultsPZListView();
  EXPECT_EQ(details->headerItem()->text(0), QStringLiteral("Policy Notes for ") + Insurer(1));
  EXPECT_EQ(details->columnWidth(0), 438);
  EXPECT_EQ(Column(details, 0),
            (QStringList{"    Reason 7", "Total Policy Excess: " + kPound + "250",
                         "    Compulsory Excess:  " + kPound + "100",
                         "    Voluntary Excess: " + kPound + "150"}));
  // Clicking another row shows its details.
  list->setCurrentItem(list->topLevelItem(1));
  EXPECT_EQ(details->headerItem()->text(0), QStringLiteral("Policy Notes for ") + Insurer(2));
  EXPECT_EQ(details->topLevelItem(0)->text(0), QStringLiteral("    Reason 12"));

  EXPECT_FALSE(dialog->ResultsTabSet()->isVisibleTo(dialog.get()));
  EXPECT_EQ(dialog->ResultsTabSet()->count(), 2);
  EXPECT_FALSE(dialog->ViewStructureBitBtn()->isVisibleTo(dialog.get()));
  EXPECT_EQ(dialog->AcceptBitBtn()->text(), QStringLiteral("Proceed"));
  EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("Call Quillmarsh now on 01632 960123 to arrange cover, or press the "
                           "'Proceed' button to E-Mail your details to Quillmarsh "));
}

TEST_F(QuoteSummary, HeaderClicksSortBothWaysAndPremiumsWithinAPoundCompareEqual) {
  PrepareResults({Quote("10", "30020"), Quote("20", "0", "12"), Quote("30", "45000"),
                  Quote("40", "30090"), Quote("50", "9999")});
  auto dialog = Run();
  dialog->show();
  QApplication::setActiveWindow(dialog.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  QTreeWidget* list = dialog->QuoteSummaryPZListView();
  QHeaderView* header = list->header();
  const QString low = kPound + "99.99", p1 = kPound + "300.20", p2 = kPound + "300.90",
                high = kPound + "450.00";
  ASSERT_EQ(Column(list, 2), (QStringList{p1, "Referred", high, p2, low}));
  list->setCurrentItem(list->topLevelItem(2));  // the 450.00 row

  // The first click sorts descending: referred first; 300.20 and 300.90 keep their order.
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(2) + 10, header->height() / 2));
  EXPECT_EQ(Column(list, 2), (QStringList{"Referred", high, p1, p2, low}));
  EXPECT_EQ(Column(list, 0), (QStringList{"2", "3", "1", "4", "5"}));  // "No" stays with its row
  EXPECT_EQ(header->sortIndicatorSection(), 2);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
  EXPECT_EQ(list->currentItem()->text(2), high);  // the selection stays on its quotation
  EXPECT_EQ(dialog->SelectedRow()->Premium, 450.0);

  // Again: ascending, referred last.
  dialog->QuoteSummaryPZListViewColumnClick(2);
  EXPECT_EQ(Column(list, 2), (QStringList{low, p1, p2, high, "Referred"}));
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
  // Another column sorts in the current direction; "No" gives the reading order back.
  dialog->QuoteSummaryPZListViewColumnClick(0);
  EXPECT_EQ(Column(list, 0), (QStringList{"1", "2", "3", "4", "5"}));
  dialog->QuoteSummaryPZListViewColumnClick(0);
  EXPECT_EQ(Column(list, 0), (QStringList{"5", "4", "3", "2", "1"}));

  // Ctrl+C copies the rows as the list shows them.
  QApplication::clipboard()->clear();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  const auto line = [](const QStringList& cells) { return cells.join('\t') + '\n'; };
  const QString expected =
      line({"No", "Insurer", "Premium", "Excess"}) + line({"5", Insurer(5), low, kPound + "150"}) +
      line({"4", Insurer(4), p2, kPound + "150"}) + line({"3", Insurer(3), high, kPound + "150"}) +
      line({"2", Insurer(2), "Referred", kPound + "150"}) +
      line({"1", Insurer(1), p1, kPound + "150"});
  EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(QuoteSummary, ProceedOnAReferredRowStoresNothingAndOnAPricedRowHandsItOver) {
  PrepareResults({Quote("20", "0", "12"), Quote("10", "45000")});
  auto dialog = Run();
  QList<QString> handedOver;
  const TSeamsGuard seams;
  TAppSeams::Current().acceptance = [&](const TQuoteDetails& quotation, QWidget* parent) {
    handedOver << quotation.InsurerName;
    EXPECT_EQ(parent, dialog.get());
  };
  const TPath accepted{AcceptedQuotePath()};

  dialog->AcceptBitBtn()->click();  // row 1: referred
  EXPECT_EQ(prompter_->Texts(), QStringList{"This scheme has been referred to the insurer.\rPlease "
                                            "contact Quillmarsh on 01632 960123"});
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
  EXPECT_FALSE(ValueExists(Id::AcceptedPlanNumber, accepted));
  EXPECT_FALSE(ValueExists(Id::AcceptedPremium, accepted));
  EXPECT_FALSE(ValueExists(Id::AcceptedInsurerName, accepted));
  EXPECT_TRUE(handedOver.isEmpty());

  prompter_->Clear();
  dialog->QuoteSummaryPZListView()->setCurrentItem(
      dialog->QuoteSummaryPZListView()->topLevelItem(1));
  dialog->AcceptBitBtn()->click();
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(GetNumericValue(Id::AcceptedPlanNumber, accepted), 10.0);
  EXPECT_EQ(GetNumericValue(Id::AcceptedPremium, accepted), 450.0);
  EXPECT_EQ(GetStringValue(Id::AcceptedInsurerName, accepted), Insurer(1));
  EXPECT_EQ(handedOver, QList<QString>{Insurer(1)});

  // The wizard's own entry point installs as it is.
  wizardOpenedFor.clear();
  TAppSeams::Current().acceptance = &RecordingWizard;
  dialog->AcceptBitBtn()->click();
  EXPECT_EQ(wizardOpenedFor, QStringList{Insurer(1)});

  // In the program Proceed opens the acceptance wizard over the results dialog.
  QStringList shown;
  TControlsSeams::Current().modalDialog = [&](QDialog& form) {
    shown << form.objectName() << form.windowTitle();
    EXPECT_EQ(form.parentWidget(), dialog.get());
    return static_cast<int>(QDialog::Rejected);
  };
  TAppSeams::Current().acceptance = RunAcceptanceWizard;
  dialog->AcceptBitBtn()->click();
  EXPECT_EQ(shown, QStringList({"TAcceptanceForm", "Acceptance Wizard"}));
}

TEST_F(QuoteSummary, TheResultsPaneHeightIsStoredWhenChangedAndUsedNextTime) {
  PrepareResults({Quote("10", "45000"), Quote("30", "30000")});
  {
    auto dialog = Run();
    EXPECT_EQ(dialog->ResultsHeightAtCreation(), 130);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    EXPECT_EQ(dialog->ResultsSplitter()->sizes().value(1), 130);
    // Closing unchanged stores nothing.
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(store_.ReadInteger(kOptions, kMotorSummaryWndHeight).has_value());
  }
  {
    auto dialog = Run();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    // Drag the splitter's handle 40 pixels up.
    QSplitterHandle* handle = dialog->ResultsSplitter()->handle(1);
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(0, 40));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(0, 40));
    const int dragged = dialog->ResultsSplitter()->sizes().value(1);
    EXPECT_EQ(dragged, 170);
    dialog->CloseBitBtn()->click();
    EXPECT_EQ(store_.ReadInteger(kOptions, kMotorSummaryWndHeight), dragged);
  }
  auto dialog = Run();
  EXPECT_EQ(dialog->ResultsHeightAtCreation(), 170);
  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  EXPECT_EQ(dialog->ResultsSplitter()->sizes().value(1), 170);
}

TEST_F(QuoteSummary, ExpiredRatesShowTheNoticeUnlessTheUserTurnedItOff) {
  PrepareResults({Quote("10", "45000")});
  const QDate expiry = Options()->GetRatesExpiryDate();
  TFixedTodayForQuote after(expiry.addDays(1));
  forms_.On(QStringLiteral("TInvalidRatesForm"), [](QDialog&) { return QDialog::Accepted; });
  {
    TQuoteSummaryDlgForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quotation Results (The current rates are "
                                                   "Invalid)"));
    EXPECT_EQ(forms_.Count("TInvalidRatesForm"), 1);
  }
  Options()->SetRatesNotify(false);
  TQuoteSummaryDlgForm dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quotation Results (The current rates are "
                                                 "Invalid)"));
  EXPECT_EQ(forms_.Count("TInvalidRatesForm"), 1);
}

TEST_F(QuoteSummary, PrintPreviewSaveAsPdfAndViewUseTheSelectedQuotationAndTheProposal) {
  ASSERT_EQ(LoadProposalFile(Sample("family")), 0);
  PrepareResults({Quote("10", "45000"), Quote("30", "30000")});
  auto dialog = Run();

  // Print goes to the printer chosen in the print dialog (cancelled here).
  int printDialogs = 0;
  {
    const TSeamsGuard seams;
    TReportSeams::Current().printDialog = [&](QPrinter&, QWidget* parent) {
      ++printDialogs;
      EXPECT_EQ(parent, dialog.get());
      return false;
    };
    dialog->PrintBitBtn()->click();
    EXPECT_EQ(printDialogs, 1);
  }

  // "View/Print Details" shows the summary in its preview over the results.
  int previewPages = 0;
  forms_.On<TQuoteSummaryPreviewForm>([&](TQuoteSummaryPreviewForm& preview) {
    EXPECT_EQ(preview.parentWidget(), dialog.get());
    previewPages = preview.PageCount();
    return QDialog::Rejected;
  });
  dialog->SummaryBitBtn()->click();
  EXPECT_EQ(forms_.Count(QStringLiteral("TQuoteSummaryPreviewForm")), 1);
  EXPECT_GE(previewPages, 1);

  // "Save as PDF" writes the summary where the user says.
  const QString pdf = Path("summary.pdf");
  prompter_->QueueFileName(pdf);
  dialog->SaveAsPdfBitBtn()->click();
  ASSERT_EQ(prompter_->FileDialogs().size(), 1);
  QFile written(pdf);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");

  // View writes the proposal listing to struc.out in the user's data folder.
  dialog->ViewStructureBitBtn()->click();
  QFile listing(Path("user") + QStringLiteral("/struc.out"));
  ASSERT_TRUE(listing.open(QIODevice::ReadOnly));
  QByteArray expected;
  WriteProposalListing(expected, Today());
  EXPECT_EQ(listing.readAll(), expected);
  EXPECT_FALSE(expected.isEmpty());
}

TEST_F(QuoteSummary, AnAnswerAlreadyOnItsWayWhenTheUserCancelsTouchesNothing) {
  PrepareResults({Quote("10", "45000")});
  forms_.On<TProgressDlg>([this](TProgressDlg&) {
    // The engine ends, but the user presses Cancel before the window has heard of it.
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(EngineFile("Formula1.001")) && clock.elapsed() < 10000)
      QThread::msleep(10);
    QThread::msleep(100);
    return QDialog::Rejected;
  });
  auto dialog = Run();
  EXPECT_EQ(conclusion_.Ending, TQuoteEnding::Cancelled);
  EXPECT_TRUE(dialog->Cancelled());
  EXPECT_EQ(dialog->ProgressDlg(), nullptr);
  QTest::qWait(200);  // whatever was on its way arrives now
  EXPECT_EQ(dialog->RowCount(), 0);
  EXPECT_EQ(dialog->QuoteSummaryPZListView()->topLevelItemCount(), 0);
  // Released with the answer still queued: nothing is left to run against it.
  auto second = Run();
  second.reset();
  dialog.reset();
  QTest::qWait(200);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}
