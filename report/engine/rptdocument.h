#pragma once
// TRptDocument: a generated report, page by page, ready to be painted on any paged device (a
// QPrinter for paper or the preview, a QPdfWriter for a PDF file). Each page holds the bands
// placed on it with their items as they stood when placed (hooks already run), so painting it
// twice gives the same pages.

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <vector>

#include "report/engine/rptitem.h"

struct TRptPlacedBand {
  QString Name;
  qreal Top = 0;          // points from the top of the page's printable area
  qreal SliceTop = 0;     // the part of the band on this page starts this far into the band ...
  qreal SliceHeight = 0;  // ... and is this tall
  bool Sliced = false;    // only part of the band is on this page
  std::vector<TRptItem> Items;
};

class TRptDocument {
 public:
  TRptDocument() = default;
  explicit TRptDocument(QPageLayout layout) : layout_(std::move(layout)) {}

  const QPageLayout& Layout() const { return layout_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // The bands of a page (from 1) in the order they were placed.
  const std::vector<TRptPlacedBand>& Bands(int page) const;
  QStringList BandNames(int page) const;

  // Paints one page (from 1) at the resolution of the painter's device, from the top-left corner
  // of its printable area.
  void PaintPage(QPainter& painter, int page) const;
  // Prints pages first to last (from 1; 0 means the last page) on the device, each on a page of
  // its own, in the document's page layout. Answers false when the device cannot be painted on.
  bool Print(QPagedPaintDevice& device, int firstPage = 1, int lastPage = 0) const;

  // For the generator.
  void AddPage() { pages_.emplace_back(); }
  void Place(TRptPlacedBand band) { pages_.back().push_back(std::move(band)); }

 private:
  QPageLayout layout_;
  std::vector<std::vector<TRptPlacedBand>> pages_;
};
