#include "controls/kwyesnodlg.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "controls/beep.h"
#include "controls/dateserial.h"
#include "controls/fieldaccessibility.h"
#include "controls/fieldpainting.h"
#include "controls/keychar.h"
#include "controls/today.h"
#include "controls/yesnodlg.h"

const QString TKwYesNoDlg::kNoDetailsWarning =
    QStringLiteral("No additional information has been entered");

namespace {

const int kTextIndent = 4;
const int kButtonWidth = 21;

}  // namespace

TKwYesNoDlg::TKwYesNoDlg(QWidget* parent) : TKwField(parent) {
  InstallFieldAccessibility();  // a self-drawn field speaks through its own interface
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setBackgroundRole(QPalette::Base);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  data_.date = DateToSerial(Today());
  resize(sizeHint());
}

bool TKwYesNoDlg::Armed() const {
  if (state_ == TKwYesNoState::ynYes)
    return callDialogOn_ == TCallDialogOn::cdYes || callDialogOn_ == TCallDialogOn::cdEither;
  return callDialogOn_ == TCallDialogOn::cdNo || callDialogOn_ == TCallDialogOn::cdEither;
}

void TKwYesNoDlg::SetState(TKwYesNoState state) {
  state_ = state == TKwYesNoState::ynYes ? TKwYesNoState::ynYes : TKwYesNoState::ynNo;
  if (!Armed())
    ClearDetails();
  update();
}

void TKwYesNoDlg::SetCallDialogOn(TCallDialogOn on) {
  callDialogOn_ = on;
  update();
}

void TKwYesNoDlg::SetDataWarning(bool on) {
  dataWarning_ = on;
  // Each setting asks afresh whether the details get opened before the control is left.
  warningDue_ = on;
}

void TKwYesNoDlg::ClearDetails() {
  data_.note.clear();
  data_.amount = 0;
  data_.date = DateToSerial(Today());
  emit clearUserData();
}

void TKwYesNoDlg::UserSetState(TKwYesNoState state) {
  if (state == state_)
    return;
  state_ = state;
  if (!Armed())
    ClearDetails();
  update();
  const bool popUp = Armed() && autoPopUp_;
  EmitChanged();
  // The change handler may have re-armed or disarmed the control.
  if (popUp && Armed())
    CallDialog();
}

void TKwYesNoDlg::Toggle() {
  UserSetState(state_ == TKwYesNoState::ynYes ? TKwYesNoState::ynNo : TKwYesNoState::ynYes);
}

void TKwYesNoDlg::CallDialog() {
  if (!Armed() || callingDialog_)
    return;
  callingDialog_ = true;
  emit clicked();
  if (dialogType_ == TDialogType::dtUserDefined) {
    emit callDialog();
  } else {
    TYesNoData details = data_;
    if (ShowYesNoDetails(this, details))
      data_ = details;
  }
  update();
  detailsOpened_ = true;
  warningDue_ = false;
  callingDialog_ = false;
}

QRect TKwYesNoDlg::ButtonRect() const {
  if (!HasButton())
    return QRect();
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  return QRect(width() - frame - kButtonWidth, frame, kButtonWidth, height() - 2 * frame);
}

QRect TKwYesNoDlg::TextRect() const {
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const int right = HasButton() ? ButtonRect().left() : width() - frame;
  return QRect(frame, frame, right - frame, height() - 2 * frame);
}

void TKwYesNoDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      Toggle();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CallDialog();
      return;
    default:
      break;
  }
  const QChar typed = TypedChar(event);
  if (typed.isNull() || typed == QLatin1Char('\t')) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (typed == QLatin1Char('Y') || typed == QLatin1Char('y'))
    UserSetState(TKwYesNoState::ynYes);
  else if (typed == QLatin1Char('N') || typed == QLatin1Char('n'))
    UserSetState(TKwYesNoState::ynNo);
  else if (typed == QLatin1Char(' '))
    Toggle();
  else
    Beep();
}

void TKwYesNoDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (!hasFocus())
    setFocus(Qt::MouseFocusReason);
  if (Armed() && ButtonRect().contains(event->position().toPoint())) {
    buttonHeld_ = true;
    buttonLooksPressed_ = true;
    update();
  }
}

void TKwYesNoDlg::mouseMoveEvent(QMouseEvent* event) {
  if (!buttonHeld_)
    return;
  const bool over = ButtonRect().contains(event->position().toPoint());
  if (over != buttonLooksPressed_) {
    buttonLooksPressed_ = over;
    update();
  }
}

void TKwYesNoDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (!buttonHeld_ || event->button() != Qt::LeftButton)
    return;
  buttonHeld_ = false;
  buttonLooksPressed_ = false;
  update();
  if (ButtonRect().contains(event->position().toPoint()))
    CallDialog();
}

void TKwYesNoDlg::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && TextRect().contains(event->position().toPoint()))
    Toggle();
}

TExitCheck TKwYesNoDlg::CheckOnExit() {
  if (Armed() && HasButton() && dataWarning_ && warningDue_) {
    warningDue_ = false;
    // A reminder, not a refusal: the user may leave the details empty.
    return {false, PromptKind::Warning, kNoDetailsWarning};
  }
  return TExitCheck::Pass();
}

void TKwYesNoDlg::FocusGained() {
  update();
}

void TKwYesNoDlg::FocusLost() {
  update();
}

QSize TKwYesNoDlg::sizeHint() const {
  return QSize(fontMetrics().horizontalAdvance(QStringLiteral("Yes")) + kButtonWidth + 8,
               FieldHeightForFont(this));
}

void TKwYesNoDlg::DrawEllipsis(QPainter& painter, const QRect& button) const {
  // Three dots, in the text colour when armed and greyed otherwise.
  const QColor colour = palette().color(
      isEnabled() && Armed() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  const int dot = qMax(2, fontMetrics().height() / 7);
  const int gap = dot;
  const int total = 3 * dot + 2 * gap;
  int x = button.center().x() - total / 2 + (buttonLooksPressed_ ? 1 : 0);
  const int y = button.center().y() + fontMetrics().height() / 4 + (buttonLooksPressed_ ? 1 : 0);
  for (int i = 0; i < 3; ++i, x += dot + gap)
    painter.fillRect(QRect(x, y - dot, dot, dot), colour);
}

void TKwYesNoDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawFieldFrame(painter, this);
  const QString text =
      state_ == TKwYesNoState::ynYes ? QStringLiteral("Yes") : QStringLiteral("No ");
  const QRect line =
      CentredLine(this, kTextIndent, fontMetrics().horizontalAdvance(QStringLiteral("Yes")));
  painter.setPen(FieldTextColour(this));
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = line.adjusted(-2, -1, 2, 1);
    focus.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
  if (!HasButton())
    return;
  const QRect button = ButtonRect();
  DrawFieldButton(painter, this, button, buttonLooksPressed_, isEnabled() && Armed());
  DrawEllipsis(painter, button);
}
