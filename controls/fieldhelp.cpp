#include "controls/fieldhelp.h"

#include <QVariant>
#include <QWidget>

namespace {

// A dynamic property, so that any widget (ours or Qt's) can carry a context.
constexpr char kHelpContextProperty[] = "HelpContext";

}  // namespace

void SetHelpContext(QWidget* control, int context) {
  if (control != nullptr)
    control->setProperty(kHelpContextProperty, context);
}

int HelpContextOf(const QWidget* control) {
  return control != nullptr ? control->property(kHelpContextProperty).toInt() : 0;
}

QString ShortHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget* control, const QString& hint) {
  if (control == nullptr)
    return;
  control->setToolTip(ShortHint(hint));
  control->setStatusTip(LongHint(hint));
}

QString LongHintOf(const QWidget* control) {
  return control != nullptr ? control->statusTip() : QString();
}
