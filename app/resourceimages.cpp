#include "app/resourceimages.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QResource>
#include <QSvgRenderer>
#include <array>
#include <map>
#include <optional>

namespace {

// The sizes an icon offers, as the window manager and the styles ask for them.
constexpr std::array<int, 5> kIconSides{16, 24, 32, 48, 64};

QString ImagePath(const QString& name) {
  return QStringLiteral(":/images/%1.svg").arg(name);
}

std::optional<QCursor>& HelpCursor() {
  static std::optional<QCursor> cursor;
  return cursor;
}

// The icon pictures drawn so far, by name and side, for as long as the application lives:
// the main window and the application share their icon, and the window manager asks for it
// at every size.
class TDrawnIcons : public QObject {
 public:
  static QPixmap Get(const QString& name, int side) {
    static QPointer<TDrawnIcons> instance;
    if (instance == nullptr && QCoreApplication::instance() != nullptr)
      instance = new TDrawnIcons(QCoreApplication::instance());
    if (instance == nullptr)
      return ImagePixmap(name, QSize(side, side));
    QPixmap& drawn = instance->pixmaps_[name + QLatin1Char('/') + QString::number(side)];
    if (drawn.isNull())
      drawn = ImagePixmap(name, QSize(side, side));
    return drawn;
  }

 private:
  using QObject::QObject;
  QHash<QString, QPixmap> pixmaps_;
};

// An icon of one of our pictures that draws each of its sizes the first time it is shown at
// that size, rather than all of them up front. It answers as an icon holding the picture at
// every side of kIconSides does: the side chosen for a size is the smallest that covers it
// (or the largest), and that side's picture is scaled and shaded as such an icon would.
class TImageIconEngine : public QIconEngine {
 public:
  explicit TImageIconEngine(const QString& name) : name_(name) {}

  QIconEngine* clone() const override { return new TImageIconEngine(name_); }
  QString key() const override { return QStringLiteral("TImageIconEngine"); }
  bool isNull() override { return false; }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    QSize actual(SideFor(size), SideFor(size));
    if (actual.width() > size.width() || actual.height() > size.height())
      actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }

  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    QList<QSize> sizes;
    if (mode == QIcon::Normal && state == QIcon::Off) {
      for (int side : kIconSides)
        sizes.append(QSize(side, side));
    }
    return sizes;
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    if (size.isEmpty())
      return QPixmap();
    return Side(SideFor(size)).pixmap(size, mode, state);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1;
    Side(SideFor(rect.size() * ratio)).paint(painter, rect, Qt::AlignCenter, mode, state);
  }

 private:
  static int SideFor(const QSize& size) {
    const qint64 wanted = qint64(size.width()) * size.height();
    for (int side : kIconSides) {
      if (qint64(side) * side >= wanted)
        return side;
    }
    return kIconSides.back();
  }

  // The picture at one side, as an icon of its own.
  const QIcon& Side(int side) {
    QIcon& icon = sides_[side];
    if (icon.isNull())
      icon.addPixmap(TDrawnIcons::Get(name_, side));
    return icon;
  }

  QString name_;
  std::map<int, QIcon> sides_;
};

}  // namespace

QPixmap ImagePixmap(const QString& name, const QSize& size) {
  // The pixels the build drew for this size, when it drew any (qm-prerender).
  const QResource drawn(
      QStringLiteral(":/images/%1-%2x%3.argb32").arg(name).arg(size.width()).arg(size.height()));
  if (drawn.isValid()) {
    const QByteArray pixels = drawn.uncompressedData();
    if (pixels.size() == qsizetype(size.width()) * size.height() * 4) {
      const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), size.width(),
                         size.height(), size.width() * 4, QImage::Format_ARGB32_Premultiplied);
      return QPixmap::fromImage(image);  // a copy: the bytes go with this function
    }
  }
  return DrawnImagePixmap(name, size);
}

QPixmap DrawnImagePixmap(const QString& name, const QSize& size) {
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
  if (!QFile::exists(ImagePath(name)))
    return QIcon();
  return QIcon(new TImageIconEngine(name));
}

void RegisterHelpCursor() {
  if (!HelpCursor())
    HelpCursor() = QCursor(ImagePixmap(QStringLiteral("helppointer")), 1, 1);
}

QCursor HelpPointerCursor() {
  RegisterHelpCursor();
  return *HelpCursor();
}
