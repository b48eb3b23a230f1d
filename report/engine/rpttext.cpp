#include "report/engine/rpttext.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>
#include <QTextOption>

namespace {

// Fine enough that hinting does not move a break; measurements are scaled back to points.
constexpr int kReferenceDpi = 1200;
constexpr qreal kToPoints = 72.0 / kReferenceDpi;

const QImage& ReferenceDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_ARGB32);
    const int dotsPerMeter = qRound(kReferenceDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  return device;
}

void WrapParagraph(const QFont& font, const QString& paragraph, qreal width, QStringList& lines) {
  if (paragraph.isEmpty()) {
    lines << QString();
    return;
  }
  QTextLayout layout(paragraph, font, &ReferenceDevice());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(qMax<qreal>(width, 1.0) / kToPoints);
    lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
}

}  // namespace

qreal RptTextWidth(const QFont& font, const QString& text) {
  return QFontMetricsF(font, &ReferenceDevice()).horizontalAdvance(text) * kToPoints;
}

qreal RptLineSpacing(const QFont& font) {
  return QFontMetricsF(font, &ReferenceDevice()).lineSpacing() * kToPoints;
}

QStringList RptWrapText(const QFont& font, const QString& text, qreal width) {
  QStringList lines;
  QString normalised = text;
  normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
      .replace(QLatin1Char('\r'), QLatin1Char('\n'));
  for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
    WrapParagraph(font, paragraph, width, lines);
  }
  return lines;
}
