#include "fuzz/dictionarywalk.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dataserver/binarystream.h"
#include "dataserver/dictionary.h"
#include "dataserver/dsv.h"
#include "fuzz/fuzzsupport.h"

namespace {

// Bounds that keep one input's walk short; a damaged file may claim far more.
constexpr std::size_t kMaxProperties = 512;
constexpr std::size_t kMaxLists = 64;
constexpr int kMaxEntries = 20000;
constexpr std::size_t kCodesKept = 4;
constexpr std::size_t kFilteredLists = 8;
constexpr std::size_t kControllingLists = 4;
constexpr std::int16_t kFilterByChoice = 1;

union TValue {
  double Number;
  std::int32_t Integer;
  char Text[256];
};

struct TListSeen {
  std::int32_t Id = 0;
  std::vector<std::int32_t> Codes;
};

// The path of the first occurrence of every object above the property.
std::vector<TPathEntry> PathOf(const TProperty& property) {
  std::vector<TPathEntry> path;
  for (const TProperty* p = property.Parent; p != nullptr; p = p->Parent)
    path.push_back({static_cast<std::uint16_t>(p->Identifier & 0xFFFF), 0, 0});
  std::reverse(path.begin(), path.end());
  return path;
}

void StoreAndReadValues(const std::vector<const TProperty*>& properties) {
  for (const TProperty* property : properties) {
    const std::int32_t id = property->Identifier;
    TValue value{};
    DsvQueryValue(id, 0, nullptr, &value);
    DsvQueryValueExists(id, 0, nullptr);
    std::uint16_t limit = 0, count = 0;
    DsvQueryInstanceCount(id, &limit, &count);
    if (property->Type == ptObject)
      continue;
    const std::vector<TPathEntry> path = PathOf(*property);
    if (path.size() > 0x7FFF)
      continue;
    const auto length = static_cast<std::int16_t>(path.size());
    TValue stored{};
    std::strcpy(stored.Text, "1");
    stored.Integer = 1;
    DsvSetValue(id, length, path.data(), &stored);
    DsvQueryValue(id, length, path.data(), &value);
  }
}

void SaveAndLoad() {
  const std::string file = fuzz::ScratchFolder() + "/Walk.PCD";
  std::remove(file.c_str());
  try {
    DsvSaveSection(file.c_str(), "Tolvane");
    DsvLoadSection(file.c_str(), "Tolvane");
  } catch (const EReadError&) {
  } catch (const EWriteError&) {
  }
  DsvClearAll();
}

// Ends the cursor however the walk over it ends: a damaged lists file raises from the cursor
// operations, as the Data Server documents.
class TCursor {
 public:
  explicit TCursor(std::int32_t id) : open_(DsvBeginEnumList(id, &handle_) == 0) {}
  ~TCursor() {
    if (open_)
      DsvEndEnumList(handle_);
  }
  TCursor(const TCursor&) = delete;
  TCursor& operator=(const TCursor&) = delete;
  bool Open() const { return open_; }
  DsvHandle Handle() const { return handle_; }

 private:
  DsvHandle handle_ = 0;
  bool open_;
};

// Fills the list as a choice list is filled; keeps its first codes.
TListSeen FillList(std::int32_t id) {
  TListSeen seen{id, {}};
  try {
    TCursor cursor(id);
    if (!cursor.Open())
      return seen;
    const DsvHandle handle = cursor.Handle();
    std::int32_t count = 0;
    DsvQueryEnumListCount(handle, &count);
    char description[256], abi[256];
    std::int32_t code = 0, ordinal = 0;
    for (int i = 0;
         i < kMaxEntries && DsvGetEnumListNext(handle, &code, &ordinal, description, abi) == 0;
         ++i) {
      if (seen.Codes.size() < kCodesKept)
        seen.Codes.push_back(code);
    }
  } catch (const EReadError&) {
  }
  return seen;
}

void LookUpCodes(const TListSeen& list) {
  char description[256], abi[256];
  std::int32_t ordinal = 0;
  for (std::int32_t code : list.Codes) {
    DsvQueryEnumEntry(list.Id, code, description, &ordinal, abi);
    // The code after it, wrapping at the largest int32 as the file's codes may.
    const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(code) + 1u);
    DsvQueryEnumEntry(list.Id, next, nullptr, &ordinal, nullptr);
  }
  DsvQueryEnumEntry(list.Id, INT32_MIN, description, &ordinal, abi);
}

void FilterList(std::int32_t id, std::int16_t kind, const TListSeen& controlling,
                std::int32_t code) {
  try {
    TCursor cursor(id);
    const DsvHandle handle = cursor.Handle();
    if (cursor.Open() && DsvFilterEnumList(handle, kind, controlling.Id, code) == 0) {
      char description[256], abi[256];
      std::int32_t entry = 0, ordinal = 0;
      for (int i = 0;
           i < kMaxEntries && DsvGetEnumListNext(handle, &entry, &ordinal, description, abi) == 0;
           ++i) {
      }
    }
  } catch (const EReadError&) {
  }
}

}  // namespace

DsvStatus OpenAndWalkDictionary(const std::string& listsFile, const std::string& structFile,
                                std::int16_t applicationNumber, std::int16_t version) {
  const DsvStatus status =
      DsvOpen(applicationNumber, version, listsFile.c_str(), structFile.c_str(), "");
  if (status != 0)
    return status;

  std::vector<const TProperty*> properties;
  std::vector<std::int32_t> lists;
  for (const TProperty* property : DataDictionary().Properties()) {
    if (properties.size() < kMaxProperties)
      properties.push_back(property);
    if (property->Type == ptList && lists.size() < kMaxLists)
      lists.push_back(property->Identifier);
  }
  StoreAndReadValues(properties);
  SaveAndLoad();

  std::vector<TListSeen> seen;
  for (std::int32_t id : lists) {
    seen.push_back(FillList(id));
    LookUpCodes(seen.back());
  }
  for (std::size_t p = 0; p < seen.size() && p < kFilteredLists; ++p) {
    for (std::size_t q = 0; q < seen.size() && q < kControllingLists; ++q) {
      for (std::int32_t code : seen[q].Codes)
        FilterList(seen[p].Id, kFilterByChoice, seen[q], code);
    }
  }
  if (!seen.empty())
    FilterList(seen[0].Id, 3, seen[0], seen[0].Codes.empty() ? 0 : seen[0].Codes[0]);

  DsvClose();
  return status;
}
