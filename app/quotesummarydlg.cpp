// The results dialog: its controls, the results list with its sorting and copying, the details
// of the selected row, the results pane's height, the buttons, and the engine run that fills
// the list.

#include "app/quotesummarydlg.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

#include "app/acceptancehook.h"
#include "app/progressdlg.h"
#include "app/rates.h"
#include "controls/dialogbutton.h"
#include "controls/modaldialog.h"
#include "controls/today.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/proposallisting.h"
#include "motor/quotedetails.h"
#include "motor/resultdetails.h"
#include "platform/prompt.h"
#include "platform/userdatafolder.h"
#include "report/summaryprinting.h"
#include "settings/options.h"

const QString TQuoteSummaryDlgForm::kLabel1Text = QStringLiteral(
    "Call Quillmarsh now on 01632 960123 to arrange cover, or press the 'Proceed' button to "
    "E-Mail your details to Quillmarsh ");
const QString TQuoteSummaryDlgForm::kProgressMessage =
    QStringLiteral("Please Wait....\rGenerating Quotes");
const QString TQuoteSummaryDlgForm::kReferredMessage = QStringLiteral(
    "This scheme has been referred to the insurer.\rPlease contact Quillmarsh on 01632 960123");
const QString TQuoteSummaryDlgForm::kStructureFile = QStringLiteral("struc.out");

namespace {

struct TColumn {
  const char* caption;
  int width;
  Qt::Alignment alignment;
};
// In the order of TResultColumn.
constexpr TColumn kColumns[] = {
    {"No", 30, Qt::AlignLeft},
    {"Insurer", 205, Qt::AlignLeft},
    {"Premium", 100, Qt::AlignRight},
    {"Excess", 100, Qt::AlignRight},
};
constexpr int kPolicyNotesWidth = 438;

}  // namespace

TQuoteSummaryDlgForm::TQuoteSummaryDlgForm(QWidget* parent)
    : QDialog(parent), run_(QuoteRunSetupFromOptions()) {
  setObjectName(QStringLiteral("TQuoteSummaryDlgForm"));
  setWindowTitle(QStringLiteral("Quotation Summary Dialog"));
  CreateControls();
  connect(&run_, &TQuoteRun::finished, this, &TQuoteSummaryDlgForm::RunFinished);

  // 1. An empty list. 2. The results pane's height.
  TOptions* options = Options();
  heightAtCreation_ = options != nullptr ? options->GetSummaryWindowHeight()
                                         : static_cast<int>(kDefaultResultsHeight);
  resultsSplitter_->setSizes({300, heightAtCreation_});
  // 3, 4. The caption tells whether the rates are still valid.
  const QDate today = Today();
  setWindowTitle(QStringLiteral("Quotation Results ") + RatesCaptionSuffix(today));
  // 5. The notice, before the dialog is used.
  if (options != nullptr && options->GetRatesNotify() && RatesExpired(today))
    ShowInvalidRatesNotice(parent != nullptr ? parent : this);
}

TQuoteSummaryDlgForm::~TQuoteSummaryDlgForm() {
  // A hand-over still on its way must find nothing to touch.
  cancelled_ = true;
  disconnect(&run_, nullptr, this, nullptr);
}

