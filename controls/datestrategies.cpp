#include "controls/datestrategies.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "controls/dateserial.h"
#include "controls/today.h"

namespace {

const int kDaysPerPeriodMonth = 31;
const int kDaysPerPeriodYear = 372;  // twelve months of 31 days
const int kMaxPart = 65535;

std::uint16_t WithTens(int value, int digit) {
  return static_cast<std::uint16_t>(digit * 10 + value % 10);
}

std::uint16_t WithUnits(int value, int digit) {
  return static_cast<std::uint16_t>((value / 10 % 10) * 10 + digit);
}

std::uint16_t ClampPart(long long value) {
  return static_cast<std::uint16_t>(std::clamp<long long>(value, 0, kMaxPart));
}

// The digit typed as the first of two: what remains when only it was typed.
std::uint16_t FirstTypedDigit(int value) {
  return static_cast<std::uint16_t>(value / 10 % 10);
}

void NormaliseMonths(TDateFieldState& state) {
  if (state.month >= 12) {
    state.year = ClampPart(static_cast<long long>(state.year) + state.month / 12);
    state.month = state.month % 12;
  }
}

}  // namespace

bool IsDateSeparatorPosition(int position) {
  return position == 3 || position == 6;
}

int NextDatePosition(int position, int last) {
  int next = position + 1;
  if (IsDateSeparatorPosition(next))
    ++next;
  return std::min(next, last);
}

int PreviousDatePosition(int position) {
  int previous = position - 1;
  if (IsDateSeparatorPosition(previous))
    --previous;
  return std::max(previous, 1);
}

void CompleteTwoDigitYear(TDateFieldState& state, int currentYear, int lastPosition) {
  if (!state.twoDigitYearPending)
    return;
  const int typed = state.year / 100 % 100;
  // The typed year in the current century, moved back a century when it is more than ten years
  // ahead, or on one when that would leave it a century behind (late in a century).
  int year = currentYear / 100 * 100 + typed;
  if (year > currentYear + 10)
    year -= 100;
  else if (year <= currentYear + 10 - 100)
    year += 100;
  state.year = static_cast<std::uint16_t>(std::clamp(year, 0, 9999));
  state.twoDigitYearPending = false;
  state.caret = lastPosition;
}

// --- TBaseDate: the style that does nothing ---

QString TBaseDate::DisplayText(const TDateFieldState&) const {
  return QString();
}
void TBaseDate::ParseText(TDateFieldState&, const QString&) {}
void TBaseDate::DigitTyped(TDateFieldState&, int) {}
int TBaseDate::LastCaretPosition() const {
  return 0;
}
TSeparatorResult TBaseDate::SeparatorKey(TDateFieldState&, QChar) {
  return TSeparatorResult::NotSeparator;
}
bool TBaseDate::EnterKey(TDateFieldState&) {
  return false;
}
void TBaseDate::SpaceKey(TDateFieldState&) {}
bool TBaseDate::CaretMoved(TDateFieldState&) {
  return false;
}
bool TBaseDate::FocusChanged(TDateFieldState&, bool) {
  return false;
}
TDateValidation TBaseDate::Validate(TDateFieldState&) {
  return {};
}
void TBaseDate::AfterNavigation(TDateFieldState&) {}
void TBaseDate::SetValue(TDateFieldState&, double) {}
double TBaseDate::GetValue(const TDateFieldState&) const {
  return 0;
}
void TBaseDate::SetParts(TDateFieldState&, std::uint16_t, std::uint16_t, std::uint16_t) {}
void TBaseDate::SetDigitAt(TDateFieldState&, int, int) {}
void TBaseDate::RestoreMarks(TDateFieldState&, int) {}

// --- TStandardDate: a calendar date ---

const QString TStandardDate::kInvalidDateMessage =
    QStringLiteral("Invalid Date Entered.\rYou must enter a valid number of days for the month.");

QString TStandardDate::DisplayText(const TDateFieldState& state) const {
  return QString::asprintf("%2.2d/%2.2d/%4.4d", state.day, state.month, state.year);
}

