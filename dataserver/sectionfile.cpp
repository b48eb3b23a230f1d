#include "dataserver/sectionfile.h"

#include <cctype>

namespace {

constexpr std::size_t kMaxName = 255;
// 64-bit, so that a path's size cannot overflow before it is checked.
constexpr std::int64_t kPathEntrySize = kSectionPathEntrySize;
// Paths cross the call interface with a 16-bit length.
constexpr std::int32_t kMaxPathLength = 0x7FFF;

std::string Truncated(const std::string& name) {
  return name.size() > kMaxName ? name.substr(0, kMaxName) : name;
}

}  // namespace

bool SectionNamesEqual(const std::string& a, const std::string& b) {
  const std::string x = Truncated(a);
  const std::string y = Truncated(b);
  if (x.size() != y.size())
    return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(x[i])) !=
        std::tolower(static_cast<unsigned char>(y[i])))
      return false;
  }
  return true;
}

std::vector<TSectionDirectoryEntry> ReadSectionDirectory(TBinaryReader& in) {
  if (in.Size() > kMaxSectionFileSize)
    throw EReadError("Section file too large");
  in.Seek(0);
  const std::int32_t count = in.ReadInt32();
  // Each directory entry takes at least 5 bytes; a count beyond that is damage, not a size.
  if (count < 0 || count > kMaxSections || count > in.Remaining() / 5)
    throw EReadError("Section file damaged: impossible number of sections");
  std::vector<TSectionDirectoryEntry> directory(static_cast<std::size_t>(count));
  for (auto& entry : directory) {
    entry.Name = in.ReadShortString();
    entry.Position = in.ReadInt32();
  }
  return directory;
}

std::vector<TSectionRecord> ReadSectionRecords(TBinaryReader& in, std::int32_t position) {
  in.Seek(position);
  std::vector<TSectionRecord> records;
  TSectionRecord record;
  while (ReadSectionRecord(in, record)) {
    if (records.size() >= kMaxSectionRecords)
      throw EReadError("Section file damaged: impossible number of values");
    records.push_back(record);
  }
  return records;
}

void TSectionRecordView::DecodePath(TInstancePath& path) const {
  path.resize(static_cast<std::size_t>(PathLength));
  DecodePath(path.data());
}

bool ReadSectionRecordView(TBinaryReader& in, TSectionRecordView& record) {
  // Every field is read before the record is written: a write to the record could otherwise be
  // taken to change the reader, whose position would be loaded again after each one.
  const std::int32_t identifier = in.ReadInt32();
  if (identifier <= 0) {
    record.PropertyId = identifier;
    return false;
  }
  const std::int32_t length = in.ReadInt32();
  if (length < 0 || length > kMaxPathLength || length * kPathEntrySize > in.Remaining())
    throw EReadError("Section file damaged: impossible path length");
  const std::uint8_t* pathBytes = in.ReadInPlace(static_cast<std::size_t>(length * kPathEntrySize));
  const std::uint8_t type = in.ReadUInt8();
  double number = 0;
  std::string_view text;
  std::int32_t integer = 0;
  switch (type) {
    case 1:
      number = in.ReadDouble();
      break;
    case 2:
      text = in.ReadShortStringView();
      break;
    case 3:
    case 4:
      integer = in.ReadInt32();
      break;
    default:
      throw EReadError("Section file damaged: unknown value type " + std::to_string(type));
  }
  record = TSectionRecordView{identifier, length, pathBytes, type, number, text, integer};
  return true;
}

