#pragma once
// TQuoteSummaryPreviewForm ("Summary Details Report"): the quote summary shown page by page
// before it is printed, with one tab per page, a zoom field with "<" and ">", Print, "Save as
// PDF" and Close (also Escape).

#include <QDialog>
#include <QPrinter>
#include <memory>

#include "report/engine/rptdocument.h"

class QLabel;
class QPrintPreviewWidget;
class QPushButton;
class QTabBar;
class QToolButton;
class TNumericEdit;
class TQuoteDetails;

class TQuoteSummaryPreviewForm : public QDialog {
  Q_OBJECT

 public:
  // Generates the summary of the quotation (Data Server as it stands) and shows its first page.
  explicit TQuoteSummaryPreviewForm(const TQuoteDetails& quotation, QWidget* parent = nullptr);
  ~TQuoteSummaryPreviewForm() override;

  // The zoom is kept between these, in per cent.
  static constexpr int kMinimumZoom = 10;
  static constexpr int kMaximumZoom = 400;
  static constexpr int kZoomStep = 10;

  int PageCount() const { return document_.PageCount(); }
  const TRptDocument& Document() const { return document_; }

 private:
  void CreateControls();
  void ShowReport();
  void DriverTabSetChange(int index);
  void PreviewPageChanged();
  void ZoomNumericEditChange();
  void ZoomNumericEditExit();
  void ZoomOutSpeedButtonClick();
  void ZoomInSpeedButtonClick();
  // The field's value moved by `step`, kept within the zoom's bounds; its change handler applies
  // it.
  void StepZoom(int step);
  void PrintBitBtnClick();
  void SavePdfBitBtnClick();

  const TQuoteDetails& quotation_;
  TRptDocument document_;
  // The preview draws on its own printer; it outlives the preview widget (see the destructor).
  std::unique_ptr<QPrinter> previewPrinter_;
  QPrintPreviewWidget* RptPreview = nullptr;
  QTabBar* DriverTabSet = nullptr;
  QLabel* ZoomLabel = nullptr;
  TNumericEdit* ZoomNumericEdit = nullptr;
  QToolButton* ZoomOutSpeedButton = nullptr;
  QToolButton* ZoomInSpeedButton = nullptr;
  QPushButton* CloseBitBtn = nullptr;
  QPushButton* PrintBitBtn = nullptr;
  QPushButton* SavePdfBitBtn = nullptr;
  bool followingPreview_ = false;  // a tab change that follows the preview's own scrolling
};
