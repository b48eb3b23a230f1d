// Typed getters. None shows a message: a failed query answers the empty value of its type. A
// value without an instance answers the dictionary default where there is one.

#include "dataserver/dsv.h"
#include "motor/dsvbuffers.h"
#include "motor/getmotordsv.h"

namespace {

// Queries into a full-size buffer; false when the Data Server answers a failure.
bool Query(std::int32_t id, const TPath& path, TDsvValueBuffer& buffer) {
  if (DsvQueryValue(id, DsvPathLength(path), DsvPathData(path), buffer.data()) != 0)
    return false;
  buffer.bytes.back() = '\0';
  return true;
}

}  // namespace

QString GetStringValue(std::int32_t id, const TPath& path) {
  TDsvValueBuffer buffer;
  return Query(id, path, buffer) ? buffer.Text() : QString();
}

std::int32_t GetListValue(std::int32_t id, const TPath& path) {
  TDsvValueBuffer buffer;
  return Query(id, path, buffer) ? buffer.As<std::int32_t>() : 0;
}

QDate GetDateValue(std::int32_t id, const TPath& path) {
  TDsvValueBuffer buffer;
  return Query(id, path, buffer) ? PackedToDate(buffer.As<PackedDate>()) : QDate();
}

double GetNumericValue(std::int32_t id, const TPath& path) {
  TDsvValueBuffer buffer;
  return Query(id, path, buffer) ? buffer.As<double>() : 0.0;
}

bool ValueExists(std::int32_t id, const TPath& path) {
  return DsvQueryValueExists(id, DsvPathLength(path), DsvPathData(path)) == 0;
}

QString GetListText(std::int32_t listId, std::int32_t code) {
  TDsvTextBuffer description{};
  std::int32_t ordinal = 0;
  if (DsvQueryEnumEntry(listId, code, description.data(), &ordinal, nullptr) != 0)
    return QString();
  return FromDsvBuffer(description);
}

QString GetABIValue(std::int32_t id, const TPath& path) {
  // The buffer starts empty so that a query that writes nothing answers empty text.
  TDsvTextBuffer buffer{};
  if (DsvQueryABIValue(id, DsvPathLength(path), DsvPathData(path), buffer.data()) != 0)
    return QString();
  return FromDsvBuffer(buffer);
}
