// qm-prerender: draws one of the program's SVG pictures at one size, exactly as the program
// would draw it, and writes its pixels as they lie in memory, for the program to read instead of
// drawing the picture at every start.
//
//   qm-prerender SOURCE.svg WIDTH HEIGHT OUT
//
// OUT holds WIDTH x HEIGHT pixels, row after row, in the 32-bit premultiplied ARGB of Qt's
// raster engine (QImage::Format_ARGB32_Premultiplied) in this machine's byte order. Exit status
// 1 when the picture cannot be read or the file cannot be written, 2 for a usage error.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv) {
  // A build step: our pictures hold no text, so no window system or fonts are needed.
  QCoreApplication app(argc, argv);
  QTextStream err(stderr);
  const QStringList args = app.arguments().mid(1);
  bool widthOk = false;
  bool heightOk = false;
  const int width = args.size() == 4 ? args[1].toInt(&widthOk) : 0;
  const int height = args.size() == 4 ? args[2].toInt(&heightOk) : 0;
  if (!widthOk || !heightOk || width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    err << "usage: qm-prerender SOURCE.svg WIDTH HEIGHT OUT\n";
    return 2;
  }
  QSvgRenderer renderer(args[0]);
  if (!renderer.isValid()) {
    err << "qm-prerender: cannot read the picture " << args[0] << "\n";
    return 1;
  }
  // The program draws on a transparent pixmap of the raster engine, which is this image.
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  QFile out(args[3]);
  const qsizetype rowBytes = qsizetype(width) * 4;
  bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
  for (int y = 0; written && y < height; ++y)
    written =
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
  if (!written || !out.flush()) {
    err << "qm-prerender: cannot write " << args[3] << "\n";
    return 1;
  }
  return 0;
}