void TStandardDate::ParseText(TDateFieldState& state, const QString& text) {
  const QString trimmed = text.trimmed();
  QDate date = QDate::fromString(trimmed, QStringLiteral("dd/MM/yyyy"));
  if (!date.isValid())
    date = QDate::fromString(trimmed, QStringLiteral("d/M/yyyy"));
  if (!date.isValid())
    return;
  SetParts(state, date.day(), date.month(), date.year());
}

void TStandardDate::SetDigitAt(TDateFieldState& state, int position, int digit) {
  const int year = state.year % 10000;
  switch (position) {
    case 1:
      state.day = WithTens(state.day, digit);
      break;
    case 2:
      state.day = WithUnits(state.day, digit);
      break;
    case 4:
      state.month = WithTens(state.month, digit);
      break;
    case 5:
      state.month = WithUnits(state.month, digit);
      break;
    case 7:
      state.year = static_cast<std::uint16_t>(digit * 1000 + year % 1000);
      break;
    case 8:
      state.year = static_cast<std::uint16_t>(year / 1000 * 1000 + digit * 100 + year % 100);
      break;
    case 9:
      state.year = static_cast<std::uint16_t>(year / 100 * 100 + digit * 10 + year % 10);
      break;
    case 10:
      state.year = static_cast<std::uint16_t>(year / 10 * 10 + digit);
      break;
    default:
      break;
  }
}

void TStandardDate::DigitTyped(TDateFieldState& state, int digit) {
  SetDigitAt(state, state.caret, digit);
  switch (state.caret) {
    case 1:
      state.dayMark = TPartMark::OneDigit;
      break;
    case 2:
      state.dayMark = TPartMark::TwoDigits;
      break;
    case 4:
      state.monthMark = TPartMark::OneDigit;
      break;
    case 5:
      state.monthMark = TPartMark::TwoDigits;
      break;
    case 7:
    case 8:
      state.twoDigitYearPending = true;
      break;
    case 9:
    case 10:
      state.twoDigitYearPending = false;
      break;
    default:
      break;
  }
  if (state.caret != LastCaretPosition())
    state.caret = NextDatePosition(state.caret, LastCaretPosition());
}

void TStandardDate::RestoreMarks(TDateFieldState& state, int position) {
  switch (position) {
    case 1:
      state.dayMark = TPartMark::None;
      break;
    case 2:
      state.dayMark = TPartMark::OneDigit;
      break;
    case 4:
      state.monthMark = TPartMark::None;
      break;
    case 5:
      state.monthMark = TPartMark::OneDigit;
      break;
    default:
      break;
  }
}

TSeparatorResult TStandardDate::SeparatorKey(TDateFieldState& state, QChar key) {
  if (key != QLatin1Char('/'))
    return TSeparatorResult::NotSeparator;
  // Typing both digits of a part already moved the caret over the separator: the "/" the user
  // types next belongs to that part and must not skip the following one.
  if ((state.caret == 4 && state.dayMark == TPartMark::TwoDigits &&
       state.monthMark == TPartMark::None) ||
      (state.caret == 7 && state.monthMark == TPartMark::TwoDigits && !state.twoDigitYearPending))
    return TSeparatorResult::Accepted;
  if (state.caret <= 2) {
    if (state.dayMark == TPartMark::OneDigit)
      state.day = FirstTypedDigit(state.day);
    state.caret = 4;
    return TSeparatorResult::Moved;
  }
  if (state.caret <= 5) {
    if (state.monthMark == TPartMark::OneDigit)
      state.month = FirstTypedDigit(state.month);
    state.caret = 7;
    return TSeparatorResult::Moved;
  }
  return TSeparatorResult::Accepted;
}

bool TStandardDate::EnterKey(TDateFieldState& state) {
  CompleteTwoDigitYear(state, Today().year(), LastCaretPosition());
  return true;
}

