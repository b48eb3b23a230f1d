#include "report/quotesummarypreviewform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/numericedit.h"
#include "report/quotesummaryrptform.h"
#include "report/summaryprinting.h"

TQuoteSummaryPreviewForm::TQuoteSummaryPreviewForm(const TQuoteDetails& quotation, QWidget* parent)
    : QDialog(parent), quotation_(quotation) {
  setObjectName(QStringLiteral("TQuoteSummaryPreviewForm"));
  setWindowTitle(QStringLiteral("Summary Details Report"));
  previewPrinter_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
  previewPrinter_->setPageLayout(DefaultSummaryPageLayout());
  CreateControls();
  ZoomNumericEdit->SetAsInteger(100);
  ShowReport();
}

TQuoteSummaryPreviewForm::~TQuoteSummaryPreviewForm() {
  delete RptPreview;  // before the printer it draws on
}

void TQuoteSummaryPreviewForm::CreateControls() {
  RptPreview = new QPrintPreviewWidget(previewPrinter_.get(), this);
  RptPreview->setObjectName(QStringLiteral("RptPreview"));
  RptPreview->setViewMode(QPrintPreviewWidget::SinglePageView);
  RptPreview->setZoomMode(QPrintPreviewWidget::CustomZoom);
  connect(RptPreview, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { document_.Print(*printer); });
  connect(RptPreview, &QPrintPreviewWidget::previewChanged, this,
          &TQuoteSummaryPreviewForm::PreviewPageChanged);

  DriverTabSet = new QTabBar(this);
  DriverTabSet->setObjectName(QStringLiteral("DriverTabSet"));
  DriverTabSet->setShape(QTabBar::RoundedSouth);
  DriverTabSet->setExpanding(false);
  connect(DriverTabSet, &QTabBar::currentChanged, this,
          &TQuoteSummaryPreviewForm::DriverTabSetChange);

  ZoomLabel = new QLabel(QStringLiteral("&Zoom"), this);
  ZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
  ZoomNumericEdit = new TNumericEdit(this);
  ZoomNumericEdit->setObjectName(QStringLiteral("ZoomNumericEdit"));
  ZoomNumericEdit->SetDecimalPlaces(0);
  ZoomNumericEdit->SetPositiveNumbersOnly(true);
  ZoomNumericEdit->setFixedWidth(ZoomNumericEdit->fontMetrics().horizontalAdvance("00000") + 12);
  connect(ZoomNumericEdit, &TNumericEdit::changed, this, [this] { ZoomNumericEditChange(); });
  connect(ZoomNumericEdit, &TNumericEdit::exited, this, [this] { ZoomNumericEditExit(); });
  ZoomLabel->setBuddy(ZoomNumericEdit);

  ZoomOutSpeedButton = new QToolButton(this);
  ZoomOutSpeedButton->setObjectName(QStringLiteral("ZoomOutSpeedButton"));
  ZoomOutSpeedButton->setText(QStringLiteral("<"));
  ZoomOutSpeedButton->setToolTip(QStringLiteral("Zoom out"));
  ZoomOutSpeedButton->setFocusPolicy(Qt::StrongFocus);
  connect(ZoomOutSpeedButton, &QToolButton::clicked, this,
          &TQuoteSummaryPreviewForm::ZoomOutSpeedButtonClick);
  ZoomInSpeedButton = new QToolButton(this);
  ZoomInSpeedButton->setObjectName(QStringLiteral("ZoomInSpeedButton"));
  ZoomInSpeedButton->setText(QStringLiteral(">"));
  ZoomInSpeedButton->setToolTip(QStringLiteral("Zoom in"));
  ZoomInSpeedButton->setFocusPolicy(Qt::StrongFocus);
  connect(ZoomInSpeedButton, &QToolButton::clicked, this,
          &TQuoteSummaryPreviewForm::ZoomInSpeedButtonClick);

  CloseBitBtn = new QPushButton(QStringLiteral("&Close"), this);
  CloseBitBtn->setObjectName(QStringLiteral("CloseBitBtn"));
  connect(CloseBitBtn, &QPushButton::clicked, this, &QDialog::reject);
  PrintBitBtn = new QPushButton(QStringLiteral("&Print"), this);
  PrintBitBtn->setObjectName(QStringLiteral("PrintBitBtn"));
  connect(PrintBitBtn, &QPushButton::clicked, this, &TQuoteSummaryPreviewForm::PrintBitBtnClick);
  SavePdfBitBtn = new QPushButton(QStringLiteral("Save as P&DF"), this);
  SavePdfBitBtn->setObjectName(QStringLiteral("SavePdfBitBtn"));
  connect(SavePdfBitBtn, &QPushButton::clicked, this,
          &TQuoteSummaryPreviewForm::SavePdfBitBtnClick);
  // Enter in the zoom field applies the zoom; it must not press a button.
  for (QPushButton* button : {CloseBitBtn, PrintBitBtn, SavePdfBitBtn}) {
    button->setAutoDefault(false);
  }

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ZoomLabel);
  buttons->addWidget(ZoomNumericEdit);
  buttons->addWidget(ZoomOutSpeedButton);
  buttons->addWidget(ZoomInSpeedButton);
  buttons->addStretch();
  buttons->addWidget(CloseBitBtn);
  buttons->addWidget(PrintBitBtn);
  buttons->addWidget(SavePdfBitBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RptPreview, 1);
  layout->addWidget(DriverTabSet);
  layout->addLayout(buttons);

  setTabOrder(RptPreview, DriverTabSet);
  setTabOrder(DriverTabSet, ZoomNumericEdit);
  setTabOrder(ZoomNumericEdit, ZoomOutSpeedButton);
  setTabOrder(ZoomOutSpeedButton, ZoomInSpeedButton);
  setTabOrder(ZoomInSpeedButton, CloseBitBtn);
  setTabOrder(CloseBitBtn, PrintBitBtn);
  setTabOrder(PrintBitBtn, SavePdfBitBtn);
  resize(760, 900);
}

