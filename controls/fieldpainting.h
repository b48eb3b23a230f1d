#pragma once
// Drawing shared by the self-drawn fields (number, date, time, yes/no): the platform style draws
// the frame and background, the palette gives every colour, and sizes follow the font.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QWidget>

// The sunken frame and base background of a field; answers the area inside the frame.
QRect DrawFieldFrame(QPainter& painter, const QWidget* field);
// A small push button inside a field (drop-down and ellipsis buttons), raised or pressed.
void DrawFieldButton(QPainter& painter, const QWidget* field, const QRect& rect, bool pressed,
                     bool enabled);
// Text in the field's text colour (greyed when the field is disabled).
QColor FieldTextColour(const QWidget* field);
// A caret one character wide, showing the character in the background colour.
void DrawBlockCaret(QPainter& painter, const QWidget* field, const QRect& cell, QChar character);
// A thin caret bar at x.
void DrawBarCaret(QPainter& painter, const QWidget* field, int x, const QRect& line);
// The rectangle of one line of text starting at `left`, vertically centred in the field.
QRect CentredLine(const QWidget* field, int left, int width);
// Field height for the font: the font's height plus 8 pixels.
int FieldHeightForFont(const QWidget* field);
// From the field's changeEvent: a new font or style changes the size the field asks for.
void FollowFontChange(QWidget* field, const QEvent* event);
