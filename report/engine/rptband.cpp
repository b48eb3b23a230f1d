#include "report/engine/rptband.h"

#include <cmath>
#include <stdexcept>

void TRptBand::FitHeightToItems(qreal bottomMargin) {
  qreal bottom = 0;
  for (const auto& item : items_) {
    if (item->Visible) {
      bottom = std::max(bottom, item->Geometry.bottom());
    }
  }
  SetHeight(bottom + bottomMargin);
}

TRptItem& TRptBand::Add(TRptItem item) {
  items_.push_back(std::make_unique<TRptItem>(std::move(item)));
  return *items_.back();
}

TRptItem& TRptBand::AddLabel(const QString& name, const QRectF& geometry, const QString& text,
                             const QFont& font, Qt::Alignment alignment) {
  TRptItem item;
  item.Kind = TRptItemKind::Label;
  item.Name = name;
  item.Geometry = geometry;
  item.Text = text;
  item.Font = font;
  item.Alignment = alignment;
  return Add(std::move(item));
}

TRptItem& TRptBand::AddMemo(const QString& name, const QRectF& geometry, const QFont& font,
                            qreal lineHeight) {
  TRptItem item;
  item.Kind = TRptItemKind::Memo;
  item.Name = name;
  item.Geometry = geometry;
  item.Font = font;
  item.LineHeight = lineHeight;
  return Add(std::move(item));
}

TRptItem* TRptBand::FindItem(const QString& name) {
  for (const auto& item : items_) {
    if (item->Name == name) {
      return item.get();
    }
  }
  return nullptr;
}

TRptItem& TRptBand::Item(const QString& name) {
  TRptItem* item = FindItem(name);
  if (item == nullptr) {
    throw std::out_of_range("band " + name_.toStdString() + " has no item " + name.toStdString());
  }
  return *item;
}

bool TRptBand::RunBeforePrint() {
  bool printBand = true;
  if (beforePrint_) {
    beforePrint_(*this, printBand);
  }
  return printBand;
}

TRptBand& TRptBand::AddLinked(const QString& name, qreal height) {
  linked_.push_back(std::make_unique<TRptBand>(name, height));
  return *linked_.back();
}

void TRptBand::SetSplitGrid(qreal origin, qreal step) {
  gridOrigin_ = origin;
  gridStep_ = step;
}

qreal TRptBand::CutAtOrBefore(qreal from, qreal limit) const {
  if (limit <= from) {
    return from;
  }
  if (gridStep_ <= 0) {
    return limit;
  }
  if (limit < gridOrigin_) {
    return from;
  }
  // A little slack so that a cut landing exactly on the limit is not lost to rounding.
  const qreal steps = std::floor((limit - gridOrigin_) / gridStep_ + 1e-6);
  const qreal cut = gridOrigin_ + steps * gridStep_;
  return cut > from ? cut : from;
}
