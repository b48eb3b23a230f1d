#include "controls/popupplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Right and bottom edges below are exclusive: x + width, y + height.

QPoint PlaceCalendarPopup(const QRect& field, const QSize& popup, const QRect& screen) {
  const int screenRight = screen.x() + screen.width();
  const int screenBottom = screen.y() + screen.height();
  int x = field.x();
  int y = field.y() + field.height();
  if (screenRight - (x + popup.width()) < 8)
    x = field.x() + field.width() - popup.width();
  if (screenBottom - (y + popup.height()) < 8)
    y = field.y() - popup.height();
  return QPoint(x, y);
}

QPoint PlaceDetailsPopup(const QRect& control, const QSize& popup, const QRect& screen) {
  const int screenRight = screen.x() + screen.width();
  const int screenBottom = screen.y() + screen.height();
  int x = control.x();
  int y = control.y() + control.height();
  if (x + popup.width() > screenRight)
    x = screenRight - 8 - popup.width();
  if (screenBottom - (y + popup.height()) < 5)
    y = control.y() - 8 - popup.height();
  return QPoint(x, y);
}

QRect ScreenGeometryOf(const QWidget* widget) {
  QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
  if (screen == nullptr)
    screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect GlobalRectOf(const QWidget* widget) {
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}
