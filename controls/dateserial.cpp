#include "controls/dateserial.h"

#include <cmath>

namespace {

const QDate kSerialEpoch(1899, 12, 30);

}  // namespace

double DateToSerial(const QDate& date) {
  if (!date.isValid())
    return 0;
  return static_cast<double>(kSerialEpoch.daysTo(date));
}

QDate SerialToDate(double serial) {
  if (!std::isfinite(serial) || std::fabs(serial) > 3000000.0)
    return QDate();
  QDate date = kSerialEpoch.addDays(static_cast<qint64>(std::trunc(serial)));
  if (!date.isValid() || date.year() < 1 || date.year() > 9999)
    return QDate();
  return date;
}
