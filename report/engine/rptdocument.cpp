#include "report/engine/rptdocument.h"

#include <QPen>
#include <stdexcept>

namespace {

constexpr qreal kPointsPerInch = 72.0;
constexpr qreal kRuleWidth = 0.5;  // points

struct TScale {
  qreal x;
  qreal y;
  QRectF Map(const QRectF& points, qreal dy) const {
    return QRectF(points.x() * x, (points.y() + dy) * y, points.width() * x, points.height() * y);
  }
};

// The part of a band that is on the page, in points from the band's top. Text is drawn on the page
// that holds the middle of its line, so that a band cut across pages shows each line once (a PDF
// keeps text even where it is clipped away).
struct TWindow {
  qreal top;
  qreal bottom;
  bool HoldsLine(qreal lineTop, qreal lineHeight) const {
    const qreal middle = lineTop + lineHeight / 2;
    return middle >= top && middle < bottom;
  }
  bool Touches(const QRectF& rect) const { return rect.bottom() > top && rect.top() < bottom; }
};

void PaintItem(QPainter& painter, const TRptItem& item, qreal dy, const TScale& scale,
               const TWindow& window) {
  const QRectF rect = scale.Map(item.Geometry, dy);
  switch (item.Kind) {
    case TRptItemKind::Label:
    case TRptItemKind::DateTime:
    case TRptItemKind::PageNumber:
      if (!window.HoldsLine(item.Geometry.top(), item.Geometry.height())) {
        break;
      }
      painter.setFont(item.Font);
      painter.drawText(rect, static_cast<int>(item.Alignment) | Qt::TextSingleLine, item.Text);
      break;
    case TRptItemKind::Memo: {
      painter.setFont(item.Font);
      const qreal lineHeight = item.EffectiveLineHeight();
      const Qt::Alignment horizontal = item.Alignment & Qt::AlignHorizontal_Mask;
      for (qsizetype i = 0; i < item.Lines.size(); ++i) {
        const QRectF line(item.Geometry.x(), item.Geometry.y() + i * lineHeight,
                          item.Geometry.width(), lineHeight);
        if (!window.HoldsLine(line.top(), line.height())) {
          continue;
        }
        painter.drawText(scale.Map(line, dy),
                         static_cast<int>(horizontal | Qt::AlignTop) | Qt::TextSingleLine,
                         item.Lines[i]);
      }
      break;
    }
    case TRptItemKind::Picture:
      if (!item.Picture.isNull() && window.Touches(item.Geometry)) {
        painter.drawImage(rect, item.Picture);
      }
      break;
    case TRptItemKind::Rule:
      if (!window.Touches(item.Geometry.adjusted(0, 0, 0, kRuleWidth))) {
        break;
      }
      painter.save();
      painter.setPen(QPen(Qt::black, kRuleWidth * scale.y));
      painter.drawLine(rect.topLeft(), rect.topRight());
      painter.restore();
      break;
  }
}

}  // namespace

const std::vector<TRptPlacedBand>& TRptDocument::Bands(int page) const {
  if (page < 1 || page > PageCount()) {
    throw std::out_of_range("no such page");
  }
  return pages_[static_cast<std::size_t>(page - 1)];
}

QStringList TRptDocument::BandNames(int page) const {
  QStringList names;
  for (const TRptPlacedBand& band : Bands(page)) {
    names << band.Name;
  }
  return names;
}

void TRptDocument::PaintPage(QPainter& painter, int page) const {
  const QPaintDevice* device = painter.device();
  const TScale scale{device->logicalDpiX() / kPointsPerInch,
                     device->logicalDpiY() / kPointsPerInch};
  const qreal width = layout_.paintRect(QPageLayout::Point).width();
  painter.setPen(Qt::black);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (const TRptPlacedBand& band : Bands(page)) {
    painter.save();
    if (band.Sliced) {
      painter.setClipRect(scale.Map(QRectF(0, band.Top, width, band.SliceHeight), 0));
    }
    const qreal dy = band.Top - band.SliceTop;
    // An uncut band shows all of itself, even what lies outside its height.
    const TWindow window =
        band.Sliced ? TWindow{band.SliceTop, band.SliceTop + band.SliceHeight} : TWindow{-1e9, 1e9};
    for (const TRptItem& item : band.Items) {
      PaintItem(painter, item, dy, scale, window);
    }
    painter.restore();
  }
}

bool TRptDocument::Print(QPagedPaintDevice& device, int firstPage, int lastPage) const {
  if (lastPage <= 0 || lastPage > PageCount()) {
    lastPage = PageCount();
  }
  firstPage = std::max(firstPage, 1);
  if (firstPage > lastPage) {
    return false;
  }
  if (!device.pageLayout().isEquivalentTo(layout_)) {
    device.setPageLayout(layout_);
  }
  QPainter painter;
  if (!painter.begin(&device)) {
    return false;
  }
  for (int page = firstPage; page <= lastPage; ++page) {
    if (page > firstPage && !device.newPage()) {
      painter.end();
      return false;
    }
    PaintPage(painter, page);
  }
  return painter.end();
}
