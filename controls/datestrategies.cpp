#include "controls/datestrategies.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>

#include "controls/dateserial.h"
#include "controls/today.h"

namespace {

const int kDaysPerPeriodMonth = 31;
const int kDaysPerPeriodYear = 372;  // twelve months of 31 days
const int kMaxPart = 65535;

// `value` with its digit worth `place` replaced by `digit`.
std::uint16_t WithDigitAt(int value, int place, int digit) {
  return static_cast<std::uint16_t>(value - value / place % 10 * place + digit * place);
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

bool IsZero(const TDateFieldState& state) {
  return state.day == 0 && state.month == 0 && state.year == 0;
}

void AssignParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                 std::uint16_t year) {
  state.day = day;
  state.month = month;
  state.year = year;
}

// One part of the display: its value and how many of its digits were typed.
struct TPartSlot {
  std::uint16_t TDateFieldState::*value;
  TPartMark TDateFieldState::*mark;
};

// The three parts from left to right. The styles differ only in this order (and in the calendar
// year having four digits), so the two-digit part handling below is shared.
using TPartLayout = std::array<TPartSlot, 3>;

const TPartSlot kDaySlot{&TDateFieldState::day, &TDateFieldState::dayMark};
const TPartSlot kMonthSlot{&TDateFieldState::month, &TDateFieldState::monthMark};
const TPartSlot kYearSlot{&TDateFieldState::year, &TDateFieldState::yearMark};
const TPartLayout kCalendarLayout{kDaySlot, kMonthSlot, kYearSlot};
const TPartLayout kPeriodLayout{kYearSlot, kMonthSlot, kDaySlot};

// Positions 1-2, 4-5 and 7-8 are the first, second and third part.
const TPartSlot& SlotAt(const TPartLayout& layout, int position) {
  return layout[position <= 2 ? 0 : (position <= 5 ? 1 : 2)];
}

bool IsTwoDigitPosition(int position) {
  return position >= 1 && position <= 8 && !IsDateSeparatorPosition(position);
}

bool IsTensPosition(int position) {
  return position % 3 == 1;
}

void SetTwoDigitPartAt(TDateFieldState& state, const TPartLayout& layout, int position, int digit) {
  if (!IsTwoDigitPosition(position))
    return;
  std::uint16_t& value = state.*SlotAt(layout, position).value;
  // A part shows two digits: anything above them is dropped.
  value = WithDigitAt(value % 100, IsTensPosition(position) ? 10 : 1, digit);
}

void MarkTypedDigit(TDateFieldState& state, const TPartLayout& layout, int position) {
  if (IsTwoDigitPosition(position))
    state.*SlotAt(layout, position).mark =
        IsTensPosition(position) ? TPartMark::OneDigit : TPartMark::TwoDigits;
}

// The marks as they were before the digit at `position` was typed.
void RestorePartMark(TDateFieldState& state, const TPartLayout& layout, int position) {
  state.*SlotAt(layout, position).mark =
      IsTensPosition(position) ? TPartMark::None : TPartMark::OneDigit;
}

void AdvanceCaret(TDateFieldState& state, int last) {
  if (state.caret != last)
    state.caret = NextDatePosition(state.caret, last);
}

// The separator key typed in the first or second part moves to the next part, keeping a lone
// typed digit as the part's value. `thirdPartBegun` tells whether typing in the third part began.
TSeparatorResult MoveToNextPart(TDateFieldState& state, const TPartLayout& layout,
                                bool thirdPartBegun) {
  // Typing both digits of a part already moved the caret over the separator: the separator the
  // user types next belongs to that part and must not skip the following one.
  const TPartSlot& first = layout[0];
  const TPartSlot& second = layout[1];
  if ((state.caret == 4 && state.*first.mark == TPartMark::TwoDigits &&
       state.*second.mark == TPartMark::None) ||
      (state.caret == 7 && state.*second.mark == TPartMark::TwoDigits && !thirdPartBegun))
    return TSeparatorResult::Accepted;
  if (state.caret > 5)
    return TSeparatorResult::Accepted;
  const TPartSlot& part = SlotAt(layout, state.caret);
  if (state.*part.mark == TPartMark::OneDigit)
    state.*part.value = FirstTypedDigit(state.*part.value);
  state.caret = state.caret <= 2 ? 4 : 7;
  return TSeparatorResult::Moved;
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
  if (position < 7) {
    SetTwoDigitPartAt(state, kCalendarLayout, position, digit);
    return;
  }
  // The calendar year has four digits, thousands at 7 to units at 10.
  if (position > 10)
    return;
  int place = 1;
  for (int p = position; p < 10; ++p)
    place *= 10;
  state.year = WithDigitAt(state.year % 10000, place, digit);
}

void TStandardDate::DigitTyped(TDateFieldState& state, int digit) {
  SetDigitAt(state, state.caret, digit);
  if (state.caret < 7)
    MarkTypedDigit(state, kCalendarLayout, state.caret);
  else if (state.caret <= 10)
    state.twoDigitYearPending = state.caret <= 8;  // only the century digits so far
  AdvanceCaret(state, LastCaretPosition());
}

void TStandardDate::RestoreMarks(TDateFieldState& state, int position) {
  if (position < 7 && IsTwoDigitPosition(position))
    RestorePartMark(state, kCalendarLayout, position);
}

TSeparatorResult TStandardDate::SeparatorKey(TDateFieldState& state, QChar key) {
  if (key != QLatin1Char('/'))
    return TSeparatorResult::NotSeparator;
  return MoveToNextPart(state, kCalendarLayout, state.twoDigitYearPending);
}

bool TStandardDate::EnterKey(TDateFieldState& state) {
  CompleteTwoDigitYear(state, Today().year(), LastCaretPosition());
  return true;
}

TDateValidation TStandardDate::Validate(TDateFieldState& state) {
  if (IsZero(state))
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
  if (IsZero(state))
    return 0;
  // A date that is not in the calendar has no serial: it reads as no date.
  return DateToSerial(QDate(state.year, state.month, state.day));
}

void TStandardDate::SetParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                             std::uint16_t year) {
  AssignParts(state, day, month, year);
}

// --- TAgeDate: a period before or after today ---

const QString TAgeDate::kFormatErrorMessage =
    QStringLiteral("Invalid Date : format Should be 'Y.M.D [Hence/Ago]'");

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
  SetTwoDigitPartAt(state, kPeriodLayout, position, digit);
}

void TAgeDate::DigitTyped(TDateFieldState& state, int digit) {
  SetDigitAt(state, state.caret, digit);
  MarkTypedDigit(state, kPeriodLayout, state.caret);
  // A completed part carries over into the larger units.
  if (state.caret == 5)
    NormaliseMonths(state);
  else if (state.caret == 8)
    Normalise(state);
  AdvanceCaret(state, LastCaretPosition());
}

void TAgeDate::RestoreMarks(TDateFieldState& state, int position) {
  RestorePartMark(state, kPeriodLayout, position);
}

TSeparatorResult TAgeDate::SeparatorKey(TDateFieldState& state, QChar key) {
  if (key == QLatin1Char('/'))
    return TSeparatorResult::Accepted;
  if (key != QLatin1Char('.'))
    return TSeparatorResult::NotSeparator;
  const bool fromMonths = state.caret >= 3 && state.caret <= 5;
  const TSeparatorResult result =
      MoveToNextPart(state, kPeriodLayout, state.dayMark != TPartMark::None);
  if (result == TSeparatorResult::Moved && fromMonths)
    NormaliseMonths(state);
  return result;
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
  AssignParts(state, day, month, year);
  Normalise(state);
}
