#include "app/whatsthis.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

#include "app/helpviewer.h"
#include "app/resourceimages.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/spinbutton.h"

namespace {

QPointer<TWhatsThisMode>& Mode() {
  static QPointer<TWhatsThisMode> mode;
  return mode;
}

bool IsRadioGroup(const QWidget* widget) {
  const auto* group = qobject_cast<const QGroupBox*>(widget);
  return group != nullptr && group->findChild<QRadioButton*>() != nullptr;
}

int ContextOfKind(const QWidget* w) {
  if (qobject_cast<const TKwComboEdit*>(w))
    return 101;
  if (qobject_cast<const TKwEdit*>(w))
    return 102;
  if (qobject_cast<const TNumericEdit*>(w))
    return 103;
  if (qobject_cast<const TKwDate*>(w))
    return 104;
  if (qobject_cast<const TKwTime*>(w))
    return 105;
  if (qobject_cast<const QStatusBar*>(w))
    return 106;
  if (qobject_cast<const QToolBar*>(w))
    return 107;
  if (qobject_cast<const TSpinButton*>(w))
    return 108;
  if (qobject_cast<const TKwYesNoDlg*>(w))
    return 109;
  if (qobject_cast<const QTabBar*>(w))
    return 110;
  if (qobject_cast<const QRadioButton*>(w) || IsRadioGroup(w))
    return 111;
  return 0;
}

}  // namespace

int WhatsThisContext(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (const int context = ContextOfKind(w))
      return context;
    if (w->isWindow())
      break;
  }
  return 0;
}

void TWhatsThisMode::Start() {
  if (Mode())
    return;
  Mode() = new TWhatsThisMode;
  Mode()->setObjectName(QStringLiteral("HelpMouseCapture"));
  QApplication::setOverrideCursor(HelpPointerCursor());
  qApp->installEventFilter(Mode());
}

bool TWhatsThisMode::Active() {
  return !Mode().isNull();
}

void TWhatsThisMode::Finish() {
  qApp->removeEventFilter(this);
  QApplication::restoreOverrideCursor();
  deleteLater();
  Mode() = nullptr;
}

bool TWhatsThisMode::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      if (!watched->isWidgetType())
        return false;
      const auto* press = static_cast<QMouseEvent*>(event);
      const QPoint where = press->globalPosition().toPoint();
      QWidget* target = QApplication::widgetAt(where);
      if (target == nullptr)
        target = static_cast<QWidget*>(watched);
      Finish();
      if (const int context = WhatsThisContext(target))
        ShowHelpPopup(context, where);
      return true;  // the press only named the control
    }
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Finish();
        return true;
      }
      return false;
    default:
      return false;
  }
}
