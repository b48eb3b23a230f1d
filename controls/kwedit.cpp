#include "controls/kwedit.h"

#include <QKeyEvent>

#include "controls/beep.h"
#include "controls/codepagevalidator.h"

namespace {

bool IsAsciiLower(QChar c) {
  return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

}  // namespace

TKwEdit::TKwEdit(QWidget* parent) : TKwField(parent) {
  connect(this, &QLineEdit::textChanged, this, [this] { EmitChanged(); });
  setValidator(new TCodePageValidator(
      [this](char32_t refused) {
        Beep();
        ShowStatusLine(this, TCodePageValidator::RefusalText(refused));
      },
      this));
}

void TKwEdit::FocusLost() {
  const QString trimmed = text().trimmed();
  if (trimmed != text())
    setText(trimmed);
}

void TKwEdit::SetUppercaseWords(bool on) {
  uppercaseWords_ = on;
  if (on)
    setText(CapitaliseWords(text()));
}

void TKwEdit::SetCharCase(TEditCharCase charCase) {
  charCase_ = charCase;
  setText(ApplyCharCase(text()));
}

void TKwEdit::SetText(const QString& text) {
  QString shown = ApplyCharCase(TCodePageValidator::OneLine(text));
  if (uppercaseWords_)
    shown = CapitaliseWords(shown);
  setText(shown);
}

QString TKwEdit::CapitaliseWords(const QString& text) {
  QString result = text;
  for (int i = 0; i < result.size(); ++i) {
    if (i == 0)
      result[i] = result[i].toUpper();
    else if (result[i - 1] == QLatin1Char(' ') && IsAsciiLower(result[i]))
      result[i] = result[i].toUpper();
  }
  return result;
}

QString TKwEdit::ApplyCharCase(const QString& text) const {
  switch (charCase_) {
    case TEditCharCase::ecUpperCase:
      return text.toUpper();
    case TEditCharCase::ecLowerCase:
      return text.toLower();
    case TEditCharCase::ecNormal:
      break;
  }
  return text;
}

QChar TKwEdit::TypedCharacter(QChar typed) const {
  QChar c = typed;
  if (charCase_ == TEditCharCase::ecUpperCase)
    c = c.toUpper();
  else if (charCase_ == TEditCharCase::ecLowerCase)
    c = c.toLower();
  if (uppercaseWords_ && IsAsciiLower(c)) {
    // The character lands where the selection starts, or at the cursor.
    int at = hasSelectedText() ? selectionStart() : cursorPosition();
    if (at == 0 || text().at(at - 1) == QLatin1Char(' '))
      c = c.toUpper();
  }
  return c;
}

void TKwEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.size() == 1 && typed[0].isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    QChar c = TypedCharacter(typed[0]);
    if (c != typed[0]) {
      QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(c),
                        event->isAutoRepeat(), event->count());
      QLineEdit::keyPressEvent(&changed);
      event->setAccepted(changed.isAccepted());
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}
