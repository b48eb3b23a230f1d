#include "controls/seams.h"

TControlsSeams& TControlsSeams::Current() {
  static TControlsSeams seams;
  return seams;
}
