#include "tools/dsvdump/sectiondump.h"

#include <cstdio>

#include "dataserver/binarystream.h"
#include "dataserver/numbertext.h"
#include "tools/dictc/cp1252.h"
#include "tools/dictc/jsonsupport.h"
#include "tools/dsvdump/dictionaryfiles.h"

namespace {

std::string PathText(const TSectionRecord& v) {
  std::string text;
  for (const TPathEntry& entry : v.Path)
    text += "(" + std::to_string(entry.ObjectId) + "," + std::to_string(entry.Index) + ")";
  return text.empty() ? "()" : text;
}

}  // namespace

std::string PackedDateText(std::int32_t packed) {
  int year = (packed >> 16) & 0xFFFF, month = (packed >> 8) & 0xFF, day = packed & 0xFF;
  if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1)
    return "no date (" + std::to_string(packed) + ")";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", day, month, year);
  return buffer;
}

std::vector<TSection> ReadSectionFile(const std::string& fileName) {
  TBinaryReader in;
  if (!in.Open(fileName))
    throw EReadError("cannot open " + fileName);
  std::vector<TSection> sections;
  for (const TSectionDirectoryEntry& entry : ReadSectionDirectory(in))
    sections.push_back({entry.Name, entry.Position, {}});
  for (TSection& s : sections)
    s.Values = ReadSectionRecords(in, s.Position);
  return sections;
}

bool DumpSectionFile(const std::string& fileName, const std::string& onlySection,
                     const TDictionaryView* dictionary, std::ostream& out) {
  std::vector<TSection> sections = ReadSectionFile(fileName);
  out << "Section file with " << sections.size() << " sections\n";
  bool found = onlySection.empty();
  for (const auto& s : sections) {
    bool wanted = onlySection.empty() || SectionNamesEqual(s.Name, onlySection);
    out << "\nSection \"" << Cp1252ToUtf8(s.Name) << "\" at " << s.Position << ", "
        << s.Values.size() << " values\n";
    if (!wanted)
      continue;
    found = true;
    for (const auto& v : s.Values) {
      out << "  " << HexIdentifier(v.PropertyId) << " " << PathText(v) << " ";
      switch (v.Type) {
        case 1:
          out << "numeric " << FormatGeneralNumber(v.Number);
          break;
        case 2:
          out << "string \"" << Cp1252ToUtf8(v.Text) << "\"";
          break;
        case 3:
          out << "date " << PackedDateText(v.Integer);
          break;
        default:
          out << "list " << v.Integer;
          if (dictionary != nullptr) {
            std::string text = dictionary->Describe(v.PropertyId, v.Integer);
            out << (text.empty() ? " (not in the list)" : " \"" + Cp1252ToUtf8(text) + "\"");
          }
          break;
      }
      if (dictionary != nullptr) {
        auto type = dictionary->Types.find(v.PropertyId);
        if (type == dictionary->Types.end())
          out << "  UNKNOWN PROPERTY";
        else if (type->second != v.Type)
          out << "  TYPE DIFFERS FROM THE DICTIONARY";
      }
      out << "\n";
    }
  }
  return found;
}
