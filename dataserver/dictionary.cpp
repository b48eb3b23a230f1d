#include "dataserver/dictionary.h"

#include <algorithm>

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

// ------------------------------------------------------------------------------------------------
// Reading the property tree from Struct.BIN.

namespace {

// The smallest record: identifier, type, has-default, empty default text, list offset.
constexpr std::int64_t kMinRecordSize = 4 + 1 + 1 + 1 + 4;

// Reads one record into a placeholder; answers the child count (0 unless an object).
std::int32_t ReadRecord(TBinaryReader& structure, TProperty& property) {
  property.Identifier = structure.ReadInt32();
  const std::uint8_t type = structure.ReadUInt8();
  if (type > ptList)
    throw EReadError("Struct.BIN: unknown property type");
  property.Type = type;
  property.HasDefault = structure.ReadUInt8() != 0;
  property.DefaultText = structure.ReadShortString();
  const std::int32_t listOffset = structure.ReadInt32();
  property.ListOffset = (type == ptList && listOffset > 0) ? listOffset : 0;
  return type == ptObject ? structure.ReadInt32() : 0;
}

}  // namespace

void TDictionary::LoadStructure(TBinaryReader& structure) {
  structure.Seek(0);
  version_ = structure.ReadInt32();
  const std::int32_t topLevelCount = structure.ReadInt32();

  // Every placeholder still waiting for its record needs at least kMinRecordSize bytes, so a
  // count the file cannot hold is refused before anything is allocated for it.
  std::int64_t pending = std::max<std::int32_t>(topLevelCount, 0);
  auto checkRoom = [&structure](std::int64_t records) {
    if (records * kMinRecordSize > structure.Remaining())
      throw EReadError("Struct.BIN: more properties than the file can hold");
  };
  checkRoom(pending);

  auto newProperty = [this]() {
    owned_.push_back(std::make_unique<TProperty>(this, 0));
    return owned_.back().get();
  };

  // Records are in pre-order: the stack holds the placeholders still to be read, the next
  // one on top. This reads them in the same order as walking a growing work list.
  std::vector<TProperty*> toRead;
  TProperty* previous = nullptr;
  for (std::int64_t i = 0; i < pending; ++i) {
    TProperty* placeholder = newProperty();
    if (previous != nullptr)
      previous->NextSibling = placeholder;
    previous = placeholder;
    toRead.push_back(placeholder);
  }
  std::reverse(toRead.begin(), toRead.end());

  while (!toRead.empty()) {
    TProperty* property = toRead.back();
    toRead.pop_back();
    --pending;
    const std::int32_t childCount = ReadRecord(structure, *property);
    if (childCount <= 0)
      continue;
    checkRoom(pending + childCount);
    pending += childCount;
    const std::size_t base = toRead.size();
    toRead.resize(base + static_cast<std::size_t>(childCount));
    for (std::int32_t c = 0; c < childCount; ++c) {
      TProperty* child = newProperty();
      property->AppendChild(child);
      toRead[base + static_cast<std::size_t>(childCount - 1 - c)] = child;
    }
  }

  sorted_.clear();
  sorted_.reserve(owned_.size());
  for (const auto& property : owned_)
    sorted_.push_back(property.get());
  std::sort(sorted_.begin(), sorted_.end(),
            [](const TProperty* a, const TProperty* b) { return a->Identifier < b->Identifier; });
  // A second property with the same identifier could never be found; the file is damaged.
  for (std::size_t i = 1; i < sorted_.size(); ++i)
    if (sorted_[i - 1]->Identifier == sorted_[i]->Identifier)
      throw EReadError("Struct.BIN: duplicate property identifier");
  IndexIdentifiers();
}
