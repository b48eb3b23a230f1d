#include "app/splashform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/resourceimages.h"

TInitForm::TInitForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TInitForm"));
  setWindowTitle(QStringLiteral("Quillmarsh"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setFixedSize(kWidth, kHeight);
  image->setPixmap(ImagePixmap(QStringLiteral("splash"), QSize(kWidth, kHeight)));
  layout->addWidget(image);
  setFixedSize(kWidth, kHeight);
}

void TInitForm::ShowNow() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));
  }
  show();
  repaint();
}
