#pragma once
// TRptBand: a horizontal strip of a banded report holding its items. A before-print hook runs
// each time the band is about to be placed: it fills the labels and memos, may change heights,
// and may suppress the band, which then takes no space. Linked bands print directly after the
// band they belong to, only when it prints, and are kept on the same page as it.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "report/engine/rptitem.h"

class TRptBand;
using TRptBeforePrint = std::function<void(TRptBand& band, bool& printBand)>;

class TRptBand {
 public:
  TRptBand(QString name, qreal height) : name_(std::move(name)), height_(height) {}
  TRptBand(const TRptBand&) = delete;
  TRptBand& operator=(const TRptBand&) = delete;

  const QString& Name() const { return name_; }
  qreal Height() const { return height_; }
  void SetHeight(qreal height) { height_ = height < 0 ? 0 : height; }
  // Makes the band just tall enough for its visible items, plus `bottomMargin` points.
  void FitHeightToItems(qreal bottomMargin = 0);

  // Adds an item; the reference stays valid for the band's lifetime.
  TRptItem& Add(TRptItem item);
  TRptItem& AddLabel(const QString& name, const QRectF& geometry, const QString& text,
                     const QFont& font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
  TRptItem& AddMemo(const QString& name, const QRectF& geometry, const QFont& font,
                    qreal lineHeight);
  // Raises std::out_of_range when the band has no item of that name.
  TRptItem& Item(const QString& name);
  TRptItem* FindItem(const QString& name);
  const std::vector<std::unique_ptr<TRptItem>>& Items() const { return items_; }

  void SetBeforePrint(TRptBeforePrint hook) { beforePrint_ = std::move(hook); }
  // Runs the hook; answers whether the band prints.
  bool RunBeforePrint();

  TRptBand& AddLinked(const QString& name, qreal height);
  const std::vector<std::unique_ptr<TRptBand>>& Linked() const { return linked_; }

  // Where a band taller than a page may be cut between pages: at `origin` + k * `step` points
  // (memo lines stay whole). Without it such a band is cut where the page ends.
  void SetSplitGrid(qreal origin, qreal step);
  // The lowest allowed cut above `from` and at or above `limit` (both in points from the band's
  // top); `from` itself when there is none.
  qreal CutAtOrBefore(qreal from, qreal limit) const;

 private:
  QString name_;
  qreal height_;
  std::vector<std::unique_ptr<TRptItem>> items_;
  std::vector<std::unique_ptr<TRptBand>> linked_;
  TRptBeforePrint beforePrint_;
  qreal gridOrigin_ = 0;
  qreal gridStep_ = 0;
};
