#pragma once
// What quillmarsh-cli prints: the quotations of one file as an aligned table with each row's
// notes and excess breakdown, the missing answers, and the same as JSON.

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "motor/missingdata.h"
#include "motor/resultrows.h"

// The rows (each carrying its record) as a table: a header line, then per row its line and,
// indented beneath it, the lines of its details.
QString QuotationTable(const QList<TResultRow>& rows);

// One line per missing answer, with the page and field that take it.
QString MissingList(const QList<TMissingItem>& missing);

QJsonArray QuotationsJson(const QList<TResultRow>& rows);
QJsonArray MissingJson(const QList<TMissingItem>& missing);

// A message box text ("\r" line breaks) as lines for the console.
QString ConsoleText(const QString& message);
