#pragma once
// TBandedReport: a small banded report engine on QPainter.
//
// A report has an optional title band (printed once, at the top of the first page), an optional
// page footer band (at the bottom of every page), and detail bands that are printed in order once
// per record for as long as the need-data callback answers that another record follows. Each
// detail band may have linked bands that print right after it and are never separated from it by
// a page break (unless together they are taller than a page). Every band's before-print hook runs
// as it is about to be placed and may fill it, resize it or suppress it.
//
// Generate() lays the report out into pages without any output; the document it answers can then
// be counted, painted on a printer, written as a PDF or shown in a preview. A report that needs
// its own page count (the "Page n of N" footer) generates twice: once to count, once to print.

#include <QDateTime>
#include <QPageLayout>
#include <functional>
#include <memory>
#include <vector>

#include "report/engine/rptband.h"
#include "report/engine/rptdocument.h"

class TBandedReport {
 public:
  TRptBand& SetTitleBand(const QString& name, qreal height);
  TRptBand& SetPageFooterBand(const QString& name, qreal height);
  TRptBand& AddDetailBand(const QString& name, qreal height);

  // Asked before each round of the detail bands; they repeat while it answers true. Without a
  // callback the detail bands print once.
  void SetNeedData(std::function<bool()> needData) { needData_ = std::move(needData); }
  // The moment the date-and-time fields show; the start of each generation when not set.
  void SetGeneratedAt(const QDateTime& at) { generatedAt_ = at; }

  // Any band of the report by name, linked bands included; nullptr when there is none.
  TRptBand* FindBand(const QString& name);

  // Lays the report out on pages of the given layout (the printable area is what counts).
  TRptDocument Generate(const QPageLayout& layout);

 private:
  friend class TRptLayoutPass;

  std::unique_ptr<TRptBand> title_;
  std::unique_ptr<TRptBand> footer_;
  std::vector<std::unique_ptr<TRptBand>> details_;
  std::function<bool()> needData_;
  QDateTime generatedAt_;
};
