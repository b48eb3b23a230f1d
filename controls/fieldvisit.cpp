#include "controls/fieldvisit.h"

#include <QApplication>

bool FocusReasonLeavesField(Qt::FocusReason reason) {
  switch (reason) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      return false;
    default:
      return true;
  }
}

bool TFieldVisit::FocusIn() {
  if (entered_)
    return false;
  entered_ = true;
  return true;
}

void TFieldVisit::FocusOut(QWidget* field, Qt::FocusReason reason,
                           const std::function<TExitCheck()>& check,
                           const std::function<void()>& exit) {
  // A focus-out without a focus-in comes from a focus change that another field took back.
  if (!entered_ || leaving_ || !FocusReasonLeavesField(reason) || !field->isVisible())
    return;
  // While a pop-up (the field's own list, a context menu) is open the focus only visits it.
  if (QApplication::activePopupWidget() != nullptr)
    return;
  leaving_ = true;
  TExitCheck result = check ? check() : TExitCheck::Pass();
  if (result.keepFocus) {
    field->setFocus(Qt::OtherFocusReason);
    if (!result.message.isEmpty())
      Ask(result.kind, PromptButtons::Ok, result.message);
    leaving_ = false;
    return;
  }
  entered_ = false;
  if (!result.message.isEmpty())
    Ask(result.kind, PromptButtons::Ok, result.message);
  leaving_ = false;
  if (exit)
    exit();
}
