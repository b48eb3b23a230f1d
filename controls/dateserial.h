#pragma once
// Date serials: whole days since 30 December 1899, the numeric form in which the date fields hand
// their dates to the pages (a fractional part would be a time of day and is ignored).

#include <QDate>

double DateToSerial(const QDate& date);
// The date of a serial; an invalid QDate when the serial names no date from 1 to 9999.
QDate SerialToDate(double serial);