void TQuoteSummaryDlgForm::CreateControls() {
  quoteSummaryPZListView_ = new QTreeWidget(this);
  quoteSummaryPZListView_->setObjectName(QStringLiteral("QuoteSummaryPZListView"));
  quoteSummaryPZListView_->setRootIsDecorated(false);
  quoteSummaryPZListView_->setUniformRowHeights(true);
  quoteSummaryPZListView_->setAllColumnsShowFocus(true);
  quoteSummaryPZListView_->setSelectionMode(QAbstractItemView::SingleSelection);
  quoteSummaryPZListView_->setColumnCount(4);
  auto* header = new QTreeWidgetItem;
  for (int i = 0; i < 4; ++i) {
    header->setText(i, QLatin1String(kColumns[i].caption));
    header->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
  }
  quoteSummaryPZListView_->setHeaderItem(header);
  for (int i = 0; i < 4; ++i)
    quoteSummaryPZListView_->setColumnWidth(i, kColumns[i].width);
  quoteSummaryPZListView_->header()->setSectionsClickable(true);
  quoteSummaryPZListView_->header()->setStretchLastSection(false);
  connect(quoteSummaryPZListView_->header(), &QHeaderView::sectionClicked, this,
          &TQuoteSummaryDlgForm::QuoteSummaryPZListViewColumnClick);
  connect(quoteSummaryPZListView_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) {
            ShowDetails(quoteSummaryPZListView_->indexOfTopLevelItem(current));
          });
  auto* copy = new QAction(QStringLiteral("&Copy"), quoteSummaryPZListView_);
  copy->setObjectName(QStringLiteral("CopyRowsAction"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &TQuoteSummaryDlgForm::CopyRows);
  quoteSummaryPZListView_->addAction(copy);
  quoteSummaryPZListView_->setContextMenuPolicy(Qt::ActionsContextMenu);

  resultsPZListView_ = new QTreeWidget(this);
  resultsPZListView_->setObjectName(QStringLiteral("ResultsPZListView"));
  resultsPZListView_->setRootIsDecorated(false);
  resultsPZListView_->setColumnCount(1);
  resultsPZListView_->setHeaderLabels({QStringLiteral("Policy Notes")});
  resultsPZListView_->setColumnWidth(0, kPolicyNotesWidth);
  resultsPZListView_->header()->setSectionsClickable(false);
  // A reader names each list by its columns, as the capture dialogs' lists are named.
  quoteSummaryPZListView_->setAccessibleName(QStringLiteral("No, Insurer, Premium, Excess"));
  resultsPZListView_->setAccessibleName(QStringLiteral("Policy Notes"));

  resultsSplitter_ = new QSplitter(Qt::Vertical, this);
  resultsSplitter_->setObjectName(QStringLiteral("ResultsSplitter"));
  resultsSplitter_->setChildrenCollapsible(false);
  resultsSplitter_->addWidget(quoteSummaryPZListView_);
  resultsSplitter_->addWidget(resultsPZListView_);
  // A taller dialog gives the results list the room; the details keep their height.
  resultsSplitter_->setStretchFactor(0, 1);
  resultsSplitter_->setStretchFactor(1, 0);

  resultsTabSet_ = new QTabBar(this);
  resultsTabSet_->setObjectName(QStringLiteral("ResultsTabSet"));
  resultsTabSet_->addTab(QStringLiteral("Policy Notes"));
  resultsTabSet_->addTab(QStringLiteral("Policy Excesses"));
  resultsTabSet_->setVisible(false);

  const auto button = [this](const char* name, const QString& caption) {
    return MakeDialogButton(this,
                            {.Name = name, .Caption = caption, .Enter = TEnterPress::OnButton});
  };
  acceptBitBtn_ = button("AcceptBitBtn", QStringLiteral("Proceed"));
  printBitBtn_ = button("PrintBitBtn", QStringLiteral("Print"));
  summaryBitBtn_ = button("SummaryBitBtn", QStringLiteral("View/Print Details"));
  saveAsPdfBitBtn_ = button("SaveAsPdfBitBtn", QStringLiteral("Save as PDF"));
  closeBitBtn_ = button("CloseBitBtn", QStringLiteral("Close"));
  viewStructureBitBtn_ = button("ViewStructureBitBtn", QStringLiteral("View"));
  viewStructureBitBtn_->setVisible(false);
  connect(acceptBitBtn_, &QPushButton::clicked, this, &TQuoteSummaryDlgForm::AcceptBitBtnClick);
  connect(printBitBtn_, &QPushButton::clicked, this, &TQuoteSummaryDlgForm::PrintBitBtnClick);
  connect(summaryBitBtn_, &QPushButton::clicked, this, &TQuoteSummaryDlgForm::SummaryBitBtnClick);
  connect(saveAsPdfBitBtn_, &QPushButton::clicked, this,
          &TQuoteSummaryDlgForm::SaveAsPdfBitBtnClick);
  connect(closeBitBtn_, &QPushButton::clicked, this, &QDialog::reject);  // the Cancel key
  connect(viewStructureBitBtn_, &QPushButton::clicked, this,
          &TQuoteSummaryDlgForm::ViewStructureBitBtnClick);

  label1_ = new QLabel(kLabel1Text, this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setWordWrap(true);

  auto* column = new QVBoxLayout(this);
  column->addWidget(resultsSplitter_, 1);
  column->addWidget(resultsTabSet_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {acceptBitBtn_, printBitBtn_, summaryBitBtn_, saveAsPdfBitBtn_,
                         closeBitBtn_, viewStructureBitBtn_})
    buttons->addWidget(b);
  buttons->addStretch();
  column->addLayout(buttons);
  column->addWidget(label1_);
  resize(620, 460);

  // The results list, the details, then the buttons.
  setTabOrder(quoteSummaryPZListView_, resultsPZListView_);
  setTabOrder(resultsPZListView_, acceptBitBtn_);
  setTabOrder(acceptBitBtn_, printBitBtn_);
  setTabOrder(printBitBtn_, summaryBitBtn_);
  setTabOrder(summaryBitBtn_, saveAsPdfBitBtn_);
  setTabOrder(saveAsPdfBitBtn_, closeBitBtn_);
}

// ---- The results list -------------------------------------------------------------------------

void TQuoteSummaryDlgForm::FillList(const TQuoteDetails* select) {
  QSignalBlocker quiet(quoteSummaryPZListView_);
  quoteSummaryPZListView_->clear();
  QTreeWidgetItem* selected = nullptr;
  for (const TResultRow& row : rows_) {
    auto* item = new QTreeWidgetItem(quoteSummaryPZListView_,
                                     {row.No, row.Insurer, row.PremiumText, row.ExcessText});
    for (int i = 0; i < 4; ++i)
      item->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
    if (select != nullptr && row.Details == select)
      selected = item;
  }
  if (selected != nullptr)
    quoteSummaryPZListView_->setCurrentItem(selected);
}

const TResultRow* TQuoteSummaryDlgForm::SelectedRow() const {
  const int index =
      quoteSummaryPZListView_->indexOfTopLevelItem(quoteSummaryPZListView_->currentItem());
  return index >= 0 && index < rows_.size() ? &rows_[index] : nullptr;
}

void TQuoteSummaryDlgForm::QuoteSummaryPZListViewColumnClick(int column) {
  if (column < 0 || column > 3)
    return;
  const TResultRow* current = SelectedRow();
  const TQuoteDetails* keep = current != nullptr ? current->Details : nullptr;
  sort_.Click(static_cast<TResultColumn>(column));
  sort_.Apply(rows_);
  FillList(keep);
  quoteSummaryPZListView_->header()->setSortIndicatorShown(true);
  quoteSummaryPZListView_->header()->setSortIndicator(
      column, sort_.Descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QString TQuoteSummaryDlgForm::RowsAsText() const {
  QString text = QStringLiteral("No\tInsurer\tPremium\tExcess\n");
  for (const TResultRow& row : rows_)
    text += QStringList{row.No, row.Insurer, row.PremiumText, row.ExcessText}.join('\t') + '\n';
  return text;
}

void TQuoteSummaryDlgForm::CopyRows() {
  if (!rows_.isEmpty())
    QGuiApplication::clipboard()->setText(RowsAsText());
}

void TQuoteSummaryDlgForm::ShowDetails(int row) {
  resultsPZListView_->clear();
  if (row < 0 || row >= rows_.size() || rows_[row].Details == nullptr)
    return;
  const TResultDetails details = DescribeQuotation(*rows_[row].Details);
  resultsPZListView_->headerItem()->setText(0, details.Caption);
  for (const QString& line : details.Lines)
    new QTreeWidgetItem(resultsPZListView_, {line});
}

// ---- The results pane's height ----------------------------------------------------------------

void TQuoteSummaryDlgForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!shown_) {
    shown_ = true;
    // The layout may have shared the room out afresh: the details keep the height read.
    const int total = resultsSplitter_->sizes().value(0) + resultsSplitter_->sizes().value(1);
    resultsSplitter_->setSizes({qMax(1, total - heightAtCreation_), heightAtCreation_});
    quoteSummaryPZListView_->setFocus(Qt::OtherFocusReason);
  }
}

void TQuoteSummaryDlgForm::done(int result) {
  StoreResultsHeight();
  QDialog::done(result);
}

void TQuoteSummaryDlgForm::StoreResultsHeight() {
  // Only a dialog the user saw has a height of the user's choosing.
  if (!shown_ || Options() == nullptr)
    return;
  const int height = resultsSplitter_->sizes().value(1);
  if (height <= 0 || height == heightAtCreation_)
    return;
  try {
    Options()->SetSummaryWindowHeight(height);
    heightAtCreation_ = height;
  } catch (const ESettingsError& error) {
    Ask(PromptKind::Error, PromptButtons::Ok, QString::fromLocal8Bit(error.what()));
  }
}

// ---- The buttons ------------------------------------------------------------------------------

void TQuoteSummaryDlgForm::AcceptBitBtnClick() {
  const TResultRow* row = SelectedRow();
  if (row == nullptr || row->Details == nullptr)
    return;
  if (row->Referred) {
    Ask(PromptKind::Information, PromptButtons::Ok, kReferredMessage);
    return;
  }
  const TQuoteDetails& quotation = *row->Details;
  const TPath accepted{AcceptedQuotePath()};
  SetNumericValue(Id::AcceptedPlanNumber, accepted, quotation.PlanNumber);
  SetNumericValue(Id::AcceptedPremium, accepted, quotation.Premium);
  SetStringValue(Id::AcceptedInsurerName, accepted, quotation.InsurerName);
  StartAcceptance(quotation, this);
}

void TQuoteSummaryDlgForm::PrintBitBtnClick() {
  if (const TResultRow* row = SelectedRow(); row != nullptr && row->Details != nullptr)
    PrintQuoteSummary(*row->Details, this);
}

void TQuoteSummaryDlgForm::SummaryBitBtnClick() {
  if (const TResultRow* row = SelectedRow(); row != nullptr && row->Details != nullptr)
    PreviewQuoteSummary(*row->Details, this);
}

void TQuoteSummaryDlgForm::SaveAsPdfBitBtnClick() {
  if (const TResultRow* row = SelectedRow(); row != nullptr && row->Details != nullptr)
    SaveQuoteSummaryAsPdf(*row->Details);
}

void TQuoteSummaryDlgForm::ViewStructureBitBtnClick() {
  QByteArray listing;
  WriteProposalListing(listing, Today());
  const QString name = UserDataFile(kStructureFile);
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly) || file.write(listing) != listing.size() || !file.commit()) {
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to write the proposal listing to %1").arg(name));
  }
}

