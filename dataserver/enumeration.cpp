// Cursors over the lists of Lists.BIN, decoded from the file's bytes held in memory. Every read
// seeks to its own position first, so cursors sharing the file may be interleaved.

#include "dataserver/dictionary.h"

namespace {

// The smallest entry: left, right, ordinal, two empty texts, code.
constexpr std::int64_t kMinEntrySize = 4 + 4 + 4 + 1 + 1 + 4;
// A dependency table row: list identifier, entries covered, index position.
constexpr std::int64_t kTableRowSize = 12;

}  // namespace

TEnumeration::TEnumeration(TDictionary& dictionary, std::int32_t listPropertyId)
    : dictionary_(dictionary) {
  const TProperty* property = dictionary.Find(listPropertyId);
  if (property == nullptr || property->Type != ptList) {
    currentOrdinal_ = -1;
    state_ = esNotAList;
    return;
  }
  state_ = esOpen;
  // A list property without a list in the file (offset 0) has no choices; reading at offset
  // 0 would take the file header for a list.
  if (property->ListOffset <= 0)
    return;
  TBinaryReader& lists = dictionary.Lists();
  lists.Seek(property->ListOffset);
  entryCount_ = lists.ReadInt32();
  rootPosition_ = lists.ReadInt32();
  firstEntryPosition_ = nextEntryPosition_ = lists.Position();
  if (entryCount_ < 0 || entryCount_ > lists.Remaining() / kMinEntrySize)
    throw EReadError("Lists.BIN: entry count beyond the end of the file");
}

namespace {

void CopyEntry(const TEnumEntryView& from, TEnumEntry& to) {
  to.Code = from.Code;
  to.Ordinal = from.Ordinal;
  to.Description.assign(from.Description);
  to.AbiCode.assign(from.AbiCode);
}

}  // namespace

void TEnumeration::ReadEntryAt(std::int64_t position, TEnumEntryView& entry) {
  TBinaryReader& lists = dictionary_.Lists();
  lists.Seek(position);
  currentLeft_ = lists.ReadInt32();
  currentRight_ = lists.ReadInt32();
  currentOrdinal_ = lists.ReadInt32();
  entry.Description = lists.ReadShortStringView();
  entry.AbiCode = lists.ReadShortStringView();
  currentCode_ = lists.ReadInt32();
  entry.Code = currentCode_;
  entry.Ordinal = currentOrdinal_;
  nextEntryPosition_ = lists.Position();
}

bool TEnumeration::Next(TEnumEntry& entry) {
  TEnumEntryView view;
  if (!Next(view))
    return false;
  CopyEntry(view, entry);
  return true;
}

bool TEnumeration::FindByCode(std::int32_t code, TEnumEntry& entry) {
  TEnumEntryView view;
  if (!FindByCode(code, view))
    return false;
  CopyEntry(view, entry);
  return true;
}

bool TEnumeration::Next(TEnumEntryView& entry) {
  if (state_ == esNotAList || state_ == esExhausted)
    return false;
  if (filtered_) {
    // The filter's entries come in block order, which need not end with the list's last
    // entry, so only the filter's own length ends the walk.
    if (filterPosition_ >= filter_.size())
      return false;
    ReadEntryAt(filter_[filterPosition_++], entry);
    if (filterPosition_ >= filter_.size())
      state_ = esExhausted;
    return true;
  }
  if (currentOrdinal_ >= entryCount_ || entriesRead_ >= entryCount_) {
    state_ = esExhausted;
    return false;
  }
  ReadEntryAt(nextEntryPosition_, entry);
  ++entriesRead_;
  if (currentOrdinal_ == entryCount_)
    state_ = esExhausted;
  return true;
}

bool TEnumeration::FindByCode(std::int32_t code, TEnumEntryView& entry) {
  if (state_ == esNotAList)
    return false;
  TBinaryReader& lists = dictionary_.Lists();
  // A sound search tree visits each entry at most once; more steps mean the tree loops.
  std::int64_t steps = 0;
  std::int64_t position = rootPosition_;
  while (position > 0) {
    if (++steps > entryCount_)
      throw EReadError("Lists.BIN: search tree loops");
    // The cursor stands on each entry passed on the way; their texts are only checked, not
    // copied.
    lists.Seek(position);
    currentLeft_ = lists.ReadInt32();
    currentRight_ = lists.ReadInt32();
    currentOrdinal_ = lists.ReadInt32();
    lists.SkipShortString();
    lists.SkipShortString();
    currentCode_ = lists.ReadInt32();
    nextEntryPosition_ = lists.Position();
    if (code == currentCode_) {
      ReadEntryAt(position, entry);
      return true;
    }
    position = code < currentCode_ ? currentLeft_ : currentRight_;
  }
  return false;
}

bool TEnumeration::Filter(std::int16_t kind, std::int32_t controllingListId,
                          std::int32_t controllingCode) {
  filterPosition_ = 0;
  if (kind != 1 && kind != 2)
    return false;
  TBinaryReader& lists = dictionary_.Lists();
  lists.Seek(4);
  const std::int32_t tablePosition = lists.ReadInt32();
  if (tablePosition <= 0)
    return false;

  lists.Seek(tablePosition);
  const std::int32_t rows = lists.ReadInt32();
  if (rows < 0 || rows > lists.Remaining() / kTableRowSize)
    throw EReadError("Lists.BIN: dependency table larger than the file");
  bool found = false;
  std::int32_t covered = 0;
  std::int32_t indexPosition = 0;
  for (std::int32_t r = 0; r < rows && !found; ++r) {
    const std::int32_t listId = lists.ReadInt32();
    covered = lists.ReadInt32();
    indexPosition = lists.ReadInt32();
    found = listId == controllingListId;
  }
  if (!found)
    return false;

  TEnumeration controlling(dictionary_, controllingListId);
  TEnumEntryView choice;
  if (!controlling.FindByCode(controllingCode, choice))
    return false;
  const std::int64_t e = static_cast<std::int64_t>(choice.Ordinal) - 1;
  if (e < 0 || e >= covered)
    return false;

  lists.Seek(static_cast<std::int64_t>(indexPosition) + 8 * e);
  const std::int32_t blockPosition = lists.ReadInt32();
  const std::int32_t blockCount = lists.ReadInt32();
  if (blockCount > 0) {
    lists.Seek(blockPosition);
    if (blockCount > lists.Remaining() / 4)
      throw EReadError("Lists.BIN: dependency block beyond the end of the file");
    // Read whole before anything is added, so a block cut short leaves the cursor unchanged.
    std::vector<std::int32_t> block(static_cast<std::size_t>(blockCount));
    for (std::int32_t& position : block)
      position = lists.ReadInt32();
    filter_.insert(filter_.end(), block.begin(), block.end());
  }
  filtered_ = true;
  return true;
}
