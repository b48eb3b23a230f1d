// Filling choice lists from the Data Server's enumerations, and the vehicle model list.

#include "dataserver/dsv.h"
#include "motor/dsvbuffers.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

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

// A model description is a fixed-column record; positions below count from 1.
struct TModelDescription {
  int firstYear = 0;
  int lastYear = 0;
  QString variant;  // position 17, shown as it stands
  QString fuel;
  QString transmission;
  QString engineSize;
  QString name;
};

// Columns from..to (1-based) of the text; shorter when the text ends earlier.
QString Columns(const QString& text, int from, int to) {
  return text.mid(from - 1, to - from + 1);
}

// A whole number, 0 when the columns do not hold one.
int YearIn(const QString& text, int from, int to) {
  bool ok = false;
  int year = Columns(text, from, to).trimmed().toInt(&ok);
  return ok ? year : 0;
}

TModelDescription ReadModelDescription(const QString& text) {
  TModelDescription model;
  model.firstYear = YearIn(text, 2, 5);
  model.lastYear = YearIn(text, 7, 10);
  model.variant = Columns(text, 17, 17);
  model.fuel = Columns(text, 20, 20) == QLatin1String("P") ? QStringLiteral("Petrol")
                                                           : QStringLiteral("Diesel");
  model.transmission =
      Columns(text, 21, 21) == QLatin1String("M") ? QStringLiteral("Manu") : QStringLiteral("Auto");
  model.engineSize = Columns(text, 23, 26);
  model.name = Columns(text, 29, 55);
  return model;
}

bool MadeIn(const TModelDescription& model, int year) {
  if (model.firstYear == 0)
    return false;
  int lastYear = model.lastYear == 0 ? 9999 : model.lastYear;
  return year == 0 || (year >= model.firstYear && year <= lastYear);
}

QString ModelListText(const TModelDescription& model) {
  // "%-27s%scc, %s, %s, %s"
  return QStringLiteral("%1%2cc, %3, %4, %5")
      .arg(model.name.leftJustified(27), model.engineSize, model.variant, model.transmission,
           model.fuel);
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
      TEnumEntryText entry;
      while (NextEntry(handle, entry) == 0) {
        TModelDescription model = ReadModelDescription(entry.description);
        if (MadeIn(model, year))
          items.append({ModelListText(model), entry.code});
      }
    }
    cursor.End();
  }
  if (items.size() == 1)
    items[0] = {QStringLiteral("<No Models were manufactured in entered Year>"), 0};
  return static_cast<int>(items.size());
}