// Counts and generates the report, then shows it with one tab per page and the first selected.
void TQuoteSummaryPreviewForm::ShowReport() {
  document_ = GenerateQuoteSummary(quotation_, previewPrinter_->pageLayout());
  const QSignalBlocker blocker(DriverTabSet);
  while (DriverTabSet->count() > 0) {
    DriverTabSet->removeTab(0);
  }
  RptPreview->updatePreview();
  for (int page = 1; page <= document_.PageCount(); ++page) {
    DriverTabSet->addTab(QStringLiteral("Page ") + QString::number(page));
  }
  DriverTabSet->setCurrentIndex(0);
  RptPreview->setCurrentPage(1);
}

void TQuoteSummaryPreviewForm::DriverTabSetChange(int index) {
  if (!followingPreview_ && index >= 0) {
    RptPreview->setCurrentPage(index + 1);
  }
}

// Scrolling the preview to another page selects that page's tab.
void TQuoteSummaryPreviewForm::PreviewPageChanged() {
  const int index = RptPreview->currentPage() - 1;
  if (index >= 0 && index < DriverTabSet->count() && index != DriverTabSet->currentIndex()) {
    followingPreview_ = true;
    DriverTabSet->setCurrentIndex(index);
    followingPreview_ = false;
  }
}

// Applied as typed, within the bounds; the field keeps what is typed until it is left.
void TQuoteSummaryPreviewForm::ZoomNumericEditChange() {
  const int zoom = std::clamp(ZoomNumericEdit->AsInteger(), kMinimumZoom, kMaximumZoom);
  RptPreview->setZoomFactor(zoom / 100.0);
}

void TQuoteSummaryPreviewForm::ZoomNumericEditExit() {
  const int zoom = std::clamp(ZoomNumericEdit->AsInteger(), kMinimumZoom, kMaximumZoom);
  if (zoom != ZoomNumericEdit->AsInteger()) {
    ZoomNumericEdit->SetAsInteger(zoom);
  }
}

void TQuoteSummaryPreviewForm::ZoomOutSpeedButtonClick() {
  StepZoom(-kZoomStep);
}

void TQuoteSummaryPreviewForm::ZoomInSpeedButtonClick() {
  StepZoom(kZoomStep);
}

void TQuoteSummaryPreviewForm::StepZoom(int step) {
  const int current = std::clamp(ZoomNumericEdit->AsInteger(), kMinimumZoom, kMaximumZoom);
  ZoomNumericEdit->SetAsInteger(std::clamp(current + step, kMinimumZoom, kMaximumZoom));
}

// Prints the pages as generated for the preview, laid out again when the chosen paper differs.
void TQuoteSummaryPreviewForm::PrintBitBtnClick() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(document_.Layout());
  if (!RunPrintDialog(printer, this)) {
    return;
  }
  if (printer.pageLayout().isEquivalentTo(document_.Layout())) {
    PrintReportDocument(document_, printer);
  } else {
    PrintReportDocument(GenerateQuoteSummary(quotation_, printer.pageLayout()), printer);
  }
}

void TQuoteSummaryPreviewForm::SavePdfBitBtnClick() {
  SaveReportDocumentAsPdf(document_);
}
