#include "controls/kwdate.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "controls/beep.h"
#include "controls/dateserial.h"
#include "controls/fieldaccessibility.h"
#include "controls/fieldpainting.h"
#include "controls/keychar.h"
#include "controls/mycalendar.h"
#include "controls/today.h"

namespace {

// The text and its block caret start this far from the field's left edge.
const int kTextIndent = 4;
const int kButtonWidth = 21;

}  // namespace

TKwDate::TKwDate(QWidget* parent) : TKwField(parent), strategy_(MakeStrategy(dateStyle_)) {
  InstallFieldAccessibility();  // a self-drawn field speaks through its own interface
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setBackgroundRole(QPalette::Base);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  state_.year = static_cast<std::uint16_t>(Today().year());
  resize(sizeHint());
}

TKwDate::~TKwDate() = default;

std::unique_ptr<TBaseDate> TKwDate::MakeStrategy(TDateStyle style) {
  if (style == TDateStyle::dsAge)
    return std::make_unique<TAgeDate>();
  return std::make_unique<TStandardDate>();
}

void TKwDate::SetDateStyle(TDateStyle style) {
  if (style == dateStyle_)
    return;
  dateStyle_ = style;
  strategy_ = MakeStrategy(style);
  state_.caret = 1;
  updateGeometry();
  if (style == TDateStyle::dsAge)
    resize(sizeHint());
  update();
}

void TKwDate::SetDay(std::uint16_t day) {
  SetDate(day, state_.month, state_.year);
}

void TKwDate::SetMonth(std::uint16_t month) {
  SetDate(state_.day, month, state_.year);
}

void TKwDate::SetYear(std::uint16_t year) {
  SetDate(state_.day, state_.month, year);
}

void TKwDate::SetDate(std::uint16_t day, std::uint16_t month, std::uint16_t year) {
  strategy_->SetParts(state_, day, month, year);
  update();
}

QString TKwDate::AsString() const {
  return strategy_->DisplayText(state_);
}

void TKwDate::SetAsString(const QString& text) {
  strategy_->ParseText(state_, text);
  update();
}

void TKwDate::SetAsNumber(double value) {
  strategy_->SetValue(state_, value);
  update();
}

double TKwDate::GetAsNumber() const {
  return strategy_->GetValue(state_);
}

QRect TKwDate::DropDownButtonRect() const {
  if (!HasDropDownButton())
    return QRect();
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  return QRect(width() - frame - kButtonWidth, frame, kButtonWidth, height() - 2 * frame);
}

int TKwDate::TextLeft() const {
  return kTextIndent;
}

int TKwDate::PositionAtX(int x) const {
  const QString text = AsString();
  const QFontMetrics metrics = fontMetrics();
  int position = 1;
  while (position < text.size() && TextLeft() + metrics.horizontalAdvance(text.left(position)) <= x)
    ++position;
  if (IsDateSeparatorPosition(position))
    ++position;
  return qBound(1, position, strategy_->LastCaretPosition());
}

void TKwDate::MoveCaret(int position) {
  state_.caret = position;
  strategy_->CaretMoved(state_);
  strategy_->AfterNavigation(state_);
  update();
}

void TKwDate::Edited() {
  update();
  EmitChanged();
}

void TKwDate::keyPressEvent(QKeyEvent* event) {
  const int last = strategy_->LastCaretPosition();
  switch (event->key()) {
    case Qt::Key_Home:
      MoveCaret(1);
      return;
    case Qt::Key_End:
      MoveCaret(last);
      return;
    case Qt::Key_Left:
      MoveCaret(PreviousDatePosition(state_.caret));
      return;
    case Qt::Key_Right:
      MoveCaret(NextDatePosition(state_.caret, last));
      return;
    case Qt::Key_Delete:
      strategy_->SetDigitAt(state_, state_.caret, 0);
      Edited();
      return;
    case Qt::Key_Backspace:
      strategy_->SetDigitAt(state_, state_.caret, 0);
      state_.caret = PreviousDatePosition(state_.caret);
      strategy_->RestoreMarks(state_, state_.caret);
      Edited();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (strategy_->EnterKey(state_))
        DropDownCalendar();
      Edited();
      return;
    default:
      break;
  }
  const QChar typed = TypedChar(event);
  if (typed.isNull() || typed == QLatin1Char('\t')) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (typed == QLatin1Char(' ')) {
    strategy_->SpaceKey(state_);
    Edited();
  } else if (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) {
    strategy_->DigitTyped(state_, typed.unicode() - '0');
    Edited();
  } else {
    switch (strategy_->SeparatorKey(state_, typed)) {
      case TSeparatorResult::Moved:
        Edited();
        break;
      case TSeparatorResult::Accepted:
        break;
      case TSeparatorResult::NotSeparator:
        Beep();
        break;
    }
  }
}

