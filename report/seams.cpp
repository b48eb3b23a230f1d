#include "report/seams.h"

TReportSeams& TReportSeams::Current() {
  static TReportSeams seams;
  return seams;
}
