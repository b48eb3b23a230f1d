// Typed setters. Each works in the same order: (1) when marking is asked for and the proposal is
// not modified yet, compare with the stored value and mark when it differs; (2) store the value,
// or delete it for the type's empty value; (3) tell the recovery copy of a stored answer;
// (4) report a failing status in words.

#include "dataserver/dsv.h"
#include "dataserver/numbertext.h"
#include "motor/dsvbuffers.h"
#include "motor/getmotordsv.h"
#include "platform/prompt.h"
#include "platform/windows1252.h"
#include "settings/displayformats.h"

namespace {

bool WantsComparison(bool markModified) {
  return markModified && !IsModified();
}

DsvStatus Store(std::int32_t id, const TPath& path, const TDsvValueBuffer& value) {
  return DsvSetValue(id, DsvPathLength(path), DsvPathData(path), value.bytes.data());
}

DsvStatus Remove(std::int32_t id, const TPath& path) {
  return DsvDeleteValue(id, DsvPathLength(path), DsvPathData(path));
}

// "%d (%x)": the identifier in decimal and in upper-case hexadecimal.
QString Decimal(std::int32_t id) {
  return QString::number(id);
}
QString Hexadecimal(std::int32_t id) {
  return QString::number(static_cast<std::uint32_t>(id), 16).toUpper();
}

// A stored answer is told to the recovery copy only when the caller counts it as the user's.
void Told(DsvStatus status, bool markModified) {
  if (status == 0 && markModified)
    NoteAnswerStored();
}

bool Finish(DsvStatus status, bool showError, const QString& pattern, std::int32_t id,
            const QString& valueText) {
  if (status != 0 && showError) {
    // One substitution pass, so that a '%' in the value text is left alone.
    Ask(PromptKind::Plain, PromptButtons::Ok,
        pattern.arg(Decimal(id), Hexadecimal(id), valueText, QString::number(status)));
  }
  return status == 0;
}

}  // namespace

bool SetListValue(std::int32_t id, const TPath& path, std::int32_t code, bool showError,
                  bool markModified) {
  if (WantsComparison(markModified) && GetListValue(id, path) != code)
    MarkModified();
  DsvStatus status = code == 0 ? Remove(id, path) : Store(id, path, TDsvValueBuffer::Of(code));
  Told(status, markModified);
  return Finish(status, showError,
                QStringLiteral("Failed to set the List ID : %1 (%2) to value : %3 [Error : %4]"),
                id, QString::number(code));
}

bool SetNumericValue(std::int32_t id, const TPath& path, double value, bool showError,
                     bool markModified) {
  if (WantsComparison(markModified) && GetNumericValue(id, path) != value)
    MarkModified();
  // 0 is a value like any other: there is no empty number.
  DsvStatus status = Store(id, path, TDsvValueBuffer::Of(value));
  Told(status, markModified);
  return Finish(status, showError,
                QStringLiteral("Failed to set Numeric Value : %1 (%2) to value : %3 [Error : %4]"),
                id, QString::fromStdString(FormatGeneralNumber(value)));
}

bool SetStringValue(std::int32_t id, const TPath& path, const QString& value, bool showError,
                    bool markModified) {
  // Compare with what the Data Server will hold, so that setting a long or unrepresentable text
  // twice does not count as a change the second time.
  QByteArray stored = ToDsvText(value);
  if (WantsComparison(markModified) && GetStringValue(id, path) != DecodeWindows1252(stored))
    MarkModified();
  DsvStatus status;
  if (stored.isEmpty()) {
    status = Remove(id, path);
  } else {
    TDsvValueBuffer buffer;
    std::memcpy(buffer.bytes.data(), stored.constData(), static_cast<std::size_t>(stored.size()));
    status = Store(id, path, buffer);
  }
  Told(status, markModified);
  return Finish(status, showError,
                QStringLiteral("Failed to set String : %1 (%2) to value : %3 [Error : %4]"), id,
                value);
}

bool SetDateValue(std::int32_t id, const TPath& path, const QDate& value, bool showError,
                  bool markModified) {
  // Every invalid date is "no date", as the Data Server's own conversion treats it.
  QDate date = value.isValid() ? value : QDate();
  if (WantsComparison(markModified) && GetDateValue(id, path) != date)
    MarkModified();
  DsvStatus status =
      date.isNull() ? Remove(id, path) : Store(id, path, TDsvValueBuffer::Of(DateToPacked(date)));
  Told(status, markModified);
  return Finish(status, showError,
                QStringLiteral("Failed to set Date : %1 (%2) to value : %3 [Error : %4]"), id,
                FormatShortDate(date));
}

bool SetListValueByABI(std::int32_t id, const TPath& path, const QString& abiCode, bool showError,
                       bool markModified) {
  QByteArray stored = ToDsvText(abiCode);
  if (WantsComparison(markModified) && GetABIValue(id, path) != DecodeWindows1252(stored))
    MarkModified();
  DsvStatus status = stored.isEmpty() ? Remove(id, path)
                                      : DsvSetABIValue(id, DsvPathLength(path), DsvPathData(path),
                                                       stored.constData());
  Told(status, markModified);
  return Finish(status, showError,
                QStringLiteral("Failed to set the List ID : %1 (%2) to ABI Code : %3 [Error : %4]"),
                id, abiCode);
}
