#include "motor/mainwindowlink.h"

namespace {

TMainWindowLink*& CurrentLink() {
  static TMainWindowLink* link = nullptr;
  return link;
}

}  // namespace

TMainWindowLink* MainWindowLink() {
  return CurrentLink();
}

TMainWindowLink* SetMainWindowLink(TMainWindowLink* link) {
  TMainWindowLink* previous = CurrentLink();
  CurrentLink() = link;
  return previous;
}
