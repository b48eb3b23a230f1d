// Filling choice lists from the Data Server's enumerations, and the vehicle model list.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "dataserver/dsv.h"
#include "motor/dsvbuffers.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"
#include "platform/windows1252.h"

namespace {

constexpr std::int16_t kFilterByChoice = 1;

void ShowListError(const QString& text) {
  Ask(PromptKind::Error, PromptButtons::Ok, text);
}

// Ends a cursor when an error raised by a cursor operation (a damaged lists file) leaves the
// function early; the normal path ends it itself and reports the status.
class TEnumCursorGuard {
 public:
  explicit TEnumCursorGuard(DsvHandle handle) : handle_(handle) {}
  ~TEnumCursorGuard() {
    if (armed_)
      DsvEndEnumList(handle_);
  }
  TEnumCursorGuard(const TEnumCursorGuard&) = delete;
  TEnumCursorGuard& operator=(const TEnumCursorGuard&) = delete;
  DsvStatus End() {
    armed_ = false;
    return DsvEndEnumList(handle_);
  }

 private:
  DsvHandle handle_;
  bool armed_ = true;
};

struct TEnumEntryText {
  std::int32_t code = 0;
  QString description;
};

DsvStatus NextEntry(DsvHandle handle, TEnumEntryText& entry) {
  std::int32_t ordinal = 0;
  TDsvTextBuffer description{};
  TDsvTextBuffer abiCode{};
  DsvStatus status =
      DsvGetEnumListNext(handle, &entry.code, &ordinal, description.data(), abiCode.data());
  if (status == 0)
    entry.description = FromDsvBuffer(description);
  return status;
}

// A model description is a fixed-column record of single-byte text; columns count from 1. The
// columns are read from the bytes the Data Server hands over, and only the text of a model that
// is listed is built, once.
class TModelDescription {
 public:
  explicit TModelDescription(std::string_view text) : text_(text) {}

  // Columns from..to; shorter, or empty, when the text ends earlier.
  std::string_view Columns(std::size_t from, std::size_t to) const {
    return from - 1 < text_.size() ? text_.substr(from - 1, to - from + 1) : std::string_view();
  }
  int FirstYear() const { return YearIn(Columns(2, 5)); }
  int LastYear() const { return YearIn(Columns(7, 10)); }

  // "%-27s%scc, %s, %s, %s": name, engine size, variant, transmission, fuel. Put together in
  // place (it never exceeds 58 bytes) and decoded once.
  QString ListText() const {
    char text[64];
    std::size_t length = 0;
    auto append = [&text, &length](std::string_view part) {
      part.copy(text + length, part.size());
      length += part.size();
    };
    append(Columns(29, 55));
    for (; length < 27; ++length)
      text[length] = ' ';
    append(Columns(23, 26));
    append("cc, ");
    append(Columns(17, 17));
    append(", ");
    append(Columns(21, 21) == "M" ? "Manu" : "Auto");
    append(", ");
    append(Columns(20, 20) == "P" ? "Petrol" : "Diesel");
    return DecodeWindows1252(QByteArrayView(text, static_cast<qsizetype>(length)));
  }

 private:
  // Spaces as a trimmed text loses them: tab to carriage return, space and no-break space.
  static bool IsSpace(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x09 && byte <= 0x0D) || byte == 0x20 || byte == 0xA0;
  }

  // A whole number with an optional sign between spaces; 0 when the columns hold none.
  static int YearIn(std::string_view columns) {
    while (!columns.empty() && IsSpace(columns.front()))
      columns.remove_prefix(1);
    while (!columns.empty() && IsSpace(columns.back()))
      columns.remove_suffix(1);
    const bool negative = !columns.empty() && columns.front() == '-';
    if (!columns.empty() && (columns.front() == '-' || columns.front() == '+'))
      columns.remove_prefix(1);
    if (columns.empty())
      return 0;
    int year = 0;
    for (char c : columns) {
      if (c < '0' || c > '9')
        return 0;
      year = year * 10 + (c - '0');
    }
    return negative ? -year : year;
  }

  std::string_view text_;
};

bool MadeIn(const TModelDescription& model, int year) {
  const int firstYear = model.FirstYear();
  if (firstYear == 0)
    return false;
  if (year == 0)
    return true;
  const int lastYear = model.LastYear();
  return year >= firstYear && year <= (lastYear == 0 ? 9999 : lastYear);
}

}  // namespace

DsvStatus FillEnumList(std::int32_t listId, ListItems& items) {
  DsvHandle handle = 0;
  DsvStatus status = DsvBeginEnumList(listId, &handle);
  if (status != 0) {
    ShowListError(QStringLiteral("ERROR (DsvBeginEnumList) List %1 - Returned %2")
                      .arg(QString::number(listId), QString::number(status)));
    return status;
  }
  TEnumCursorGuard cursor(handle);

  std::int32_t count = 0;
  status = DsvQueryEnumListCount(handle, &count);
  if (status != 0) {
    ShowListError(
        QStringLiteral("ERROR (DsvQueryEnumListCount) - Returned %1").arg(QString::number(status)));
  }
  items.clear();
  for (std::int32_t i = 0; i < count; ++i) {
    TEnumEntryText entry;
    status = NextEntry(handle, entry);
    if (status != 0) {
      ShowListError(
          QStringLiteral("ERROR (DsvGetEnumListNext) - Returned %1").arg(QString::number(status)));
      continue;
    }
    items.append({entry.description, entry.code});
  }

  status = cursor.End();
  if (status != 0) {
    ShowListError(
        QStringLiteral("ERROR (DsvEndEnumList) - Returned %1").arg(QString::number(status)));
  }
  return status;
}

int FillModelList(std::int32_t makeCode, int year, const QString& /*unused*/, ListItems& items) {
  DsvHandle handle = 0;
  if (DsvBeginEnumList(ListId::Models, &handle) == 0) {
    TEnumCursorGuard cursor(handle);
    items.clear();
    items.append({QStringLiteral("<Select>"), 0});
    // A make the dependency table does not know leaves the cursor unfiltered; walking it would
    // offer every make's models, so nothing is listed then.
    if (DsvFilterEnumList(handle, kFilterByChoice, ListId::Makes, makeCode) == 0) {
      std::int32_t code = 0;
      std::int32_t ordinal = 0;
      TDsvTextBuffer description;
      TDsvTextBuffer abiCode;
      while (DsvGetEnumListNext(handle, &code, &ordinal, description.data(), abiCode.data()) == 0) {
        const TModelDescription model(
            std::string_view(description.data(), strnlen(description.data(), description.size())));
        if (MadeIn(model, year))
          items.append({model.ListText(), code});
      }
    }
    cursor.End();
  }
  if (items.size() == 1)
    items[0] = {QStringLiteral("<No Models were manufactured in entered Year>"), 0};
  return static_cast<int>(items.size());
}
