#include "app/focushighlight.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "controls/kwdate.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"

namespace {

const QColor kFocusColour(255, 255, 0);

bool TurnsYellow(const QWidget* w) {
  if (w == nullptr || w->window()->inherits("QFileDialog"))
    return false;
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
         qobject_cast<const TKwDate*>(w) || qobject_cast<const TKwYesNoDlg*>(w) ||
         qobject_cast<const TKwTime*>(w) || qobject_cast<const TNumericEdit*>(w);
}

}  // namespace

void TFocusHighlight::Restore() {
  if (!coloured_)
    return;
  coloured_ = false;
  if (!control_)
    return;
  control_->setPalette(savedOwnPalette_ ? savedPalette_ : QPalette());
  if (!savedOwnPalette_)
    control_->setAttribute(Qt::WA_SetPalette, false);
  control_->setAutoFillBackground(savedAutoFill_);
}

void TFocusHighlight::Follow(QWidget* control) {
  Restore();
  control_ = control;
  if (!TurnsYellow(control))
    return;
  savedOwnPalette_ = control->testAttribute(Qt::WA_SetPalette);
  savedPalette_ = control->palette();
  savedAutoFill_ = control->autoFillBackground();
  QPalette yellow = control->palette();
  for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
    yellow.setColor(role, kFocusColour);
  control->setPalette(yellow);
  if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control))
    control->setAutoFillBackground(true);
  coloured_ = true;
}
