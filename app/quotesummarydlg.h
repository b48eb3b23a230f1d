#pragma once
// TQuoteSummaryDlgForm: the results of one quotation run. The quotation workflow creates it,
// runs the engine against it behind the progress dialog, and shows it modally when at least one
// scheme was listed: one row per scheme with its premium and excess, sortable by any column,
// and the policy notes and excesses of the selected row beneath. From it the user accepts
// (Proceed), prints, previews or saves the summary of the selected quotation, and copies the rows.

#include <QDialog>
#include <QList>
#include <QPointer>

#include "app/progressdlg.h"
#include "motor/quoterun.h"
#include "motor/resultrows.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTabBar;
class QTreeWidget;

class TQuoteSummaryDlgForm : public QDialog {
  Q_OBJECT

 public:
  static const QString kLabel1Text;
  static const QString kProgressMessage;
  static const QString kReferredMessage;
  // The proposal listing the hidden View button writes, in the user's data folder.
  static const QString kStructureFile;
  // The results pane's height when the settings hold none.
  static constexpr int kDefaultResultsHeight = 130;

  // Creation: an empty list, the results pane's height from the settings, the caption with the
  // rates' validity, and the "Invalid Rates" notice when the rates have expired and the user
  // still wants it.
  explicit TQuoteSummaryDlgForm(QWidget* parent = nullptr);
  ~TQuoteSummaryDlgForm() override;

  // Stops an engine that runs longer than this (0 waits for ever).
  void SetEngineTimeout(int milliseconds) { run_.SetTimeout(milliseconds); }

  // Runs the engine behind the modal progress dialog and loads what it answers. Cancel in the
  // progress dialog sets the cancelled flag, then stops the engine and everything it started.
  // Answers how the run ended for the user (results, declined, failed or cancelled).
  TQuoteConclusion RunEngine();
  bool Cancelled() const { return cancelled_; }
  // The progress dialog while the engine runs, else nullptr.
  TProgressDlg* ProgressDlg() const { return progress_; }

  // Fills the list from the run's results in reading order, selects the first row and shows its
  // details, then closes the progress dialog with OK.
  void LoadResults();
  // Fills the details list for the row at that place in the list (nothing for no row).
  void ShowDetails(int row);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // The rows as the list shows them now.
  const QList<TResultRow>& Rows() const { return rows_; }
  // The row selected in the list, or nullptr.
  const TResultRow* SelectedRow() const;
  // The list's rows as tab-separated text under a heading line, as Ctrl+C copies them.
  QString RowsAsText() const;
  // The lower list's height as it was read at creation.
  int ResultsHeightAtCreation() const { return heightAtCreation_; }

  QTreeWidget* QuoteSummaryPZListView() const { return quoteSummaryPZListView_; }
  QTreeWidget* ResultsPZListView() const { return resultsPZListView_; }
  QSplitter* ResultsSplitter() const { return resultsSplitter_; }
  QTabBar* ResultsTabSet() const { return resultsTabSet_; }
  QPushButton* AcceptBitBtn() const { return acceptBitBtn_; }
  QPushButton* PrintBitBtn() const { return printBitBtn_; }
  QPushButton* SummaryBitBtn() const { return summaryBitBtn_; }
  QPushButton* SaveAsPdfBitBtn() const { return saveAsPdfBitBtn_; }
  QPushButton* CloseBitBtn() const { return closeBitBtn_; }
  QPushButton* ViewStructureBitBtn() const { return viewStructureBitBtn_; }

  // The buttons' actions.
  void AcceptBitBtnClick();
  void PrintBitBtnClick();
  // "View/Print Details": the printed summary of the selected quotation, page by page, first.
  void SummaryBitBtnClick();
  void SaveAsPdfBitBtnClick();
  void ViewStructureBitBtnClick();
  // A click on a column header of the results list.
  void QuoteSummaryPZListViewColumnClick(int column);

 protected:
  // Closing by any means (Close, Escape) keeps a changed results pane height for next time.
  void done(int result) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void FillList(const TQuoteDetails* select);
  void CopyRows();
  void RunFinished(const TEngineRunResult& result);
  void CloseProgress();
  void StoreResultsHeight();

  TQuoteRun run_;
  QList<TResultRow> rows_;  // in list order
  TResultSortState sort_;
  int heightAtCreation_ = kDefaultResultsHeight;
  QPointer<TProgressDlg> progress_;
  bool cancelled_ = false;
  bool finished_ = false;
  bool shown_ = false;

  QTreeWidget* quoteSummaryPZListView_ = nullptr;
  QTreeWidget* resultsPZListView_ = nullptr;
  QSplitter* resultsSplitter_ = nullptr;
  QTabBar* resultsTabSet_ = nullptr;
  QPushButton* acceptBitBtn_ = nullptr;
  QPushButton* printBitBtn_ = nullptr;
  QPushButton* summaryBitBtn_ = nullptr;
  QPushButton* saveAsPdfBitBtn_ = nullptr;
  QPushButton* closeBitBtn_ = nullptr;
  QPushButton* viewStructureBitBtn_ = nullptr;
  QLabel* label1_ = nullptr;
};
