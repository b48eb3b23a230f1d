#include "controls/today.h"

#include "controls/seams.h"

QDate Today() {
  if (const TodayProvider& provider = TControlsSeams::Current().today)
    return provider();
  return QDate::currentDate();
}