void TKwDate::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (!hasFocus())
    setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (DropDownButtonRect().contains(at)) {
    DropDownCalendar();
    return;
  }
  MoveCaret(PositionAtX(at.x()));
}

QDate TKwDate::CalendarStartDate() const {
  QDate start;
  if (state_.day == 0 && state_.month == 0 && state_.year == 0)
    start = Today();
  else if (state_.day == 0 && state_.month == 0)
    start = QDate(state_.year, 1, 1);
  else if (state_.day == 0)
    start = QDate(state_.year, state_.month, 1);
  else
    start = QDate(state_.year, state_.month, state_.day);
  return start.isValid() ? start : Today();
}

void TKwDate::DropDownCalendar() {
  if (calendarOpen_ || !HasDropDownButton())
    return;
  setFocus(Qt::OtherFocusReason);
  const TDateValidation validation = strategy_->Validate(state_);
  if (!validation.valid) {
    if (!validation.message.isEmpty())
      Ask(PromptKind::Warning, PromptButtons::Ok, validation.message);
    return;
  }
  QDate date = CalendarStartDate();
  calendarOpen_ = true;
  const bool chosen = ShowCalendar(this, date);
  calendarOpen_ = false;
  if (!chosen)
    return;
  state_.day = static_cast<std::uint16_t>(date.day());
  state_.month = static_cast<std::uint16_t>(date.month());
  state_.year = static_cast<std::uint16_t>(date.year());
  Edited();
}

TExitCheck TKwDate::CheckOnExit() {
  const TDateValidation validation = strategy_->Validate(state_);
  update();
  if (validation.valid) {
    const double serial = dateStyle_ == TDateStyle::dsDate ? GetAsNumber() : 0;
    if (!futureRefusal_.isEmpty() && serial != 0 && SerialToDate(serial) > Today())
      return TExitCheck::Refuse(PromptKind::Warning, futureRefusal_);
    return TExitCheck::Pass();
  }
  return TExitCheck::Refuse(PromptKind::Warning, validation.message);
}

void TKwDate::FocusGained() {
  state_.dayMark = state_.monthMark = state_.yearMark = TPartMark::None;
  state_.caret = 1;
  state_.focused = true;
  strategy_->FocusChanged(state_, true);
  update();
}

void TKwDate::FocusLost() {
  state_.focused = false;
  const int last = strategy_->LastCaretPosition();
  CompleteTwoDigitYear(state_, Today().year(), last);
  state_.caret = last;
  strategy_->FocusChanged(state_, false);
  update();
}

QSize TKwDate::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  if (dateStyle_ == TDateStyle::dsAge)
    return QSize(metrics.horizontalAdvance(QStringLiteral("00/00/00 Hence")) + 8,
                 FieldHeightForFont(this));
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  return QSize(TextLeft() + metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + 8 +
                   kButtonWidth + frame,
               FieldHeightForFont(this));
}

void TKwDate::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawFieldFrame(painter, this);
  const QString text = AsString();
  const QFontMetrics metrics = fontMetrics();
  const QRect line = CentredLine(this, TextLeft(), metrics.horizontalAdvance(text));
  painter.setPen(FieldTextColour(this));
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
  const int at = state_.caret - 1;
  if (hasFocus() && at >= 0 && at < text.size()) {
    const int x = TextLeft() + metrics.horizontalAdvance(text.left(at));
    DrawBlockCaret(painter, this,
                   QRect(x, line.top(), metrics.horizontalAdvance(text.at(at)), line.height()),
                   text.at(at));
  }
  if (!HasDropDownButton())
    return;
  const QRect button = DropDownButtonRect();
  DrawFieldButton(painter, this, button, false, isEnabled());
  QStyleOption arrow;
  arrow.initFrom(this);
  const int side = qMin(button.width(), button.height()) / 2;
  arrow.rect = QRect(button.center().x() - side / 2, button.center().y() - side / 2, side, side);
  style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}
