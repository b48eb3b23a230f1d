#include "controls/glyphbutton.h"

QPushButton* MakeGlyphButton(QWidget* parent, const QString& caption, QStyle::StandardPixmap glyph,
                             const QString& objectName) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setIcon(parent->style()->standardIcon(glyph, nullptr, button));
  button->setToolTip(caption);
  return button;
}

void ShowGlyphOnly(QPushButton* button) {
  if (!button->icon().isNull())
    button->setText(QString());
}
