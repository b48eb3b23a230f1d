// Saving the stored values into a named section of a section file, and loading them back.
// Both let a read or write error reach the caller as an exception.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "dataserver/dictionary.h"
#include "dataserver/dsv.h"
#include "dataserver/dsvtext.h"
#include "dataserver/instancemaking.h"
#include "dataserver/sectionfile.h"

namespace {

union TValueBuffer {
  double Number;
  std::int32_t Integer;
  char Text[256];
};

bool IsValueType(std::uint8_t type) {
  return type >= ptNumeric && type <= ptList;
}

// Appends every value of every value property, in dictionary order and list order, and the
// terminator. Object occurrences are not written: loading rebuilds them from the values' paths.
void AppendStoreData(TBinaryWriter& out) {
  TSectionRecord record;  // one record's storage, reused for every value
  for (const TProperty* property : DataDictionary().Properties()) {
    if (!IsValueType(property->Type))
      continue;
    const TInstanceList& instances = property->Instances();
    record.PropertyId = property->Identifier;
    record.Type = property->Type;
    for (int i = 0; i < instances.Count(); ++i) {
      const TInstance* instance = instances.Item(i);
      TValueBuffer value;
      instance->GetValue(&value);
      const TPathView path = instance->Path();
      record.Path.assign(path.begin(), path.end());
      switch (property->Type) {
        case ptNumeric:
          record.Number = value.Number;
          break;
        case ptString:
          record.Text.assign(value.Text, strnlen(value.Text, kDsvMaxText));
          break;
        default:
          record.Integer = value.Integer;
          break;
      }
      WriteSectionRecord(out, record);
    }
  }
  WriteSectionEnd(out);
}

// Appends the data of one existing section, copied record by record up to its terminator.
void AppendCopyOfSection(TBinaryReader& in, std::int32_t position, TBinaryWriter& out) {
  TSectionRecord record;
  in.Seek(position);
  while (ReadSectionRecord(in, record))
    WriteSectionRecord(out, record);
  WriteSectionEnd(out);
}

// A section of the file being saved: an existing one to copy, or the one the store goes into.
struct TSavedSection {
  std::string Name;
  std::int32_t Position = 0;  // in the existing file
  bool FromStore = false;
};

// The bytes a section record of the store takes at most in most proposals; only a first guess
// of the room the new file needs.
constexpr std::size_t kTypicalRecordSize = 32;

void OpenExisting(TBinaryReader& in, const std::string& fileName) {
  if (!in.Open(fileName))
    throw EReadError("Cannot open section file " + fileName);
}

// Sets the values of a run of records of one property, whose values are instances of T, as
// DsvSetValue would, each status ignored. Answers the place after the run.
template <class T>
const std::uint8_t* LoadRun(TProperty& property, const std::uint8_t* at, std::size_t count,
                            TInstancePath& path) {
  TInstanceList& instances = property.Instances();
  TSectionRecordView record;
  for (; count > 0; --count) {
    at = DecodeSectionRecord(at, record);
    // A record whose type differs from its property's would be read through the wrong buffer
    // layout; it is skipped like a record of an unknown property.
    if (record.Type != property.Type)
      continue;
    try {
      // path only grows, to the longest path of the section: no resizing for every record.
      if (path.size() < static_cast<std::size_t>(record.PathLength))
        path.resize(static_cast<std::size_t>(record.PathLength));
      record.DecodePath(path.data());
      T* instance = instances.GetValueInstance<T>(record.PathLength, path.data());
      if (instance == nullptr)
        continue;
      if constexpr (std::is_same_v<T, TNumericInstance>)
        instance->SetValue(&record.Number);
      else if constexpr (std::is_same_v<T, TStringInstance>)
        instance->SetText(record.Text);
      else
        instance->SetValue(&record.Integer);
    } catch (...) {
      // As DsvSetValue: a value that cannot be stored is left out.
    }
  }
  return at;
}

// Passes over a run of records whose property is unknown or holds no value.
const std::uint8_t* SkipRun(const std::uint8_t* at, std::size_t count) {
  TSectionRecordView record;
  for (; count > 0; --count)
    at = DecodeSectionRecord(at, record);
  return at;
}

}  // namespace

