#pragma once
// The editing rules of the number field, apart from its drawing: the digits of the absolute value
// (never empty, "0" when nothing is entered), the sign, a 1-based caret (the characters before it
// are left of it) and the whole-value-selected flag.

#include <QString>
#include <cstdint>

class TNumericEditor {
 public:
  enum class TResult {
    Unchanged,  // nothing to do
    Changed,    // the value or the caret changed: repaint and raise OnChange
    Refused,    // a character the field cannot take: beep
    Repaint,    // only the look changed (selection, caret)
  };

  TResult TypeChar(QChar c);
  TResult DeleteKey();
  void Home();
  void End();
  void Left();
  void Right();
  void FocusGained();
  void FocusLost();
  // A click on the focused field: the caret goes before the character at `caret` (clamped).
  void PlaceCaret(int caret);

  void SetDouble(double value);
  void SetInteger(std::int32_t value);
  double Double() const;
  // The value rounded to the nearest whole number, halves to even.
  std::int32_t Integer() const;

  std::int8_t DecimalPlaces() const { return decimalPlaces_; }
  // Re-writes the current value in the new format.
  void SetDecimalPlaces(std::int8_t places);
  bool PositiveOnly() const { return positiveOnly_; }
  void SetPositiveOnly(bool on);

  const QString& Digits() const { return digits_; }
  bool Negative() const { return negative_; }
  int Caret() const { return caret_; }
  bool Selected() const { return selected_; }
  // The digits as shown: padded to the fixed decimals, decimals dropped for whole numbers.
  QString ShownDigits() const;
  // The caret is a block while it stands on a leading zero or in the fixed decimals.
  bool BlockCaret() const;
  int LastCaret() const;

 private:
  int PointIndex() const { return digits_.indexOf(QLatin1Char('.')); }
  int IntegerLength() const;
  bool FixedDecimals() const { return decimalPlaces_ > 0; }
  bool InFixedDecimals(int index) const;
  bool OnLoneZero(int index) const;
  void ClearToZero();
  TResult TypeDigit(QChar digit);
  TResult TypePoint();
  TResult Backspace();
  void Normalise();
  void SetText(const QString& digits, bool negative);

  QString digits_ = QStringLiteral("0");
  bool negative_ = false;
  int caret_ = 1;
  bool selected_ = false;
  std::int8_t decimalPlaces_ = -1;
  bool positiveOnly_ = true;
};
