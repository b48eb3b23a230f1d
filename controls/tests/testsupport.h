#pragma once
// Shared helpers of the control tests: an active top-level window to hold the fields (focus only
// moves inside an active window), a beep counter and a fixed "today".

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "controls/beep.h"
#include "controls/modaldialog.h"
#include "controls/seams.h"
#include "controls/today.h"

#include <utility>

class TTestWindow : public QWidget {
 public:
  TTestWindow() { new QVBoxLayout(this); }

  template <class Control>
  Control* Add() {
    auto* control = new Control(this);
    layout()->addWidget(control);
    return control;
  }

  // Shows and activates the window; true when it became active.
  bool ShowActive() {
    show();
    activateWindow();
    QApplication::setActiveWindow(this);
    return QTest::qWaitForWindowActive(this);
  }
};

// A field followed by another of the same kind in an active window: focus it, type into it,
// leave it.
template <class Control>
struct TFieldWindow {
  TTestWindow window;
  Control* field = window.Add<Control>();
  Control* next = window.Add<Control>();

  bool Focus() {
    if (!window.ShowActive())
      return false;
    field->setFocus(Qt::TabFocusReason);
    return field->hasFocus();
  }
  void Type(const char* keys) { QTest::keyClicks(field, keys); }
  void Leave() { next->setFocus(Qt::TabFocusReason); }
};

class TBeepCounter {
 public:
  TBeepCounter() : previous_(std::exchange(TControlsSeams::Current().beep, [this] { ++count_; })) {}
  ~TBeepCounter() { TControlsSeams::Current().beep = previous_; }
  int Count() const { return count_; }

 private:
  int count_ = 0;
  BeepHandler previous_;
};

class TFixedToday {
 public:
  explicit TFixedToday(const QDate& date)
      : previous_(std::exchange(TControlsSeams::Current().today, [date] { return date; })) {}
  ~TFixedToday() { TControlsSeams::Current().today = previous_; }

 private:
  TodayProvider previous_;
};

// Runs every modal dialog through `drive` instead of exec().
class TModalDriver {
 public:
  explicit TModalDriver(ModalDialogRunner drive)
      : previous_(
            std::exchange(TControlsSeams::Current().modalDialog, [this, drive](QDialog& dialog) {
              ++runs_;
              return drive(dialog);
            })) {}
  ~TModalDriver() { TControlsSeams::Current().modalDialog = previous_; }
  int Runs() const { return runs_; }

 private:
  int runs_ = 0;
  ModalDialogRunner previous_;
};
