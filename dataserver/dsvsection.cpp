// Saving the stored values into a named section of a section file, and loading them back.
// Both let a read or write error reach the caller as an exception.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "dataserver/dictionary.h"
#include "dataserver/dsv.h"
#include "dataserver/dsvtext.h"
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

// Every value of every value property, in dictionary order and list order, with the terminator.
// Object occurrences are not written: loading rebuilds them from the values' paths.
std::vector<std::uint8_t> SectionDataOfStore() {
  TBinaryWriter out;
  for (const TProperty* property : DataDictionary().Properties()) {
    if (!IsValueType(property->Type))
      continue;
    const TInstanceList& instances = property->Instances();
    for (int i = 0; i < instances.Count(); ++i) {
      const TInstance* instance = instances.Item(i);
      TValueBuffer value{};
      instance->GetValue(&value);
      TSectionRecord record;
      record.PropertyId = property->Identifier;
      record.Path = instance->Path();
      record.Type = property->Type;
      record.Number = value.Number;
      record.Text.assign(value.Text, strnlen(value.Text, kDsvMaxText));
      record.Integer = value.Integer;
      WriteSectionRecord(out, record);
    }
  }
  WriteSectionEnd(out);
  return out.Bytes();
}

// The data of one existing section, copied record by record up to its terminator.
std::vector<std::uint8_t> CopyOfSection(TBinaryReader& in, std::int32_t position) {
  TBinaryWriter out;
  for (const TSectionRecord& record : ReadSectionRecords(in, position))
    WriteSectionRecord(out, record);
  WriteSectionEnd(out);
  return out.Bytes();
}

void OpenExisting(TBinaryReader& in, const std::string& fileName) {
  if (!in.Open(fileName))
    throw EReadError("Cannot open section file " + fileName);
}

// Sets a record's value as DsvSetValue would, its status ignored.
void SetRecordValue(const TSectionRecord& record) {
  // A record whose type differs from its property's would be read through the wrong buffer
  // layout; it is skipped like a record of an unknown property.
  TProperty* property = DataDictionary().Find(record.PropertyId);
  if (property == nullptr || property->Type != record.Type)
    return;
  try {
    TInstance* instance =
        property->Instances().GetInstance(static_cast<int>(record.Path.size()), record.Path.data());
    if (instance == nullptr)
      return;
    switch (record.Type) {
      case ptNumeric:
        instance->SetValue(&record.Number);
        break;
      case ptString: {
        char text[kDsvMaxText + 1];
        const std::size_t length = std::min(record.Text.size(), kDsvMaxText);
        std::memcpy(text, record.Text.data(), length);
        text[length] = '\0';
        instance->SetValue(text);
        break;
      }
      default:
        instance->SetValue(&record.Integer);
        break;
    }
  } catch (...) {
    // As DsvSetValue: a value that cannot be stored is left out.
  }
}

}  // namespace

DsvStatus DsvSaveSection(const char* fileName, const char* sectionName) {
  const std::string file = fileName != nullptr ? fileName : "";
  const std::string name = DsvTextOf(sectionName);

  // The whole new file is built in memory first, and only then replaces the old one: a failure
  // part-way leaves the file as it was.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> sections;
  std::size_t saved = SIZE_MAX;
  if (FileExists(file)) {
    TBinaryReader in;
    OpenExisting(in, file);
    for (const TSectionDirectoryEntry& entry : ReadSectionDirectory(in)) {
      if (!SectionNamesEqual(entry.Name, name)) {
        sections.emplace_back(entry.Name, CopyOfSection(in, entry.Position));
      } else if (saved == SIZE_MAX) {
        saved = sections.size();  // replaced in its place, under the name the file gives it
        sections.emplace_back(entry.Name, std::vector<std::uint8_t>());
      }
    }
  }
  if (saved == SIZE_MAX) {
    saved = sections.size();
    sections.emplace_back(name, std::vector<std::uint8_t>());
  }
  sections[saved].second = SectionDataOfStore();
  WriteFileAtomically(file, BuildSectionFile(sections));
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
  // the stored proposal as it was instead of half-loaded. The second reading of the same bytes
  // in memory then sets the values.
  TSectionRecord record;
  in.Seek(found->Position);
  while (ReadSectionRecord(in, record)) {
  }
  DsvClearAll();
  in.Seek(found->Position);
  while (ReadSectionRecord(in, record))
    SetRecordValue(record);
  return dsv_status::kOk;
}
