#pragma once
// TKwEdit: the one-line text field. It can capitalise the first letter of every word (names,
// addresses) and force the case of what is typed. It holds one line of what the files and the
// engine can store (TCodePageValidator), and loses its leading and trailing spaces when it is
// left, so that what is shown is what is stored.

#include <QLineEdit>

#include "controls/kwfield.h"

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TKwEdit : public TKwField<QLineEdit, TKwEdit> {
  Q_OBJECT

 public:
  explicit TKwEdit(QWidget* parent = nullptr);

  bool UppercaseWords() const { return uppercaseWords_; }
  // Switching it on capitalises the whole text at once.
  void SetUppercaseWords(bool on);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase charCase);
  int MaxLength() const { return maxLength(); }
  void SetMaxLength(int length) { setMaxLength(length); }

  QString Text() const { return text(); }
  // Writes the text with the case rules applied (use this rather than setText()).
  void SetText(const QString& text);

  // The first character and every a-z letter after a space in upper case.
  static QString CapitaliseWords(const QString& text);

 signals:
  void entered();
  void exited();
  // On every change of the text, typed or assigned.
  void changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void FocusLost() override;

 private:
  QString ApplyCharCase(const QString& text) const;
  QChar TypedCharacter(QChar typed) const;

  bool uppercaseWords_ = false;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
};
