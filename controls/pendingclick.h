#pragma once
// The mouse press on a button that took the focus from a field whose exit handler then asked a
// question. The press reaches the button only after the box has closed, and its release may have
// gone to the box: whether the button's click follows is left to chance (a scripted answer lets
// it follow, a real box usually swallows it). The exit handler takes the press over instead, so
// that the button acts exactly once, or not at all, as the handler decides.
//
//   TPendingClick pending(keyField, this);   // learns why the focus leaves the field
//   ... in the field's exit handler, after the question:
//   pending.TakeOver(button, answer == Yes ? action : nullptr);
//
// A mnemonic or Space does not move the focus before the click; the button's click handler
// makes the field store its answer first (controls/editedfield.h), and acts when that succeeds.

#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QWidget;

class TPendingClick : public QObject {
  Q_OBJECT

 public:
  TPendingClick(QWidget* field, QObject* parent);

  // When a mouse press on `button` moved the focus out of the field, that press is not delivered
  // to the button (so no click follows it) and `action`, if any, runs once in its place after
  // the focus change. Otherwise (Tab, a program's move) nothing is pending and nothing runs.
  void TakeOver(QAbstractButton* button, std::function<void()> action);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* field_;
  int leaveReason_ = 0;  // Qt::FocusReason of the field's last focus-out
  QPointer<QAbstractButton> button_;
  std::function<void()> action_;
};
