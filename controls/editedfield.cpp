#include "controls/editedfield.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPointer>

bool StoreEditedField(QWidget* target) {
  if (target == nullptr)
    return true;
  QWidget* window = target->window();
  QPointer<QWidget> field = window->focusWidget();
  if (field == nullptr || field == target)
    return true;
  if (QApplication::focusWidget() == field) {
    target->setFocus(Qt::OtherFocusReason);
  } else {
    // Inactive window: the focus moves without events, so the field is sent the leaving itself.
    // A field that refuses its value takes the focus back within its window.
    target->setFocus(Qt::OtherFocusReason);
    QFocusEvent leave(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(field, &leave);
  }
  return window->focusWidget() == target;
}
