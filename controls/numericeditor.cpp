#include "controls/numericeditor.h"

#include <cmath>
#include <limits>

// Indexes below are 0-based positions in digits_; the caret before index i is caret_ == i + 1.

namespace {

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

int TNumericEditor::IntegerLength() const {
  const int point = PointIndex();
  return point >= 0 ? point : digits_.size();
}

bool TNumericEditor::InFixedDecimals(int index) const {
  const int point = PointIndex();
  return FixedDecimals() && point >= 0 && index > point && index < digits_.size();
}

// The integer part is a single 0 and the caret stands on it or just after it.
bool TNumericEditor::OnLoneZero(int index) const {
  return IntegerLength() == 1 && digits_[0] == QLatin1Char('0') && index <= 1;
}

int TNumericEditor::LastCaret() const {
  // With fixed decimals the caret stops on the last decimal, where typing overwrites.
  if (FixedDecimals() && PointIndex() >= 0)
    return digits_.size();
  return digits_.size() + 1;
}

bool TNumericEditor::BlockCaret() const {
  const int index = caret_ - 1;
  return (index == 0 && OnLoneZero(index)) || InFixedDecimals(index);
}

QString TNumericEditor::ShownDigits() const {
  const int point = PointIndex();
  if (decimalPlaces_ == 0 && point >= 0)
    return digits_.left(point);
  if (FixedDecimals() && point < 0)
    return digits_ + QLatin1Char('.') + QString(decimalPlaces_, QLatin1Char('0'));
  return digits_;
}

void TNumericEditor::ClearToZero() {
  digits_ = QStringLiteral("0");
  negative_ = false;
  caret_ = 1;
  selected_ = false;
}

TNumericEditor::TResult TNumericEditor::TypeChar(QChar c) {
  if (c == QLatin1Char(' ')) {
    selected_ = !selected_;
    return TResult::Repaint;
  }
  const bool takes = IsDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('\b') ||
                     (c == QLatin1Char('.') && decimalPlaces_ != 0) ||
                     (c == QLatin1Char('-') && !positiveOnly_);
  if (!takes)
    return TResult::Refused;

  bool cleared = false;
  if (selected_) {
    ClearToZero();
    cleared = true;
  }
  TResult result = TResult::Changed;
  if (IsDigit(c)) {
    result = TypeDigit(c);
  } else if (c == QLatin1Char('.')) {
    result = TypePoint();
  } else if (c == QLatin1Char('+')) {
    negative_ = false;
  } else if (c == QLatin1Char('-')) {
    negative_ = true;
  } else {
    result = Backspace();
  }
  // Typing over a selected value replaced it even when the key itself did nothing.
  if (cleared && result != TResult::Changed)
    result = TResult::Changed;
  selected_ = false;
  return result;
}

TNumericEditor::TResult TNumericEditor::TypeDigit(QChar digit) {
  const int index = caret_ - 1;
  if (OnLoneZero(index)) {
    // The lone zero is replaced rather than kept in front of the new digit.
    if (digit == QLatin1Char('0'))
      return TResult::Refused;
    digits_[0] = digit;
    caret_ = 2;
    return TResult::Changed;
  }
  if (InFixedDecimals(index)) {
    digits_[index] = digit;
    if (index < digits_.size() - 1)
      ++caret_;
    return TResult::Changed;
  }
  if (index == 0 && digit == QLatin1Char('0'))
    return TResult::Refused;
  digits_.insert(index, digit);
  ++caret_;
  Normalise();
  return TResult::Changed;
}

TNumericEditor::TResult TNumericEditor::TypePoint() {
  const int point = PointIndex();
  const int index = caret_ - 1;
  if (point >= 0) {
    caret_ = point + 2;
  } else if (index == digits_.size()) {
    digits_.append(QLatin1Char('.'));
    caret_ = digits_.size() + 1;
  } else if (index == 0 && digits_ == QLatin1String("0")) {
    digits_ = QStringLiteral("0.");
    caret_ = 3;
  } else if (index == 0) {
    digits_.prepend(QStringLiteral("0."));
    caret_ = 3;
  } else {
    digits_.insert(index, QLatin1Char('.'));
    caret_ = index + 2;
  }
  Normalise();
  return TResult::Changed;
}

TNumericEditor::TResult TNumericEditor::Backspace() {
  const int index = caret_ - 1;
  if (index == 0 || OnLoneZero(index))
    return TResult::Unchanged;
  if (IntegerLength() == 1 && index == 1) {
    digits_[0] = QLatin1Char('0');
    caret_ = 1;
    return TResult::Changed;
  }
  // Right after the point the digit under the caret is zeroed; elsewhere in the fixed decimals
  // the digit left of the caret goes and Normalise pads the decimals again.
  if (InFixedDecimals(index) && index == PointIndex() + 1) {
    digits_[index] = QLatin1Char('0');
    --caret_;
    return TResult::Changed;
  }
  digits_.remove(index - 1, 1);
  --caret_;
  Normalise();
  return TResult::Changed;
}

TNumericEditor::TResult TNumericEditor::DeleteKey() {
  if (selected_) {
    ClearToZero();
    return TResult::Changed;
  }
  const int index = caret_ - 1;
  if (index >= digits_.size())
    return TResult::Unchanged;
  if (index == 0 && IntegerLength() == 1) {
    if (digits_[0] == QLatin1Char('0'))
      return TResult::Unchanged;
    digits_[0] = QLatin1Char('0');
  } else {
    // Deleting the point joins the integer part and the decimals.
    digits_.remove(index, 1);
    Normalise();
  }
  return TResult::Changed;
}

void TNumericEditor::Home() {
  selected_ = false;
  caret_ = 1;
}

void TNumericEditor::End() {
  selected_ = false;
  caret_ = LastCaret();
}

void TNumericEditor::Left() {
  selected_ = false;
  caret_ = qMax(1, caret_ - 1);
}

void TNumericEditor::Right() {
  selected_ = false;
  caret_ = qMin(LastCaret(), caret_ + 1);
}

void TNumericEditor::FocusGained() {
  selected_ = true;
  caret_ = LastCaret();
}

void TNumericEditor::FocusLost() {
  selected_ = false;
  caret_ = 1;
}

void TNumericEditor::PlaceCaret(int caret) {
  selected_ = false;
  caret_ = qBound(1, caret, LastCaret());
}

// Keeps the digits a plain number: no leading zeros before other integer digits, never empty,
// exactly the fixed number of decimals once there is a point, and the caret in range.
void TNumericEditor::Normalise() {
  int leading = 0;
  while (leading + 1 < IntegerLength() && digits_[leading] == QLatin1Char('0'))
    ++leading;
  if (leading > 0) {
    digits_.remove(0, leading);
    caret_ = qMax(1, caret_ - leading);
  }
  if (digits_.isEmpty() || digits_[0] == QLatin1Char('.'))
    digits_.prepend(QLatin1Char('0'));
  const int point = PointIndex();
  if (point >= 0 && decimalPlaces_ == 0) {
    digits_.truncate(point);
  } else if (point >= 0 && FixedDecimals()) {
    const int decimals = digits_.size() - point - 1;
    if (decimals > decimalPlaces_)
      digits_.truncate(point + 1 + decimalPlaces_);
    else
      digits_.append(QString(decimalPlaces_ - decimals, QLatin1Char('0')));
  }
  caret_ = qBound(1, caret_, LastCaret());
}

void TNumericEditor::SetText(const QString& digits, bool negative) {
  digits_ = digits;
  negative_ = negative;
  Normalise();
}

void TNumericEditor::SetDouble(double value) {
  if (!std::isfinite(value))
    value = 0;
  value = std::round(value * 10000.0) / 10000.0;
  const bool negative = value < 0 && !positiveOnly_;
  const double magnitude = std::fabs(value);
  QString text;
  if (decimalPlaces_ == 0) {
    text = QString::number(std::nearbyint(magnitude), 'f', 0);
  } else if (decimalPlaces_ > 0) {
    text = QString::number(magnitude, 'f', decimalPlaces_);
  } else {
    text = QString::number(magnitude, 'g', 15);
    // The field holds digits only: very large values are written out in full.
    if (text.contains(QLatin1Char('e')))
      text = QString::number(magnitude, 'f', 0);
  }
  SetText(text, negative);
}

void TNumericEditor::SetInteger(std::int32_t value) {
  const std::int64_t wide = value;
  SetText(QString::number(wide < 0 ? -wide : wide), wide < 0 && !positiveOnly_);
}

double TNumericEditor::Double() const {
  QString text = digits_;
  if (text.endsWith(QLatin1Char('.')))
    text.chop(1);
  const double magnitude = text.toDouble();
  return negative_ ? -magnitude : magnitude;
}

std::int32_t TNumericEditor::Integer() const {
  const double rounded = std::nearbyint(Double());
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rounded);
}

void TNumericEditor::SetDecimalPlaces(std::int8_t places) {
  const double value = Double();
  decimalPlaces_ = places < -1 ? -1 : places;
  SetDouble(value);
}

void TNumericEditor::SetPositiveOnly(bool on) {
  positiveOnly_ = on;
  if (on)
    negative_ = false;
}
