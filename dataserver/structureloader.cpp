// Reading the property tree from Struct.BIN.

#include <algorithm>

#include "dataserver/dictionary.h"

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
