#include "transmit/seams.h"

TTransmitSeams& TTransmitSeams::Current() {
  static TTransmitSeams seams;
  return seams;
}
