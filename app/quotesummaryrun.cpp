// The results dialog's engine run. The engine is a process of its own, watched from the event
// loop that the progress dialog's modal loop runs, so the window keeps painting and Cancel is
// answered at once. The results are handed over when the engine ends: unless the user has
// cancelled by then, the list is filled and the progress dialog closed with OK.

#include <QTreeWidget>
#include <memory>

#include "app/progressdlg.h"
#include "app/quotesummarydlg.h"
#include "controls/modaldialog.h"

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
