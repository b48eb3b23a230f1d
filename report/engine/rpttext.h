#pragma once
// Text measurement for report layout. Every measurement is made on one fixed high-resolution
// reference and given in points, so the pass that counts pages and the pass that prints them
// break lines in the same places whatever device each one ends on.
//
// Needs a QGuiApplication (the font database).

#include <QFont>
#include <QString>
#include <QStringList>

qreal RptTextWidth(const QFont& font, const QString& text);
qreal RptLineSpacing(const QFont& font);
// The text broken into lines no wider than `width` points: at word boundaries where it can, inside
// a word that is wider than the line on its own. A line break in the text starts a new line; an
// empty text is one empty line.
QStringList RptWrapText(const QFont& font, const QString& text, qreal width);
