#include "tools/dsvdump/exportsdump.h"

#include "dataserver/binarystream.h"
#include "dataserver/transfer.h"
#include "tools/dictc/cp1252.h"

namespace {

const char* const kSources[] = {"occurrence", "literal", "value"};

// The transfer's tree as the compiler's records, so that it prints and writes back as a source.
std::vector<TExportRecord> RecordsOf(const TTransferObject& object) {
  std::vector<TExportRecord> records;
  for (const auto& child : object.fChildren) {
    TExportRecord r;
    r.SourceKind = child->SourceKind;
    r.Level = static_cast<std::uint8_t>(child->Level);
    r.PropertyId = child->PropertyId;
    r.Width = child->Width;
    r.Literal = child->Literal;
    r.FormatKind = child->FormatKind;
    r.From = child->From;
    r.To = child->To;
    if (const auto* nested = dynamic_cast<const TTransferObject*>(child.get())) {
      r.IsObject = true;
      r.Group = nested->GroupId;
      r.Children = RecordsOf(*nested);
    }
    records.push_back(std::move(r));
  }
  return records;
}

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
  TExportsFile file;
  file.Header = in.ReadInt32();  // the transfer skips it
  in.Seek(0);
  // Without a dictionary the records are read as they stand, none tied to a property.
  TDictionary noDictionary;
  std::unique_ptr<TTransferObject> root = ReadTransferDefinition(in, noDictionary);
  file.Group = root->GroupId;
  file.Records = RecordsOf(*root);
  // The transfer stops at a record whose group no enclosing object owns; a whole definition
  // ends with fewer than 2 bytes after its last record.
  file.Leftover = in.Remaining() >= 2;
  return file;
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