TDateValidation TStandardDate::Validate(TDateFieldState& state) {
  if (state.day == 0 && state.month == 0 && state.year == 0)
    return {true, QString()};  // no date entered
  const bool valid = state.year >= 1 && state.year <= 9999 && state.month >= 1 &&
                     state.month <= 12 && state.day >= 1 &&
                     state.day <= QDate(state.year, state.month, 1).daysInMonth();
  if (valid)
    return {true, QString()};
  return {false, kInvalidDateMessage};
}

void TStandardDate::SetValue(TDateFieldState& state, double value) {
  const QDate date = value == 0 ? QDate() : SerialToDate(value);
  if (!date.isValid()) {
    SetParts(state, 0, 0, 0);
    return;
  }
  SetParts(state, date.day(), date.month(), date.year());
}

double TStandardDate::GetValue(const TDateFieldState& state) const {
  if (state.day == 0 && state.month == 0 && state.year == 0)
    return 0;
  // A date that is not in the calendar has no serial: it reads as no date.
  return DateToSerial(QDate(state.year, state.month, state.day));
}

void TStandardDate::SetParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                             std::uint16_t year) {
  state.day = day;
  state.month = month;
  state.year = year;
}

// --- TAgeDate: a period before or after today ---

const QString TAgeDate::kFormatErrorMessage =
    QStringLiteral("Invalid Date : format Should be 'Y.M.D [Hence/Ago]'");

bool TAgeDate::IsZero(const TDateFieldState& state) {
  return state.day == 0 && state.month == 0 && state.year == 0;
}

void TAgeDate::Normalise(TDateFieldState& state) {
  if (state.day >= kDaysPerPeriodMonth) {
    state.month = ClampPart(static_cast<long long>(state.month) + state.day / kDaysPerPeriodMonth);
    state.day = state.day % kDaysPerPeriodMonth;
  }
  NormaliseMonths(state);
}

QString TAgeDate::DisplayText(const TDateFieldState& state) const {
  QString word;
  if (state.focused) {
    // The unit of the part the caret is in.
    word = state.caret <= 2 ? QStringLiteral("Yrs")
                            : (state.caret <= 5 ? QStringLiteral("Mths") : QStringLiteral("Days"));
    if (ago_ && !IsZero(state))
      word = QLatin1Char('(') + word + QLatin1Char(')');
  } else if (IsZero(state)) {
    word = QStringLiteral("Today");
  } else {
    word = ago_ ? QStringLiteral("Ago") : QStringLiteral("Hence");
  }
  return QString::asprintf("%2.2d.%2.2d.%2.2d ", state.year % 100, state.month, state.day) + word;
}

void TAgeDate::ParseText(TDateFieldState& state, const QString& text) {
  long long parts[3] = {0, 0, 0};
  int part = 0;
  for (QChar c : text) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      parts[part] = parts[part] * 10 + (c.unicode() - '0');
      if (parts[part] > kMaxPart)
        throw EDateFormatError(kFormatErrorMessage);
    } else if (part < 2 && (c == QLatin1Char('.') || c == QLatin1Char('/'))) {
      ++part;
    } else if (part == 2) {
      break;  // the words after the days
    } else {
      throw EDateFormatError(kFormatErrorMessage);
    }
  }
  state.year = ClampPart(parts[0]);
  state.month = ClampPart(parts[1]);
  state.day = ClampPart(parts[2]);
  Normalise(state);
  ago_ = text.contains(QLatin1String("Ago"), Qt::CaseInsensitive) ||
         (IsZero(state) && state.treatTodayAsNegative);
}

void TAgeDate::SetDigitAt(TDateFieldState& state, int position, int digit) {
  switch (position) {
    case 1:
      state.year = WithTens(state.year, digit);
      break;
    case 2:
      state.year = WithUnits(state.year, digit);
      break;
    case 4:
      state.month = WithTens(state.month, digit);
      break;
    case 5:
      state.month = WithUnits(state.month, digit);
      break;
    case 7:
      state.day = WithTens(state.day, digit);
      break;
    case 8:
      state.day = WithUnits(state.day, digit);
      break;
    default:
      break;
  }
}

