#include "settings/displayformats.h"

QLocale DisplayLocale() {
  return QLocale(QLocale::English, QLocale::UnitedKingdom);
}

void InstallDisplayFormats() {
  QLocale::setDefault(DisplayLocale());
}

QString FormatShortDate(const QDate& date) {
  return DisplayLocale().toString(date, kShortDateFormat);
}

QString FormatLongDate(const QDate& date) {
  return DisplayLocale().toString(date, kLongDateFormat);
}

QString FormatTime(const QTime& time) {
  return DisplayLocale().toString(time, kTimeFormat);
}

QDate ParseShortDate(const QString& text) {
  // "d" and "M" accept one or two digits.
  return DisplayLocale().toDate(text.trimmed(), QStringLiteral("d/M/yyyy"));
}

QString FormatMoney(double pounds) {
  QLocale locale = DisplayLocale();
  locale.setNumberOptions(QLocale::DefaultNumberOptions);
  return QStringLiteral("\u00A3") + locale.toString(pounds, 'f', 2);
}
