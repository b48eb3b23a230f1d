#include "controls/numericedit.h"

#include <QKeyEvent>
#include <QPainter>

#include "controls/beep.h"
#include "controls/fieldaccessibility.h"
#include "controls/fieldpainting.h"
#include "controls/keychar.h"

namespace {

const QChar kPoundSign(0x00A3);
// The digits start this far from the field's left edge.
const int kTextIndent = 5;

}  // namespace

TNumericEdit::TNumericEdit(QWidget* parent) : TKwField(parent) {
  InstallFieldAccessibility();  // a self-drawn field speaks through its own interface
  // A click on an unfocused field only focuses it, so the field takes click focus itself.
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setBackgroundRole(QPalette::Base);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  resize(96, 25);
}

void TNumericEdit::SetAsInteger(std::int32_t value) {
  editor_.SetInteger(value);
  Changed();
}

void TNumericEdit::SetAsDouble(double value) {
  editor_.SetDouble(value);
  Changed();
}

void TNumericEdit::SetDecimalPlaces(std::int8_t places) {
  editor_.SetDecimalPlaces(places);
  Changed();
}

void TNumericEdit::SetNumberType(TNumberType type) {
  numberType_ = type;
  update();
}

void TNumericEdit::SetPositiveNumbersOnly(bool on) {
  editor_.SetPositiveOnly(on);
  update();
}

QString TNumericEdit::DisplayText() const {
  QString text;
  if (editor_.Negative())
    text += QLatin1Char('-');
  if (numberType_ == TNumberType::ntMoney)
    text += kPoundSign;
  text += editor_.ShownDigits();
  if (numberType_ == TNumberType::ntPercent)
    text += QLatin1Char('%');
  return text;
}

int TNumericEdit::PrefixLength() const {
  return (editor_.Negative() ? 1 : 0) + (numberType_ == TNumberType::ntMoney ? 1 : 0);
}

int TNumericEdit::TextLeft() const {
  return kTextIndent;
}

int TNumericEdit::CaretAtX(int x) const {
  const QString text = DisplayText();
  const QFontMetrics metrics = fontMetrics();
  // The character under the pointer: the last one starting at or left of x.
  int under = 0;
  while (under < text.size() && TextLeft() + metrics.horizontalAdvance(text.left(under + 1)) <= x)
    ++under;
  return under - PrefixLength() + 1;
}

void TNumericEdit::Changed() {
  update();
  EmitChanged();
}

void TNumericEdit::Apply(TNumericEditor::TResult result) {
  switch (result) {
    case TNumericEditor::TResult::Changed:
      Changed();
      break;
    case TNumericEditor::TResult::Refused:
      Beep();
      break;
    case TNumericEditor::TResult::Repaint:
      update();
      break;
    case TNumericEditor::TResult::Unchanged:
      break;
  }
}

void TNumericEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Home:
      editor_.Home();
      update();
      return;
    case Qt::Key_End:
      editor_.End();
      update();
      return;
    case Qt::Key_Left:
      editor_.Left();
      update();
      return;
    case Qt::Key_Right:
      editor_.Right();
      update();
      return;
    case Qt::Key_Delete:
      Apply(editor_.DeleteKey());
      return;
    default:
      break;
  }
  const QChar typed = TypedChar(event);
  // Enter and Escape belong to the dialog (default and cancel buttons).
  if (typed.isNull() || typed == QLatin1Char('\r') || typed == QLatin1Char('\t')) {
    QWidget::keyPressEvent(event);
    return;
  }
  Apply(editor_.TypeChar(typed));
}

void TNumericEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (!hasFocus()) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  editor_.PlaceCaret(CaretAtX(event->position().toPoint().x()));
  update();
}

void TNumericEdit::FocusGained() {
  editor_.FocusGained();
  update();
}

void TNumericEdit::FocusLost() {
  editor_.FocusLost();
  update();
}

QSize TNumericEdit::sizeHint() const {
  const int width = fontMetrics().horizontalAdvance(QLatin1Char('0')) * 11 + 2 * kTextIndent;
  return QSize(qMax(96, width), qMax(25, FieldHeightForFont(this)));
}

QSize TNumericEdit::minimumSizeHint() const {
  return QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 4 + 2 * kTextIndent,
               FieldHeightForFont(this));
}

void TNumericEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawFieldFrame(painter, this);
  const QString text = DisplayText();
  const QFontMetrics metrics = fontMetrics();
  const QRect line = CentredLine(this, TextLeft(), metrics.horizontalAdvance(text));
  const bool focused = hasFocus();
  if (focused && editor_.Selected()) {
    painter.fillRect(line, palette().brush(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
  } else {
    painter.setPen(FieldTextColour(this));
  }
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
  if (!focused || editor_.Selected())
    return;
  const int at = PrefixLength() + editor_.Caret() - 1;
  const int x = TextLeft() + metrics.horizontalAdvance(text.left(at));
  if (editor_.BlockCaret() && at < text.size()) {
    const QRect cell(x, line.top(), metrics.horizontalAdvance(text.at(at)), line.height());
    DrawBlockCaret(painter, this, cell, text.at(at));
  } else {
    DrawBarCaret(painter, this, x, line);
  }
}