// ------------------------------------------------------------------------------------------------
// The results dialog's engine run. The engine is a process of its own, watched from the event
// loop that the progress dialog's modal loop runs, so the window keeps painting and Cancel is
// answered at once. The results are handed over when the engine ends: unless the user has
// cancelled by then, the list is filled and the progress dialog closed with OK.

TQuoteConclusion TQuoteSummaryDlgForm::RunEngine() {
  cancelled_ = false;
  finished_ = false;
  rows_.clear();
  sort_ = TResultSortState();
  quoteSummaryPZListView_->clear();
  // Over the main window: this dialog is not on the screen yet.
  QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
  std::unique_ptr<TProgressDlg> progress(new TProgressDlg(owner));
  progress->SetMessage(kProgressMessage);
  progress_ = progress.get();

  run_.Start();
  int answer = QDialog::Accepted;
  // The run always answers from the event loop, so it is still going here; the check keeps a
  // run that ended anyway from leaving the dialog open for ever.
  if (!finished_)
    answer = RunModalDialog(*progress);
  if (answer != QDialog::Accepted) {
    // The flag first: an answer already on its way is then dropped.
    cancelled_ = true;
    run_.Cancel();
  }
  progress_ = nullptr;
  progress.reset();

  if (cancelled_)
    return {TQuoteEnding::Cancelled, QString()};
  return ConcludeQuotation(run_);
}

void TQuoteSummaryDlgForm::RunFinished(const TEngineRunResult& result) {
  if (cancelled_)
    return;
  finished_ = true;
  if (result.Outcome == TEngineOutcome::Results) {
    LoadResults();
  } else {
    // Every failure ends the wait as well; the workflow tells the user what went wrong.
    CloseProgress();
  }
}

void TQuoteSummaryDlgForm::LoadResults() {
  rows_ = run_.Rows();
  FillList(nullptr);
  if (!rows_.isEmpty())
    quoteSummaryPZListView_->setCurrentItem(quoteSummaryPZListView_->topLevelItem(0));
  CloseProgress();
}

void TQuoteSummaryDlgForm::CloseProgress() {
  if (!progress_)
    return;
  progress_->hide();
  progress_->done(QDialog::Accepted);
}
