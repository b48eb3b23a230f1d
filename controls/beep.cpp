#include "controls/beep.h"

#include <QApplication>

namespace {

BeepHandler& CurrentBeepHandler() {
  static BeepHandler handler;
  return handler;
}

}  // namespace

void Beep() {
  if (CurrentBeepHandler()) {
    CurrentBeepHandler()();
    return;
  }
  QApplication::beep();
}

BeepHandler SetBeepHandler(BeepHandler handler) {
  BeepHandler previous = CurrentBeepHandler();
  CurrentBeepHandler() = std::move(handler);
  return previous;
}
