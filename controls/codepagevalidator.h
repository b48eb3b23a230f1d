#pragma once
// TCodePageValidator: keeps a one-line text field to what the proposal's files and the quote
// engine can hold. Line breaks (typed, pasted or dropped) become spaces; an edit that brings in
// a character Windows-1252 cannot hold is refused whole, so the field never shows a character
// that would be stored as "?". The refusal is reported through a callback (the field beeps and
// names the character in the status bar).

#include <QValidator>
#include <functional>

class TCodePageValidator : public QValidator {
  Q_OBJECT
 public:
  using RefusedHandler = std::function<void(char32_t)>;
  explicit TCodePageValidator(RefusedHandler refused, QObject* parent = nullptr);

  State validate(QString& input, int& pos) const override;

  // The text with every line break (CR LF counting as one) turned into a space.
  static QString OneLine(const QString& text);
  // The first character Windows-1252 cannot hold, or 0 when there is none.
  static char32_t FirstUnwritable(const QString& text);
  // The status-bar line for a refused character.
  static QString RefusalText(char32_t c);

 private:
  RefusedHandler refused_;
};

// Shows a line in the status bar of the field's main window (its first panel), as a hint is.
void ShowStatusLine(QWidget* field, const QString& text);
