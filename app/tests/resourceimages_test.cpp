// The program's icons draw each size when it is first shown; they must look and answer as an
// icon holding the picture drawn at all five sizes up front did.

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPainter>

#include "app/resourceimages.h"

namespace {

QIcon IconOfFiveSizes(const QString& name) {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64})
    icon.addPixmap(ImagePixmap(name, QSize(side, side)));
  return icon;
}

QImage Painted(const QIcon& icon, const QRect& rect, QIcon::Mode mode) {
  QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  icon.paint(&painter, rect, Qt::AlignCenter, mode);
  return image;
}

}  // namespace

TEST(ImageIcon, DrawsEverySizeAndModeAsAnIconOfFiveSizes) {
  for (const QString& name : {QStringLiteral("new"), QStringLiteral("quillmarsh")}) {
    const QIcon drawn = ImageIcon(name);
    const QIcon reference = IconOfFiveSizes(name);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.availableSizes(), reference.availableSizes());
    EXPECT_EQ(drawn.availableSizes(QIcon::Disabled), reference.availableSizes(QIcon::Disabled));
    for (int side : {11, 16, 20, 24, 30, 48, 64, 100}) {
      const QSize size(side, side);
      EXPECT_EQ(drawn.actualSize(size), reference.actualSize(size)) << side;
      for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
        EXPECT_EQ(drawn.pixmap(size, mode).toImage(), reference.pixmap(size, mode).toImage())
            << name.toStdString() << " " << side << " mode " << mode;
      }
    }
    for (const QRect& rect : {QRect(2, 3, 11, 11), QRect(0, 0, 16, 16), QRect(5, 5, 40, 30)}) {
      EXPECT_EQ(Painted(drawn, rect, QIcon::Normal), Painted(reference, rect, QIcon::Normal));
      EXPECT_EQ(Painted(drawn, rect, QIcon::Disabled), Painted(reference, rect, QIcon::Disabled));
    }
  }
}

TEST(ImageIcon, IsNullForAPictureThatIsNotThere) {
  EXPECT_TRUE(ImageIcon(QStringLiteral("no-such-picture")).isNull());
}
