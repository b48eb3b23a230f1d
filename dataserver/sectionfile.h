#pragma once
// The section file: a directory of named sections, each a list of stored values.
//
//   int32 S; S x (name as length byte + characters, int32 position of the section's data);
//   then the sections' data. Section data: records (int32 property identifier above 0,
//   int32 path length k, k x 6-byte path entries, uint8 type 1-4, the value: double, text as
//   length byte + characters, packed date int32 or list code int32), ended by an int32 0.
//
// Every read is checked: a damaged file raises EReadError and is never half-read.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dataserver/binarystream.h"
#include "dataserver/instance.h"

// The bytes of one path entry in the file.
inline constexpr std::int32_t kSectionPathEntrySize = 6;

struct TSectionRecord {
  std::int32_t PropertyId = 0;
  TInstancePath Path;
  std::uint8_t Type = 0;  // 1 numeric, 2 string, 3 date, 4 list
  double Number = 0;
  std::string Text;          // at most 255 characters
  std::int32_t Integer = 0;  // packed date or list code
};

// The same record as it stands in the file's bytes: path and text are read in place, so
// walking a section copies nothing. Valid while the file stays open.
struct TSectionRecordView {
  std::int32_t PropertyId = 0;
  std::int32_t PathLength = 0;
  const std::uint8_t* PathBytes = nullptr;  // PathLength 6-byte entries as the file holds them
  std::uint8_t Type = 0;
  double Number = 0;
  std::string_view Text;
  std::int32_t Integer = 0;

  // The path's entries, into path (whose storage is reused).
  void DecodePath(TInstancePath& path) const;
  // The same into the caller's room for PathLength entries.
  void DecodePath(TPathEntry* entries) const;
};

struct TSectionDirectoryEntry {
  std::string Name;
  std::int32_t Position = 0;
};

// Bounds far beyond any real file, so that a damaged or hostile one is refused before it is
// read rather than filling the memory: the size of a whole file, the sections in its directory
// and the records of one section.
inline constexpr std::int64_t kMaxSectionFileSize = std::int64_t{64} << 20;
inline constexpr std::int32_t kMaxSections = 65536;
inline constexpr std::size_t kMaxSectionRecords = std::size_t{1} << 20;

// Section names are compared without regard to case.
bool SectionNamesEqual(const std::string& a, const std::string& b);

// Reads S and the directory from the start of the file. Raises EReadError for a file larger
// than kMaxSectionFileSize or a directory of more than kMaxSections, before reading either.
std::vector<TSectionDirectoryEntry> ReadSectionDirectory(TBinaryReader& in);
// Reads the records of the section at the position, up to its terminator (an identifier of 0
// or less); more than kMaxSectionRecords is damage.
std::vector<TSectionRecord> ReadSectionRecords(TBinaryReader& in, std::int32_t position);
// Reads the next record into record (reusing its storage); false at the section's terminator.
bool ReadSectionRecord(TBinaryReader& in, TSectionRecord& record);
// The same, seen in place; the same checks.
bool ReadSectionRecordView(TBinaryReader& in, TSectionRecordView& record);
// A run of records of one property, one after another as the file holds them.
struct TSectionRun {
  std::int32_t PropertyId = 0;
  std::size_t Count = 0;
};
// Reads through the records of the section at the position with the checks ReadSectionRecordView
// makes, raising the same errors, but decodes nothing; leaves the reader after the terminator.
// Answers the runs of records by property. More than kMaxSectionRecords records is damage.
std::vector<TSectionRun> CheckSectionRecords(TBinaryReader& in, std::int32_t position);
// Decodes the record at a place that CheckSectionRecords has already read through (so it is
// whole and of a known type), without checking it again. Answers the place of the next record,
// or nullptr at the section's terminator. Inline, as the path's decoding: a proposal's load
// runs them once for every value.
inline const std::uint8_t* DecodeSectionRecord(const std::uint8_t* at, TSectionRecordView& record) {
  const std::int32_t identifier = LittleEndianInt32(at);
  if (identifier <= 0)
    return nullptr;
  const std::int32_t length = LittleEndianInt32(at + 4);
  const std::uint8_t* pathBytes = at + 8;
  at = pathBytes + length * kSectionPathEntrySize;
  const std::uint8_t type = *at++;
  double number = 0;
  std::string_view text;
  std::int32_t integer = 0;
  switch (type) {
    case 1:
      number = LittleEndianDouble(at);
      at += 8;
      break;
    case 2:
      text = {reinterpret_cast<const char*>(at + 1), *at};
      at += 1 + *at;
      break;
    default:
      integer = LittleEndianInt32(at);
      at += 4;
      break;
  }
  record = TSectionRecordView{identifier, length, pathBytes, type, number, text, integer};
  return at;
}

inline void TSectionRecordView::DecodePath(TPathEntry* entries) const {
  const std::uint8_t* b = PathBytes;
  for (std::int32_t i = 0; i < PathLength; ++i, b += kSectionPathEntrySize) {
    // Object, reserved word (not read), index: little-endian 16-bit words.
    entries[i].ObjectId = static_cast<std::uint16_t>(b[0] | b[1] << 8);
    entries[i].Reserved = 0;
    entries[i].Index = static_cast<std::uint16_t>(b[4] | b[5] << 8);
  }
}

// Appends one record.
void WriteSectionRecord(TBinaryWriter& out, const TSectionRecord& record);
// Appends the terminator of a section's data.
void WriteSectionEnd(TBinaryWriter& out);

// Lays out a whole file: the directory with the computed positions, then each section's data
// (records and terminator) in directory order.
std::vector<std::uint8_t> BuildSectionFile(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& sections);
