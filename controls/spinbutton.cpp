#include "controls/spinbutton.h"

#include <QVBoxLayout>

namespace {

QToolButton* MakeSpinHalf(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  // The buttons act on the field beside them, which keeps the focus.
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
  return button;
}

}  // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent),
      up_(MakeSpinHalf(this, Qt::UpArrow)),
      down_(MakeSpinHalf(this, Qt::DownArrow)) {
  up_->setObjectName(QStringLiteral("UpButton"));
  down_->setObjectName(QStringLiteral("DownButton"));
  // An arrow says nothing to a reader exploring the window.
  up_->setAccessibleName(QStringLiteral("Increase"));
  down_->setAccessibleName(QStringLiteral("Decrease"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  const int side = fontMetrics().height();
  up_->setFixedWidth(side + 2);
  down_->setFixedWidth(side + 2);
  // As tall as the number field beside it.
  setFixedHeight(side + 8);
  connect(up_, &QToolButton::clicked, this, [this] { emit upClicked(); });
  connect(down_, &QToolButton::clicked, this, [this] { emit downClicked(); });
}

void TSpinButton::SetRepeatTiming(int delayMs, int intervalMs) {
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeatDelay(delayMs);
    button->setAutoRepeatInterval(intervalMs);
  }
}
