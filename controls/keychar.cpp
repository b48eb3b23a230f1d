#include "controls/keychar.h"

QChar TypedChar(const QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return QChar();
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return QLatin1Char('\t');
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return QLatin1Char('\r');
    case Qt::Key_Backspace:
      return QLatin1Char('\b');
    default:
      break;
  }
  const QString text = event->text();
  if (text.size() == 1 && text[0].isPrint())
    return text[0];
  return QChar();
}