void TAgeDate::DigitTyped(TDateFieldState& state, int digit) {
  SetDigitAt(state, state.caret, digit);
  switch (state.caret) {
    case 1:
      state.yearMark = TPartMark::OneDigit;
      break;
    case 2:
      state.yearMark = TPartMark::TwoDigits;
      break;
    case 4:
      state.monthMark = TPartMark::OneDigit;
      break;
    case 5:
      state.monthMark = TPartMark::TwoDigits;
      NormaliseMonths(state);
      break;
    case 7:
      state.dayMark = TPartMark::OneDigit;
      break;
    case 8:
      state.dayMark = TPartMark::TwoDigits;
      Normalise(state);
      break;
    default:
      break;
  }
  if (state.caret != LastCaretPosition())
    state.caret = NextDatePosition(state.caret, LastCaretPosition());
}

void TAgeDate::RestoreMarks(TDateFieldState& state, int position) {
  TPartMark mark = position % 3 == 1 ? TPartMark::None : TPartMark::OneDigit;
  if (position <= 2)
    state.yearMark = mark;
  else if (position <= 5)
    state.monthMark = mark;
  else
    state.dayMark = mark;
}

TSeparatorResult TAgeDate::SeparatorKey(TDateFieldState& state, QChar key) {
  if (key == QLatin1Char('/'))
    return TSeparatorResult::Accepted;
  if (key != QLatin1Char('.'))
    return TSeparatorResult::NotSeparator;
  // As in the calendar style: a "." right after both digits of a part were typed is absorbed.
  if ((state.caret == 4 && state.yearMark == TPartMark::TwoDigits &&
       state.monthMark == TPartMark::None) ||
      (state.caret == 7 && state.monthMark == TPartMark::TwoDigits &&
       state.dayMark == TPartMark::None))
    return TSeparatorResult::Accepted;
  if (state.caret <= 2) {
    if (state.yearMark == TPartMark::OneDigit)
      state.year = FirstTypedDigit(state.year);
    state.caret = 4;
    return TSeparatorResult::Moved;
  }
  if (state.caret <= 5) {
    if (state.monthMark == TPartMark::OneDigit)
      state.month = FirstTypedDigit(state.month);
    NormaliseMonths(state);
    state.caret = 7;
    return TSeparatorResult::Moved;
  }
  return TSeparatorResult::Accepted;
}

void TAgeDate::SpaceKey(TDateFieldState&) {
  ago_ = !ago_;
}

bool TAgeDate::CaretMoved(TDateFieldState&) {
  return true;  // the unit word follows the caret
}

bool TAgeDate::FocusChanged(TDateFieldState&, bool gained) {
  return !gained;
}

TDateValidation TAgeDate::Validate(TDateFieldState& state) {
  Normalise(state);
  return {true, QString()};
}

void TAgeDate::AfterNavigation(TDateFieldState& state) {
  Normalise(state);
}

void TAgeDate::SetValue(TDateFieldState& state, double value) {
  if (!std::isfinite(value))
    value = 0;
  ago_ = value < 0 || (value == 0 && state.treatTodayAsNegative);
  const long long days = std::min<long long>(static_cast<long long>(std::trunc(std::fabs(value))),
                                             static_cast<long long>(kMaxPart) * kDaysPerPeriodYear);
  state.year = ClampPart(days / kDaysPerPeriodYear);
  state.month = ClampPart(days % kDaysPerPeriodYear / kDaysPerPeriodMonth);
  state.day = ClampPart(days % kDaysPerPeriodMonth);
}

double TAgeDate::GetValue(const TDateFieldState& state) const {
  const double days = static_cast<double>(state.year) * kDaysPerPeriodYear +
                      static_cast<double>(state.month) * kDaysPerPeriodMonth + state.day;
  return ago_ && days != 0 ? -days : days;
}

void TAgeDate::SetParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                        std::uint16_t year) {
  state.day = day;
  state.month = month;
  state.year = year;
  Normalise(state);
}
