#include "tools/dsvdump/exportsdump.h"

#include "dataserver/binarystream.h"
#include "tools/dictc/cp1252.h"

namespace {

const char* const kSources[] = {"occurrence", "literal", "value"};

class TExportsReader {
 public:
  explicit TExportsReader(TBinaryReader& in) : in_(in) {}

  TExportsFile Read() {
    TExportsFile file;
    file.Header = in_.ReadInt32();
    next_ = in_.ReadInt32();
    file.Group = next_;
    Collect(file.Group, file.Records, 0);
    file.Leftover = !ended_;
    return file;
  }

 private:
  // Takes records while they carry the collecting object's group identifier; an object record
  // collects its own children first, under the identifier that follows it.
  void Collect(std::int32_t group, std::vector<TExportRecord>& into, int depth) {
    if (depth > 32)
      throw EReadError("Exports.BIN: objects nested too deeply");
    while (!ended_ && next_ == group) {
      TExportRecord r;
      r.SourceKind = in_.ReadUInt8();
      r.Level = in_.ReadUInt8();
      r.PropertyId = in_.ReadInt32();
      r.IsObject = in_.ReadUInt8() != 0;
      r.Width = in_.ReadInt32();
      r.Literal = in_.ReadShortString();
      r.FormatKind = in_.ReadInt32();
      r.From = in_.ReadInt32();
      std::int32_t to = in_.ReadInt32();
      r.To = to < 0 ? -to : to;
      if (in_.Remaining() < 2)
        ended_ = true;
      else
        next_ = in_.ReadInt32();
      if (r.IsObject) {
        r.Group = next_;
        if (!ended_)
          Collect(r.Group, r.Children, depth + 1);
      }
      into.push_back(std::move(r));
    }
  }

  TBinaryReader& in_;
  std::int32_t next_ = 0;
  bool ended_ = false;
};

void DumpRecords(const std::vector<TExportRecord>& records, int depth, std::int64_t& line,
                 std::ostream& out) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  for (const auto& r : records) {
    if (r.IsObject) {
      out << indent << "object " << HexIdentifier(r.PropertyId) << " occurrences " << r.From << ".."
          << r.To << ", group " << r.Group << "\n";
      // The lines of the first occurrence are numbered; later ones repeat the pattern.
      std::int64_t first = line;
      DumpRecords(r.Children, depth + 1, line, out);
      std::int64_t perOccurrence = line - first;
      if (r.To > r.From)
        line += perOccurrence * (r.To - r.From);
      else if (r.To < r.From)
        line = first;
      continue;
    }
    ++line;
    out << indent << "line " << line << ": ";
    if (r.SourceKind < 3)
      out << kSources[r.SourceKind];
    else
      out << "source " << static_cast<int>(r.SourceKind);
    if (r.SourceKind == 2)
      out << " " << HexIdentifier(r.PropertyId) << " format " << r.FormatKind;
    if (r.SourceKind == 0)
      out << " level " << static_cast<int>(r.Level);
    out << ", width " << r.Width << ", literal \"" << Cp1252ToUtf8(r.Literal) << "\"\n";
  }
}

TJson RecordToJson(const TExportRecord& r) {
  TJson j;
  if (r.IsObject) {
    j["object"] = true;
    j["id"] = ShortHexIdentifier(r.PropertyId);
    j["from"] = r.From;
    j["to"] = r.To;
    j["group"] = r.Group;
    j["children"] = TJson::array();
    for (const auto& c : r.Children)
      j["children"].push_back(RecordToJson(c));
    return j;
  }
  j["source"] = r.SourceKind < 3 ? TJson(kSources[r.SourceKind]) : TJson(r.SourceKind);
  if (r.PropertyId != 0)
    j["id"] = ShortHexIdentifier(r.PropertyId);
  if (r.Level != 0)
    j["level"] = r.Level;
  j["width"] = r.Width;
  if (r.FormatKind != 0)
    j["format"] = r.FormatKind;
  if (!r.Literal.empty())
    j["literal"] = Cp1252ToUtf8(r.Literal);
  return j;
}

}  // namespace

TExportsFile ReadExportsFile(const std::string& fileName) {
  TBinaryReader in;
  if (!in.Open(fileName))
    throw EReadError("cannot open " + fileName);
  return TExportsReader(in).Read();
}

void DumpExportsFile(const std::string& fileName, std::ostream& out) {
  TExportsFile file = ReadExportsFile(fileName);
  out << "Exports.BIN header " << file.Header << ", root group " << file.Group << "\n";
  std::int64_t line = 0;
  DumpRecords(file.Records, 1, line, out);
  out << line << " lines in the engine input\n";
  if (file.Leftover)
    out << "WARNING: records after the tree's end are never read\n";
}

TJson ExportsToJson(const TExportsFile& file) {
  TJson root;
  root["header"] = file.Header;
  root["group"] = file.Group;
  root["records"] = TJson::array();
  for (const auto& r : file.Records)
    root["records"].push_back(RecordToJson(r));
  return root;
}
