#include "controls/fieldpainting.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

QRect DrawFieldFrame(QPainter& painter, const QWidget* field) {
  QStyleOptionFrame option;
  option.initFrom(field);
  option.rect = field->rect();
  option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  painter.fillRect(field->rect(), field->palette().brush(QPalette::Base));
  field->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, field);
  return field->rect().adjusted(option.lineWidth, option.lineWidth, -option.lineWidth,
                                -option.lineWidth);
}

void DrawFieldButton(QPainter& painter, const QWidget* field, const QRect& rect, bool pressed,
                     bool enabled) {
  QStyleOptionButton option;
  option.initFrom(field);
  option.rect = rect;
  option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  if (!enabled)
    option.state &= ~QStyle::State_Enabled;
  option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
  field->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, field);
}

QColor FieldTextColour(const QWidget* field) {
  return field->palette().color(field->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                QPalette::Text);
}

void DrawBlockCaret(QPainter& painter, const QWidget* field, const QRect& cell, QChar character) {
  painter.fillRect(cell, FieldTextColour(field));
  painter.save();
  painter.setPen(field->palette().color(QPalette::Base));
  painter.drawText(cell, Qt::AlignCenter, QString(character));
  painter.restore();
}

void DrawBarCaret(QPainter& painter, const QWidget* field, int x, const QRect& line) {
  painter.fillRect(QRect(x, line.top(), 1, line.height()), FieldTextColour(field));
}

QRect CentredLine(const QWidget* field, int left, int width) {
  const int height = field->fontMetrics().height();
  return QRect(left, (field->height() - height) / 2, width, height);
}

int FieldHeightForFont(const QWidget* field) {
  return field->fontMetrics().height() + 8;
}

void FollowFontChange(QWidget* field, const QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    field->updateGeometry();
}
