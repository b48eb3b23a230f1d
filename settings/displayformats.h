#pragma once
// The program's fixed display formats, the same whatever the user's locale: every date and time
// shown or parsed as text goes through these. Month names are English.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

inline const QString kShortDateFormat = QStringLiteral("dd/MM/yyyy");
inline const QString kLongDateFormat = QStringLiteral("dd MMMM yyyy");
inline const QString kTimeFormat = QStringLiteral("hh:mm");

// English (United Kingdom), for month names and number grouping.
QLocale DisplayLocale();
// Makes DisplayLocale() the default locale of the process (the settings unit's start-up).
void InstallDisplayFormats();

QString FormatShortDate(const QDate& date);  // 05/03/2024
QString FormatLongDate(const QDate& date);   // 05 March 2024
QString FormatTime(const QTime& time);       // 09:30
// A short date as typed: day and month of one or two digits, a four-digit year; an invalid
// QDate when the text is not such a date.
QDate ParseShortDate(const QString& text);
// Money: the pound sign and the pattern "##,##0.00" (e.g. "£1,234.50").
QString FormatMoney(double pounds);
