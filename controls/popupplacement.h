#pragma once
// Where the controls' pop-up forms appear, in global coordinates.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The calendar: its top-left at the field's bottom-left; ending at the field's right edge when it
// would come within 8 pixels of the screen's right edge, and above the field when it would come
// within 8 pixels of the screen's bottom.
QPoint PlaceCalendarPopup(const QRect& field, const QSize& popup, const QRect& screen);

// The yes/no details: top-left at the control's bottom-left; moved left to end 8 pixels inside
// the screen's right edge when it would pass it; 8 pixels above the control when it would come
// within 5 pixels of the screen's bottom.
QPoint PlaceDetailsPopup(const QRect& control, const QSize& popup, const QRect& screen);

// The geometry of the screen a widget is on (the primary screen when it has none).
QRect ScreenGeometryOf(const QWidget* widget);
// A widget's rectangle in global coordinates.
QRect GlobalRectOf(const QWidget* widget);
