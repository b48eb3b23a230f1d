#pragma once
// The dictionary: the property tree read from Struct.BIN, the enumerations decoded on demand from
// the bytes of Lists.BIN (read whole when the dictionary opens), and the store-wide operations
// over every property's instances.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dataserver/binarystream.h"
#include "dataserver/packeddate.h"
#include "dataserver/pathindex.h"
#include "dataserver/property.h"

class TDictionary {
 public:
  TDictionary();
  ~TDictionary();
  TDictionary(const TDictionary&) = delete;
  TDictionary& operator=(const TDictionary&) = delete;

  // Opens both files and loads the property tree. Answers 0, 1003 (a file missing),
  // 1008 (wrong version) or 1004 (read error, damaged file: counts the file cannot hold,
  // unknown property types, duplicate identifiers); on failure nothing stays open.
  // An open dictionary is closed first.
  DsvStatus Open(std::int32_t expectedVersion, const std::string& listsFile,
                 const std::string& structFile);
  // Destroys every property (with its instances) and closes both files. The call interface
  // destroys its enumeration cursors before and its instance-array cursors with it: a
  // TInstArray points at a property, and a TEnumeration left open only raises EReadError.
  void Close();
  bool IsOpen() const { return open_; }

  // Binary search by identifier; nullptr when absent.
  TProperty* Find(std::int32_t identifier) const;
  int IndexOf(const TProperty* property) const;
  // Every property, sorted by identifier (dictionary order).
  const std::vector<TProperty*>& Properties() const { return sorted_; }
  std::int32_t Version() const { return version_; }

  // The bytes of Lists.BIN, shared by every cursor; each read seeks to its own position first.
  TBinaryReader& Lists() { return lists_; }

  // Clears every property's instances in dictionary order and resets the reference date to today.
  void ClearAll();
  // Destroys every instance that matches the path (flag 4: also every instance beneath it).
  void DeleteByPath(int pathLength, const TPathEntry* path, std::int32_t flags);

  // The date the transfer's age formats count from. Today after opening and after ClearAll.
  PackedDate ReferenceDate() const { return referenceDate_; }
  void SetReferenceDate(PackedDate date) { referenceDate_ = date; }

 private:
  // Reads the property tree in pre-order; raises EReadError on a damaged file.
  void LoadStructure(TBinaryReader& structure);

  bool open_ = false;
  std::int32_t version_ = 0;
  std::vector<std::unique_ptr<TProperty>> owned_;
  std::vector<TProperty*> sorted_;
  // Every property by its identifier: open addressing, at most half full.
  struct TIdentifierSlot {
    std::int32_t Identifier = 0;
    TProperty* Property = nullptr;  // nullptr: the slot is free
  };
  std::size_t IdentifierSlot(std::int32_t identifier, std::size_t mask) const {
    const std::uint64_t h =
        (static_cast<std::uint32_t>(identifier) ^ seed_) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> 32) & mask;
  }
  void IndexIdentifiers();
  std::vector<TIdentifierSlot> byIdentifier_;
  std::uint64_t seed_ = HashSeed();
  TBinaryReader lists_;
  PackedDate referenceDate_ = 0;
};

// The Data Server's single dictionary, used by the call interface.
TDictionary& DataDictionary();

// One choice of a list.
struct TEnumEntry {
  std::int32_t Code = 0;
  std::int32_t Ordinal = 0;
  std::string Description;
  std::string AbiCode;
};

// The same choice as it stands in the bytes of Lists.BIN: its texts are views of them, valid
// while the dictionary stays open. Walking a list this way copies nothing on the way.
struct TEnumEntryView {
  std::int32_t Code = 0;
  std::int32_t Ordinal = 0;
  std::string_view Description;
  std::string_view AbiCode;
};

// A cursor over one list, decoding entries from the shared Lists.BIN bytes on demand.
// Read errors on a damaged file raise EReadError.
class TEnumeration {
 public:
  enum State : std::int32_t { esOpen = 0, esNotAList = -1, esExhausted = 2 };

  TEnumeration(TDictionary& dictionary, std::int32_t listPropertyId);
  State GetState() const { return state_; }
  std::int32_t EntryCount() const { return entryCount_; }  // unaffected by a filter

  // The next entry in display order (or filter order); false at the end. Without a filter at
  // most EntryCount() entries are read. A list property without a list (offset 0) is empty.
  bool Next(TEnumEntry& entry);
  bool Next(TEnumEntryView& entry);
  // Follows the stored search tree; false when the code is absent. A tree that loops raises
  // EReadError after EntryCount() steps.
  bool FindByCode(std::int32_t code, TEnumEntry& entry);
  bool FindByCode(std::int32_t code, TEnumEntryView& entry);
  // Restricts the cursor to the dependent entries of the controlling choice; false on any
  // failure (kind not 1 or 2, no table row, code absent, ordinal beyond the row).
  bool Filter(std::int16_t kind, std::int32_t controllingListId, std::int32_t controllingCode);

 private:
  // Reads the entry at a position into the cursor's current fields and into entry.
  void ReadEntryAt(std::int64_t position, TEnumEntryView& entry);

  TDictionary& dictionary_;
  std::int32_t currentOrdinal_ = 0;
  std::vector<std::int32_t> filter_;
  std::size_t filterPosition_ = 0;
  // Set by the first successful Filter: from then on only the filter's entries are yielded,
  // even when its block was empty.
  bool filtered_ = false;
  std::int32_t currentLeft_ = 0;
  std::int32_t currentRight_ = 0;
  State state_ = esNotAList;
  std::int32_t currentCode_ = 0;
  std::int32_t entryCount_ = 0;
  std::int32_t rootPosition_ = 0;
  std::int64_t firstEntryPosition_ = 0;
  std::int64_t nextEntryPosition_ = 0;
  // Entries read in display order; a damaged list whose ordinals never reach the count still
  // ends after that many entries.
  std::int32_t entriesRead_ = 0;
};

// A cursor over the instances of one property, in list order.
class TInstArray {
 public:
  explicit TInstArray(TProperty* property) : fProperty(property) {}
  TProperty* fProperty;
  std::int32_t Position = 0;

  // The instance at the current position; nullptr when the position is beyond the list.
  TInstance* Current() const {
    const TInstanceList& list = fProperty->Instances();
    return Position >= 0 && Position < list.Count() ? list.Item(Position) : nullptr;
  }
  // Moves to the next instance; false (and no move) when standing on the last one.
  bool Next() {
    if (Position + 1 >= fProperty->Instances().Count())
      return false;
    ++Position;
    return true;
  }
};