std::vector<TSectionRun> CheckSectionRecords(TBinaryReader& in, std::int32_t position) {
  in.Seek(position);
  const std::int64_t start = in.Position();
  const std::uint8_t* const begin = in.ReadInPlace(static_cast<std::size_t>(in.Remaining()));
  const std::uint8_t* const end = begin + (in.Position() - start);
  // Pointers into the bytes in memory rather than the reader's checked reads: the same checks,
  // each made once per field, without the reader's position to keep.
  const std::uint8_t* at = begin;
  const auto need = [&at, end](std::int64_t count) {
    if (count > end - at)
      throw EReadError("Stream read error");
  };
  std::vector<TSectionRun> runs;
  TSectionRun run;  // the run being counted, kept out of the vector
  std::int32_t lastLength = -1;
  std::int64_t lastPathSize = 0;
  for (std::size_t count = 0;; ++count) {
    need(4);
    const std::int32_t identifier = LittleEndianInt32(at);
    at += 4;
    if (identifier <= 0)
      break;
    need(4);
    const std::int32_t length = LittleEndianInt32(at);
    at += 4;
    if (length < 0 || length > kMaxPathLength || length * kPathEntrySize > end - at)
      throw EReadError("Section file damaged: impossible path length");
    // Records of one property mostly have paths of one length. Taking the last size on a
    // branch, rather than working it out from the length just read, lets the processor go on to
    // the next record without waiting for that read.
    if (length == lastLength) [[likely]] {
      at += lastPathSize;
    } else {
      lastLength = length;
      lastPathSize = length * kPathEntrySize;
      at += lastPathSize;
    }
    need(1);
    const std::uint8_t type = *at++;
    switch (type) {
      case 1:
        need(8);
        at += 8;
        break;
      case 2:
        need(1);
        need(1 + *at);
        at += 1 + *at;
        break;
      case 3:
      case 4:
        need(4);
        at += 4;
        break;
      default:
        throw EReadError("Section file damaged: unknown value type " + std::to_string(type));
    }
    if (count >= kMaxSectionRecords)
      throw EReadError("Section file damaged: impossible number of values");
    if (identifier != run.PropertyId) {
      if (run.Count > 0)
        runs.push_back(run);
      run = TSectionRun{identifier, 0};
    }
    ++run.Count;
  }
  if (run.Count > 0)
    runs.push_back(run);
  in.Seek(start + (at - begin));
  return runs;
}

bool ReadSectionRecord(TBinaryReader& in, TSectionRecord& record) {
  TSectionRecordView view;
  if (!ReadSectionRecordView(in, view)) {
    record.PropertyId = view.PropertyId;
    return false;
  }
  record.PropertyId = view.PropertyId;
  view.DecodePath(record.Path);
  record.Type = view.Type;
  record.Number = view.Number;
  record.Text.assign(view.Text);
  record.Integer = view.Integer;
  return true;
}

void WriteSectionRecord(TBinaryWriter& out, const TSectionRecord& record) {
  out.WriteInt32(record.PropertyId);
  out.WriteInt32(static_cast<std::int32_t>(record.Path.size()));
  for (const TPathEntry& entry : record.Path) {
    out.WriteUInt16(entry.ObjectId);
    out.WriteUInt16(0);
    out.WriteUInt16(entry.Index);
  }
  out.WriteUInt8(record.Type);
  switch (record.Type) {
    case 1:
      out.WriteDouble(record.Number);
      break;
    case 2:
      out.WriteShortString(record.Text);
      break;
    default:
      out.WriteInt32(record.Integer);
      break;
  }
}

void WriteSectionEnd(TBinaryWriter& out) {
  out.WriteInt32(0);
}

std::vector<std::uint8_t> BuildSectionFile(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& sections) {
  TBinaryWriter out;
  out.WriteInt32(static_cast<std::int32_t>(sections.size()));
  std::int64_t position = 4;
  for (const auto& section : sections)
    position += static_cast<std::int64_t>(Truncated(section.first).size()) + 5;
  for (const auto& section : sections) {
    if (position > INT32_MAX)
      throw EWriteError("Section file too large");
    out.WriteShortString(section.first);
    out.WriteInt32(static_cast<std::int32_t>(position));
    position += static_cast<std::int64_t>(section.second.size());
  }
  out.Bytes().reserve(static_cast<std::size_t>(position));
  for (const auto& section : sections)
    out.WriteBytes(section.second.data(), section.second.size());
  return std::move(out.Bytes());
}
