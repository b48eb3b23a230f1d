#pragma once
// The two styles of the date field as strategy objects: TStandardDate, a calendar date typed into
// "dd/mm/yyyy"; TAgeDate, a period of years, months and days before or after today. TBaseDate
// does nothing. The field (TKwDate) owns the state they work on and one strategy at a time.
//
// Caret positions are 1-based characters of the display: 1-2, 4-5 and 7-8 (7-10 for the
// calendar year) are digits, 3 and 6 separators.

#include <QString>
#include <cstdint>
#include <stdexcept>

enum class TDateStyle { dsDate, dsAge };

// How many digits of a part were typed since the field was entered.
enum class TPartMark { None, OneDigit, TwoDigits };

struct TDateFieldState {
  // Calendar style: the date. Period style: days, months and years of the period.
  std::uint16_t day = 1;
  std::uint16_t month = 1;
  std::uint16_t year = 0;
  int caret = 1;
  TPartMark dayMark = TPartMark::None;
  TPartMark monthMark = TPartMark::None;
  TPartMark yearMark = TPartMark::None;
  // Only the first two digits of the calendar year were typed: they are completed with a century.
  bool twoDigitYearPending = false;
  bool focused = false;
  bool treatTodayAsNegative = true;
};

enum class TSeparatorResult { NotSeparator, Accepted, Moved };

struct TDateValidation {
  bool valid = false;
  QString message;  // shown as a warning when not empty
};

// A period text that does not read as "Y.M.D [Hence/Ago]".
class EDateFormatError : public std::runtime_error {
 public:
  explicit EDateFormatError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

class TBaseDate {
 public:
  virtual ~TBaseDate() = default;

  virtual QString DisplayText(const TDateFieldState& state) const;
  virtual void ParseText(TDateFieldState& state, const QString& text);
  virtual void DigitTyped(TDateFieldState& state, int digit);
  virtual int LastCaretPosition() const;
  virtual TSeparatorResult SeparatorKey(TDateFieldState& state, QChar key);
  // True when the calendar should open.
  virtual bool EnterKey(TDateFieldState& state);
  virtual void SpaceKey(TDateFieldState& state);
  // These two answer true when the field must repaint.
  virtual bool CaretMoved(TDateFieldState& state);
  virtual bool FocusChanged(TDateFieldState& state, bool gained);
  virtual TDateValidation Validate(TDateFieldState& state);
  virtual void AfterNavigation(TDateFieldState& state);
  virtual void SetValue(TDateFieldState& state, double value);
  virtual double GetValue(const TDateFieldState& state) const;
  virtual void SetParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                        std::uint16_t year);
  // Backspace and Delete: one digit of the display set to `digit`, and the part markers as they
  // were when the caret first reached `position`.
  virtual void SetDigitAt(TDateFieldState& state, int position, int digit);
  virtual void RestoreMarks(TDateFieldState& state, int position);
};

class TStandardDate : public TBaseDate {
 public:
  static const QString kInvalidDateMessage;

  QString DisplayText(const TDateFieldState& state) const override;
  void ParseText(TDateFieldState& state, const QString& text) override;
  void DigitTyped(TDateFieldState& state, int digit) override;
  int LastCaretPosition() const override { return 10; }
  TSeparatorResult SeparatorKey(TDateFieldState& state, QChar key) override;
  bool EnterKey(TDateFieldState& state) override;
  TDateValidation Validate(TDateFieldState& state) override;
  void SetValue(TDateFieldState& state, double value) override;
  double GetValue(const TDateFieldState& state) const override;
  void SetParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                std::uint16_t year) override;
  void SetDigitAt(TDateFieldState& state, int position, int digit) override;
  void RestoreMarks(TDateFieldState& state, int position) override;
};

class TAgeDate : public TBaseDate {
 public:
  static const QString kFormatErrorMessage;

  QString DisplayText(const TDateFieldState& state) const override;
  // Throws EDateFormatError.
  void ParseText(TDateFieldState& state, const QString& text) override;
  void DigitTyped(TDateFieldState& state, int digit) override;
  int LastCaretPosition() const override { return 8; }
  TSeparatorResult SeparatorKey(TDateFieldState& state, QChar key) override;
  void SpaceKey(TDateFieldState& state) override;
  bool CaretMoved(TDateFieldState& state) override;
  bool FocusChanged(TDateFieldState& state, bool gained) override;
  TDateValidation Validate(TDateFieldState& state) override;
  void AfterNavigation(TDateFieldState& state) override;
  // A period value is years * 372 + months * 31 + days, negative for "Ago".
  void SetValue(TDateFieldState& state, double value) override;
  double GetValue(const TDateFieldState& state) const override;
  void SetParts(TDateFieldState& state, std::uint16_t day, std::uint16_t month,
                std::uint16_t year) override;
  void SetDigitAt(TDateFieldState& state, int position, int digit) override;
  void RestoreMarks(TDateFieldState& state, int position) override;

  bool Ago() const { return ago_; }
  void SetAgo(bool ago) { ago_ = ago; }
  // Days of 31 or more into months, months of 12 or more into years.
  static void Normalise(TDateFieldState& state);

 private:
  bool ago_ = false;
};

bool IsDateSeparatorPosition(int position);
// The next or previous digit position, skipping separators, within 1..last.
int NextDatePosition(int position, int last);
int PreviousDatePosition(int position);
// Completes a pending two-digit year with the century that puts it at most ten years after
// `currentYear`, and moves the caret to `lastPosition`.
void CompleteTwoDigitYear(TDateFieldState& state, int currentYear, int lastPosition);
