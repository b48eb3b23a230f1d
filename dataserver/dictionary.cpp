#include "dataserver/dictionary.h"

#include "dataserver/status.h"

TDictionary::TDictionary() = default;

TDictionary::~TDictionary() {
  Close();
}

DsvStatus TDictionary::Open(std::int32_t expectedVersion, const std::string& listsFile,
                            const std::string& structFile) {
  Close();
  if (!FileExists(listsFile) || !FileExists(structFile))
    return dsv_status::kFileMissing;
  try {
    TBinaryReader structure;
    if (!lists_.Open(listsFile) || !structure.Open(structFile)) {
      Close();
      return dsv_status::kOpenError;
    }
    const std::int32_t listsVersion = lists_.ReadInt32();
    const std::int32_t structVersion = structure.ReadInt32();
    if (listsVersion != expectedVersion || structVersion != expectedVersion) {
      Close();
      return dsv_status::kWrongVersion;
    }
    LoadStructure(structure);
    // The structure is fully in memory now; only the lists are read later, on demand.
  } catch (...) {
    Close();
    return dsv_status::kOpenError;
  }
  open_ = true;
  referenceDate_ = TodayPacked();
  return dsv_status::kOk;
}

void TDictionary::Close() {
  sorted_.clear();
  owned_.clear();  // each property destroys its instance list and instances
  lists_.Close();
  version_ = 0;
  open_ = false;
}

TProperty* TDictionary::Find(std::int32_t identifier) const {
  int low = 0;
  int high = static_cast<int>(sorted_.size()) - 1;
  while (low <= high) {
    const int mid = (low + high) / 2;
    TProperty* candidate = sorted_[static_cast<std::size_t>(mid)];
    if (candidate->Identifier == identifier)
      return candidate;
    if (identifier < candidate->Identifier)
      high = mid - 1;
    else
      low = mid + 1;
  }
  return nullptr;
}

int TDictionary::IndexOf(const TProperty* property) const {
  if (property == nullptr)
    return -1;
  int low = 0;
  int high = static_cast<int>(sorted_.size()) - 1;
  while (low <= high) {
    const int mid = (low + high) / 2;
    const TProperty* candidate = sorted_[static_cast<std::size_t>(mid)];
    if (candidate->Identifier == property->Identifier)
      return candidate == property ? mid : -1;
    if (property->Identifier < candidate->Identifier)
      high = mid - 1;
    else
      low = mid + 1;
  }
  return -1;
}

void TDictionary::ClearAll() {
  // Every list empties, so no occurrence needs releasing on the way.
  for (TProperty* property : sorted_)
    property->Instances().DiscardAll();
  referenceDate_ = TodayPacked();
}

void TDictionary::DeleteByPath(int pathLength, const TPathEntry* path, std::int32_t flags) {
  const bool withEverythingBeneath = (flags & 4) != 0;
  for (TProperty* property : sorted_)
    property->Instances().DestroyMatching(pathLength, path, withEverythingBeneath);
}

TDictionary& DataDictionary() {
  static TDictionary dictionary;
  return dictionary;
}