DsvStatus DsvSaveSection(const char* fileName, const char* sectionName) {
  const std::string file = fileName != nullptr ? fileName : "";
  const std::string name = DsvTextOf(sectionName);

  // The whole new file is built in memory first, and only then replaces the old one: a failure
  // part-way leaves the file as it was.
  TBinaryReader in;
  std::vector<TSavedSection> sections;
  bool saved = false;
  if (FileExists(file)) {
    OpenExisting(in, file);
    for (const TSectionDirectoryEntry& entry : ReadSectionDirectory(in)) {
      if (!SectionNamesEqual(entry.Name, name)) {
        sections.push_back({entry.Name, entry.Position, false});
      } else if (!saved) {
        saved = true;  // replaced in its place, under the name the file gives it
        sections.push_back({entry.Name, 0, true});
      }
    }
  }
  if (!saved)
    sections.push_back({name, 0, true});

  // One buffer for the whole file: the directory with room for the positions, then each
  // section's data in directory order, its position filled in as it starts.
  std::size_t values = 0;
  for (const TProperty* property : DataDictionary().Properties())
    values += static_cast<std::size_t>(property->Instances().Count());
  TBinaryWriter out;
  out.Bytes().reserve(static_cast<std::size_t>(in.Size()) + values * kTypicalRecordSize);
  out.WriteInt32(static_cast<std::int32_t>(sections.size()));
  std::vector<std::size_t> positionAt;
  for (const TSavedSection& section : sections) {
    out.WriteShortString(section.Name);
    positionAt.push_back(out.Size());
    out.WriteInt32(0);
  }
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (out.Size() > INT32_MAX)
      throw EWriteError("Section file too large");
    out.PatchInt32(positionAt[i], static_cast<std::int32_t>(out.Size()));
    if (sections[i].FromStore)
      AppendStoreData(out);
    else
      AppendCopyOfSection(in, sections[i].Position, out);
  }
  WriteFileAtomically(file, out.Bytes());
  return dsv_status::kOk;
}

DsvStatus DsvLoadSection(const char* fileName, const char* sectionName) {
  const std::string file = fileName != nullptr ? fileName : "";
  const std::string name = DsvTextOf(sectionName);
  if (!FileExists(file))
    return dsv_status::kInternalError;

  TBinaryReader in;
  OpenExisting(in, file);
  const std::vector<TSectionDirectoryEntry> directory = ReadSectionDirectory(in);
  const TSectionDirectoryEntry* found = nullptr;
  for (const TSectionDirectoryEntry& entry : directory) {
    if (SectionNamesEqual(entry.Name, name)) {
      found = &entry;
      break;
    }
  }
  if (found == nullptr) {
    DsvClearAll();
    return dsv_status::kInternalError;
  }
  // Read through completely before anything is cleared: a damaged section raises and leaves
  // the stored proposal as it was instead of half-loaded. That reading also counts each
  // property's values (the file holds them property by property), so that every list takes its
  // room at once. The values are then set from the same bytes in memory, known to be whole.
  const std::vector<TSectionRun> runs = CheckSectionRecords(in, found->Position);
  DsvClearAll();
  for (const TSectionRun& run : runs)
    if (TProperty* property = DataDictionary().Find(run.PropertyId))
      property->Instances().Reserve(static_cast<std::size_t>(property->Instances().Count()) +
                                    run.Count);
  const std::int64_t end = in.Position();
  in.Seek(found->Position);
  const std::uint8_t* at = in.ReadInPlace(static_cast<std::size_t>(end - found->Position));
  TInstancePath path;
  // Run by run, so that the class of the values is chosen once for each property.
  for (const TSectionRun& run : runs) {
    TProperty* property = DataDictionary().Find(run.PropertyId);
    switch (property != nullptr ? property->Type : std::uint8_t{ptObject}) {
      case ptNumeric:
        at = LoadRun<TNumericInstance>(*property, at, run.Count, path);
        break;
      case ptString:
        at = LoadRun<TStringInstance>(*property, at, run.Count, path);
        break;
      case ptDate:
        at = LoadRun<TDateInstance>(*property, at, run.Count, path);
        break;
      case ptList:
        at = LoadRun<TListInstance>(*property, at, run.Count, path);
        break;
      default:
        at = SkipRun(at, run.Count);
        break;
    }
  }
  return dsv_status::kOk;
}
