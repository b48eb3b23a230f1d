// Object occurrences: deleting one with everything beneath it, and counting them.

#include "dataserver/dsv.h"
#include "motor/dsvbuffers.h"
#include "motor/getmotordsv.h"
#include "motor/occurrencewalk.h"

namespace {

// Deletes the occurrence and every value beneath it (the Data Server acts on flag 4).
constexpr std::int32_t kDeleteWithDescendants = 7;
// The deepest occurrence path the binding follows.
constexpr std::size_t kMaxHierarchyDepth = 20;

bool StartsWith(const TPath& path, const TPath& prefix) {
  if (path.size() < prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (path[i].ObjectId != prefix[i].ObjectId || path[i].Index != prefix[i].Index)
      return false;
  }
  return true;
}

}  // namespace

bool DeleteObject(const TPath& path) {
  if (DsvDeleteObject(DsvPathLength(path), DsvPathData(path), kDeleteWithDescendants) != 0)
    return false;
  NoteAnswerStored();
  return true;
}

bool GetObjectCount(const TPath& path, std::uint16_t objectId, int& count) {
  count = 0;
  return ForEachInstancePath(objectId, [&](const TPath& occurrence) {
    if (occurrence.size() > kMaxHierarchyDepth) {
      throw EHierarchyError(
          "Hierarchy array to small, please Contact ZX : procedure GetObjectCount in unit "
          "GetMotorDSV");
    }
    if (StartsWith(occurrence, path))
      ++count;
  });
}
