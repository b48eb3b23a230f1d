#include "motor/mainwindowlink.h"

#include "motor/seams.h"

TMotorSeams& TMotorSeams::Current() {
  static TMotorSeams seams;
  return seams;
}

TMainWindowLink* MainWindowLink() {
  return TMotorSeams::Current().mainWindowLink;
}
