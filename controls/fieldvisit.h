#pragma once
// Entering and leaving a field. The pages store each answer in a field's exit handler, and the
// main window makes the field being edited store its value by moving the focus away, so the exit
// handling must run synchronously inside the focus change. Switching to another window, opening
// a pop-up list or the menu bar is not leaving the field.

#include <QString>
#include <QWidget>
#include <functional>

#include "platform/prompt.h"

// What the field's own checks found when the focus leaves it.
struct TExitCheck {
  bool keepFocus = false;  // the value is refused: the focus goes back and the exit does not run
  PromptKind kind = PromptKind::Warning;
  QString message;  // shown with an OK button when not empty

  static TExitCheck Pass() { return {}; }
  static TExitCheck Refuse(PromptKind kind, const QString& message) {
    return {true, kind, message};
  }
};

// True when a focus change for this reason moves the focus to another field of the window.
bool FocusReasonLeavesField(Qt::FocusReason reason);

class TFieldVisit {
 public:
  // From the field's focusInEvent: answers true when a visit starts (the field's OnEnter runs).
  bool FocusIn();
  // From the field's focusOutEvent, after the field's own focus-lost work. When the focus really
  // left the field, runs the check; a refusal puts the focus back before its message is shown, so
  // the window restores the focus to this field when the box closes. Otherwise the message (a
  // warning that lets the user go) is shown and `exit` runs.
  void FocusOut(QWidget* field, Qt::FocusReason reason, const std::function<TExitCheck()>& check,
                const std::function<void()>& exit);

  bool Entered() const { return entered_; }

 private:
  bool entered_ = false;
  bool leaving_ = false;  // re-entry guard while the checks and the exit run
};
