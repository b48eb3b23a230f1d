#include "controls/fieldhelp.h"

#include <QVariant>

namespace {

const char* const kHintProperty = "qmHint";
const char* const kHelpContextProperty = "qmHelpContext";

}  // namespace

QString ShortHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetFieldHint(QWidget* field, const QString& hint) {
  field->setProperty(kHintProperty, hint);
  field->setToolTip(ShortHint(hint));
  field->setStatusTip(LongHint(hint));
  // A reader says the long hint as the field's description, as the status bar shows it.
  field->setAccessibleDescription(LongHint(hint));
}

QString FieldHint(const QWidget* field) {
  return field->property(kHintProperty).toString();
}

void SetHelpContext(QWidget* field, int context) {
  field->setProperty(kHelpContextProperty, context);
}

int HelpContext(const QWidget* field) {
  return field->property(kHelpContextProperty).toInt();
}
