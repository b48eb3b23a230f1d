#include "capture/modelcolumncaptions.h"

#include <QLineEdit>
#include <QPainter>

#include "controls/kwcomboedit.h"

TModelColumnCaptions::TModelColumnCaptions(TKwComboEdit* model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("ModelCaptions"));
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  setFont(small);
  setFixedHeight(fontMetrics().height());
}

void TModelColumnCaptions::paintEvent(QPaintEvent*) {
  // Each caption centred over its columns (first and last character of the line).
  struct TColumn {
    const char* caption;
    int first;
    int last;
  };
  static const TColumn kColumns[] = {
      {"CC", 27, 32}, {"Doors", 35, 35}, {"Trans", 38, 41}, {"Fuel", 44, 49}};
  const QLineEdit* edit = model_->lineEdit();
  const QFontMetricsF lineFont(model_->font());
  const qreal character = lineFont.horizontalAdvance(QLatin1Char('0'));
  // Where the field's text starts, in this widget.
  const qreal textLeft =
      mapFromGlobal(edit->mapToGlobal(QPoint(0, 0))).x() + edit->textMargins().left() + 2;
  QPainter painter(this);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  for (const TColumn& column : kColumns) {
    const QString text = QLatin1String(column.caption);
    const qreal centre = textLeft + character * (column.first + column.last + 1) / 2.0;
    const qreal width = fontMetrics().horizontalAdvance(text);
    painter.drawText(QPointF(centre - width / 2, fontMetrics().ascent()), text);
  }
}
