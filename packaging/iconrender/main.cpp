// qm-iconrender: renders the program's SVG icon as the PNG sizes of the hicolor icon theme, for
// desktops and menus that draw no SVG.
//
//   qm-iconrender SOURCE.svg OUTDIR NAME SIZE...
//
// Writes OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for each size: the picture scaled to the square,
// kept in proportion and centred, on a transparent ground. Exit status 1 when the picture
// cannot be read or a file cannot be written, 2 for a usage error.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

QImage Render(QSvgRenderer& renderer, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSizeF picture = renderer.defaultSize();
  picture.scale(size, size, Qt::KeepAspectRatio);
  const QRectF target((size - picture.width()) / 2, (size - picture.height()) / 2, picture.width(),
                      picture.height());
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, target);
  painter.end();
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  // A build step: the picture has no text, so no window system or fonts are needed.
  QCoreApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList args = app.arguments().mid(1);
  if (args.size() < 4) {
    err << "usage: qm-iconrender SOURCE.svg OUTDIR NAME SIZE...\n";
    return 2;
  }
  QSvgRenderer renderer(args[0]);
  if (!renderer.isValid() || renderer.defaultSize().isEmpty()) {
    err << "qm-iconrender: cannot read the picture " << args[0] << "\n";
    return 1;
  }
  for (const QString& sizeText : args.mid(3)) {
    bool ok = false;
    const int size = sizeText.toInt(&ok);
    if (!ok || size <= 0 || size > 1024) {
      err << "qm-iconrender: not an icon size: " << sizeText << "\n";
      return 2;
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
    const QString file = folder + QLatin1Char('/') + args[2] + QStringLiteral(".png");
    if (!QDir().mkpath(folder) || !Render(renderer, size).save(file, "PNG")) {
      err << "qm-iconrender: cannot write " << file << "\n";
      return 1;
    }
  }
  return 0;
}
