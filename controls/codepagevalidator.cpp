#include "controls/codepagevalidator.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusTipEvent>
#include <QStringView>

#include "platform/windows1252table.h"

namespace {

bool IsLineBreak(QChar c) {
  return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\t' || c == QChar(0x85) ||
         c == QChar(0x2028) || c == QChar(0x2029);
}

}  // namespace

TCodePageValidator::TCodePageValidator(RefusedHandler refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QString TCodePageValidator::OneLine(const QString& text) {
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsLineBreak(text[i])) {
      result += text[i];
      continue;
    }
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
      ++i;
    result += QLatin1Char(' ');
  }
  return result;
}

char32_t TCodePageValidator::FirstUnwritable(const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    if (Windows1252Byte(c) < 0)
      return c;
  }
  return 0;
}

QString TCodePageValidator::RefusalText(char32_t c) {
  return QStringLiteral(
             "The character \"%1\" (U+%2) cannot be entered: only Western European "
             "letters and signs can be stored")
      .arg(QString::fromUcs4(&c, 1),
           QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0'));
}

QValidator::State TCodePageValidator::validate(QString& input, int& pos) const {
  const QString oneLine = OneLine(input);
  if (oneLine.size() != input.size())
    pos = qMin<int>(pos, static_cast<int>(oneLine.size()));
  input = oneLine;
  if (const char32_t c = FirstUnwritable(input)) {
    if (refused_)
      refused_(c);
    return Invalid;
  }
  return Acceptable;
}

void ShowStatusLine(QWidget* field, const QString& text) {
  QWidget* target = field != nullptr ? field->window() : nullptr;
  // A dialog's field reports to the main window behind it.
  if (target != nullptr && qobject_cast<QMainWindow*>(target) == nullptr &&
      target->parentWidget() != nullptr)
    target = target->parentWidget()->window();
  if (target == nullptr)
    return;
  QStatusTipEvent tip(text);
  QApplication::sendEvent(target, &tip);
}
