#include "dataserver/seams.h"

TDataServerSeams& TDataServerSeams::Current() {
  static TDataServerSeams seams;
  return seams;
}
