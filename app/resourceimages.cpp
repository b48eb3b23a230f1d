#include "app/resourceimages.h"

#include <QPainter>
#include <QSvgRenderer>
#include <optional>

namespace {

QString ImagePath(const QString& name) {
  return QStringLiteral(":/images/%1.svg").arg(name);
}

std::optional<QCursor>& HelpCursor() {
  static std::optional<QCursor> cursor;
  return cursor;
}

}  // namespace

QPixmap ImagePixmap(const QString& name, const QSize& size) {
  QSvgRenderer renderer(ImagePath(name));
  if (!renderer.isValid() || size.isEmpty())
    return QPixmap();
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QPixmap ImagePixmap(const QString& name) {
  QSvgRenderer renderer(ImagePath(name));
  return renderer.isValid() ? ImagePixmap(name, renderer.defaultSize()) : QPixmap();
}

QIcon ImageIcon(const QString& name) {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64}) {
    QPixmap pixmap = ImagePixmap(name, QSize(side, side));
    if (!pixmap.isNull())
      icon.addPixmap(pixmap);
  }
  return icon;
}

void RegisterHelpCursor() {
  if (!HelpCursor())
    HelpCursor() = QCursor(ImagePixmap(QStringLiteral("helppointer")), 1, 1);
}

QCursor HelpPointerCursor() {
  RegisterHelpCursor();
  return *HelpCursor();
}
