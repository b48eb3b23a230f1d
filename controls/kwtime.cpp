#include "controls/kwtime.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>

#include "controls/beep.h"
#include "controls/fieldaccessibility.h"
#include "controls/fieldpainting.h"
#include "controls/keychar.h"

namespace {

const int kTextIndent = 4;
const int kLastPosition = 5;

int Next(int position) {
  return qMin(position + 1 == 3 ? 4 : position + 1, kLastPosition);
}

int Previous(int position) {
  return qMax(position - 1 == 3 ? 2 : position - 1, 1);
}

}  // namespace

TKwTime::TKwTime(QWidget* parent) : TKwField(parent) {
  InstallFieldAccessibility();  // a self-drawn field speaks through its own interface
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setBackgroundRole(QPalette::Base);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  resize(sizeHint());
}

void TKwTime::SetHour(int hour) {
  if (hour < 0 || hour > 23)
    return;
  hour_ = hour;
  update();
}

void TKwTime::SetMinute(int minute) {
  if (minute < 0 || minute > 59)
    return;
  minute_ = minute;
  update();
}

QString TKwTime::AsString() const {
  return QString::asprintf("%2.2d:%2.2d", hour_, minute_);
}

void TKwTime::SetAsString(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})\\s*$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch())
    return;
  const int hour = match.captured(1).toInt();
  const int minute = match.captured(2).toInt();
  if (hour > 23 || minute > 59)
    return;
  hour_ = hour;
  minute_ = minute;
  update();
}

bool TKwTime::TypeDigit(int digit) {
  switch (caret_) {
    case 1: {
      const int hour = digit * 10 + hour_ % 10;
      oneHourDigitTyped_ = true;
      if (hour <= 23) {
        hour_ = hour;
      } else if (digit >= 3) {
        // No hour starts with this digit: it is the hour, and the minutes come next.
        hour_ = digit;
        oneHourDigitTyped_ = false;
        caret_ = 4;
        return true;
      } else {
        hour_ = 20;
      }
      break;
    }
    case 2: {
      const int hour = hour_ / 10 * 10 + digit;
      if (hour > 23)
        return false;
      hour_ = hour;
      oneHourDigitTyped_ = false;
      break;
    }
    case 4: {
      const int minute = digit * 10 + minute_ % 10;
      if (minute > 59)
        return false;
      minute_ = minute;
      break;
    }
    case 5: {
      const int minute = minute_ / 10 * 10 + digit;
      if (minute > 59)
        return false;
      minute_ = minute;
      break;
    }
    default:
      return false;
  }
  caret_ = Next(caret_);
  return true;
}

void TKwTime::TypeColon() {
  if (caret_ > 2)
    return;
  if (oneHourDigitTyped_)
    hour_ = hour_ / 10;
  oneHourDigitTyped_ = false;
  caret_ = 4;
  Edited();
}

void TKwTime::MoveCaret(int position) {
  caret_ = position;
  update();
}

void TKwTime::Edited() {
  update();
  EmitChanged();
}

void TKwTime::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Home:
      MoveCaret(1);
      return;
    case Qt::Key_End:
      MoveCaret(kLastPosition);
      return;
    case Qt::Key_Left:
      MoveCaret(Previous(caret_));
      return;
    case Qt::Key_Right:
      MoveCaret(Next(caret_));
      return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      Edited();  // they change nothing, but the page hears of them
      return;
    default:
      break;
  }
  const QChar typed = TypedChar(event);
  // Tab, Enter and Escape belong to the form.
  if (typed.isNull() || typed == QLatin1Char('\t') || typed == QLatin1Char('\r')) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) {
    if (TypeDigit(typed.unicode() - '0'))
      Edited();
    else
      Beep();
  } else if (typed == QLatin1Char(':')) {
    TypeColon();
  } else {
    Beep();
  }
}

int TKwTime::PositionAtX(int x) const {
  const QString text = AsString();
  const QFontMetrics metrics = fontMetrics();
  int position = 1;
  while (position < text.size() &&
         kTextIndent + metrics.horizontalAdvance(text.left(position)) <= x)
    ++position;
  return position == 3 ? 4 : position;
}

void TKwTime::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (!hasFocus())
    setFocus(Qt::MouseFocusReason);
  MoveCaret(PositionAtX(event->position().toPoint().x()));
}

void TKwTime::FocusGained() {
  caret_ = 1;
  oneHourDigitTyped_ = false;
  update();
}

void TKwTime::FocusLost() {
  update();
}

QSize TKwTime::sizeHint() const {
  return QSize(kTextIndent + fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 12,
               FieldHeightForFont(this));
}

void TKwTime::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawFieldFrame(painter, this);
  const QString text = AsString();
  const QFontMetrics metrics = fontMetrics();
  const QRect line = CentredLine(this, kTextIndent, metrics.horizontalAdvance(text));
  painter.setPen(FieldTextColour(this));
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
  if (!hasFocus())
    return;
  const int at = caret_ - 1;
  const int x = kTextIndent + metrics.horizontalAdvance(text.left(at));
  DrawBlockCaret(painter, this,
                 QRect(x, line.top(), metrics.horizontalAdvance(text.at(at)), line.height()),
                 text.at(at));
}
