#include "platform/seams.h"

TPlatformSeams& TPlatformSeams::Current() {
  static TPlatformSeams seams;
  return seams;
}
