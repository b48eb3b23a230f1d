// The UK postcode check: district (1-2 letters, 1-2 digits), one space, sector (a digit and two
// letters). Letters are A-Z in upper case only; the capture fields upper-case what is typed.

#include "motor/getmotordsv.h"
#include "platform/prompt.h"

namespace {

bool IsLetter(QChar c) {
  return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}
bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

enum class TPostcodeFault { None, District, Sector };

// Counts the characters from `at` on that satisfy the test.
template <typename Test>
int CountRun(const QString& text, int at, Test test) {
  int n = 0;
  while (at + n < text.size() && test(text.at(at + n)))
    ++n;
  return n;
}

TPostcodeFault CorrectPostcode(QString& text) {
  // Leading punctuation and spaces go. (A text made only of them is left with nothing that
  // could start a district.)
  int junk = CountRun(text, 0, [](QChar c) { return !IsLetter(c) && !IsDigit(c); });
  text.remove(0, junk);

  // District.
  int letters = CountRun(text, 0, IsLetter);
  if (letters < 1 || letters > 2)
    return TPostcodeFault::District;
  int digits = CountRun(text, letters, IsDigit);
  int afterDigits = letters + digits;
  if (afterDigits < text.size() && IsLetter(text.at(afterDigits)) && digits > 1) {
    // AB12CD: the last digit starts the sector.
    text.insert(afterDigits - 1, QLatin1Char(' '));
    --digits;
    afterDigits = letters + digits;
  }
  if (afterDigits >= text.size() || text.at(afterDigits) != QLatin1Char(' ') || digits < 1 ||
      digits > 2)
    return TPostcodeFault::District;

  // Only one space between district and sector.
  int sector = afterDigits + 1;
  text.remove(sector, CountRun(text, sector, [](QChar c) { return c == QLatin1Char(' '); }));

  // Sector: one digit, exactly two letters; anything after them is cut off.
  if (CountRun(text, sector, IsDigit) != 1)
    return TPostcodeFault::Sector;
  if (CountRun(text, sector + 1, IsLetter) != 2)
    return TPostcodeFault::Sector;
  text.truncate(sector + 3);
  return TPostcodeFault::None;
}

}  // namespace

// The warning does not ask the focus back: it is shown once as the field is left and the user
// moves on; what was typed is stored either way.
bool ValidatePostcode(QObject* field, QString& text) {
  if (text.isEmpty())
    return true;
  QString corrected = text;
  switch (CorrectPostcode(corrected)) {
    case TPostcodeFault::None:
      text = corrected;
      return true;
    case TPostcodeFault::District:
      ShowFieldError(
          field, QStringLiteral("Invalid postcode district.\rPlease check the entered postcode."),
          false);
      return false;
    case TPostcodeFault::Sector:
      ShowFieldError(field,
                     QStringLiteral("Invalid postcode sector.\rPlease check the entered postcode."),
                     false);
      return false;
  }
  return false;
}
