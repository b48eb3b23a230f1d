#include "controls/pendingclick.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QTimer>

TPendingClick::TPendingClick(QWidget* field, QObject* parent) : QObject(parent), field_(field) {
  field_->installEventFilter(this);
}

void TPendingClick::TakeOver(QAbstractButton* button, std::function<void()> action) {
  if (leaveReason_ != Qt::MouseFocusReason)
    return;
  if (button_)
    button_->removeEventFilter(this);
  button_ = button;
  action_ = std::move(action);
  // The press that moved the focus reaches the button next, within the same event.
  button->installEventFilter(this);
  QTimer::singleShot(0, this, [this] {
    if (button_)
      button_->removeEventFilter(this);
    button_ = nullptr;  // the press went elsewhere after all: nothing to carry out
    action_ = nullptr;
  });
}

bool TPendingClick::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::FocusOut)
    leaveReason_ = static_cast<QFocusEvent*>(event)->reason();
  if (button_ && watched == button_ && event->type() == QEvent::MouseButtonPress) {
    button_->removeEventFilter(this);
    button_ = nullptr;
    if (action_) {
      // After the press's delivery has ended, as its click would have come.
      QTimer::singleShot(0, this, [action = std::move(action_)] { action(); });
    }
    action_ = nullptr;
    return true;
  }
  return QObject::eventFilter(watched, event);
}
