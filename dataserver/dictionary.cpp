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
  byIdentifier_.clear();
  owned_.clear();  // each property destroys its instance list and instances
  lists_.Close();
  version_ = 0;
  open_ = false;
}

TProperty* TDictionary::Find(std::int32_t identifier) const {
  // Looked up through a table of the identifiers, which finds the same property as a binary
  // search over the sorted list (identifiers are unique) without touching any other property.
  if (byIdentifier_.empty())
    return nullptr;
  const std::size_t mask = byIdentifier_.size() - 1;
  for (std::size_t i = IdentifierSlot(identifier, mask);; i = (i + 1) & mask) {
    const TIdentifierSlot& slot = byIdentifier_[i];
    if (slot.Property == nullptr || slot.Identifier == identifier)
      return slot.Property;
  }
}

void TDictionary::IndexIdentifiers() {
  std::size_t size = 8;
  while (size < sorted_.size() * 2)
    size *= 2;
  byIdentifier_.assign(size, TIdentifierSlot{});
  for (TProperty* property : sorted_) {
    std::size_t i = IdentifierSlot(property->Identifier, size - 1);
    while (byIdentifier_[i].Property != nullptr)
      i = (i + 1) & (size - 1);
    byIdentifier_[i] = TIdentifierSlot{property->Identifier, property};
  }
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
