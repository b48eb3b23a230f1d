#pragma once
// TKwField: what every field control shares. A field is entered when the focus comes to it and
// exited when the focus leaves it for another field of the window; the pages store each answer
// when a field is exited, and the main window makes the field being edited store its value by
// moving the focus away, so exited() is emitted synchronously inside the focus change, before
// the next field's entered(). The field's own checks run first: a refused value keeps the focus
// and exited() is not emitted (see TFieldVisit).
//
// Each control derives from TKwField<QtBase, Control> and declares the signals entered(),
// exited() and changed(); this base emits them. Connect them directly (the default connection
// of the user-interface thread), never queued: a handler runs inside the focus change.
//
//   class TKwEdit : public TKwField<QLineEdit, TKwEdit> {
//     Q_OBJECT
//    signals:
//     void entered();
//     void exited();
//     void changed();
//   };

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>
#include <type_traits>

#include "controls/fieldpainting.h"
#include "controls/fieldvisit.h"

template <class QtBase, class Control>
class TKwField : public QtBase {
 public:
  explicit TKwField(QWidget* parent = nullptr) : QtBase(parent) {}

  // True between entered() and exited().
  bool Visited() const { return visit_.Entered(); }

 protected:
  // The control's own work when it gains or loses the focus; runs before entered() and before
  // the exit checks.
  virtual void FocusGained() {}
  virtual void FocusLost() {}
  // The control's checks when the focus leaves it for another field.
  virtual TExitCheck CheckOnExit() { return TExitCheck::Pass(); }

  void EmitChanged() { emit Self()->changed(); }

  void focusInEvent(QFocusEvent* event) override {
    QtBase::focusInEvent(event);
    FocusGained();
    if (visit_.FocusIn())
      emit Self()->entered();
  }

  void focusOutEvent(QFocusEvent* event) override {
    QtBase::focusOutEvent(event);
    FocusLost();
    visit_.FocusOut(
        this, event->reason(), [this] { return CheckOnExit(); }, [this] { emit Self()->exited(); });
  }

  void changeEvent(QEvent* event) override {
    QtBase::changeEvent(event);
    // The self-drawn fields size themselves from the font; Qt's own edits follow it already.
    if constexpr (std::is_same_v<QtBase, QWidget>)
      FollowFontChange(this, event);
  }

 private:
  Control* Self() { return static_cast<Control*>(this); }

  TFieldVisit visit_;
};
