#include "controls/beep.h"

#include <QApplication>

#include "controls/seams.h"

void Beep() {
  if (const BeepHandler& handler = TControlsSeams::Current().beep) {
    handler();
    return;
  }
  QApplication::beep();
}
