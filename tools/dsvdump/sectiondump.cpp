#include "tools/dsvdump/sectiondump.h"

#include <strings.h>
#include <cstdio>

#include "dataserver/binarystream.h"
#include "tools/dictc/cp1252.h"
#include "tools/dictc/jsonsupport.h"
#include "tools/dsvdump/dictionaryfiles.h"

namespace {

TSectionValue ReadValue(TBinaryReader& in, std::int32_t id) {
  TSectionValue v;
  v.PropertyId = id;
  std::int32_t length = in.ReadInt32();
  if (length < 0 || length > in.Remaining() / 6)
    throw EReadError("section file: path length " + std::to_string(length) + " of " +
                     HexIdentifier(id) + " is beyond the end of the file");
  for (std::int32_t i = 0; i < length; ++i) {
    std::uint16_t object = in.ReadUInt16();
    in.ReadUInt16();  // reserved
    std::uint16_t index = in.ReadUInt16();
    v.Path.emplace_back(object, index);
  }
  v.Type = in.ReadUInt8();
  switch (v.Type) {
    case 1:
      v.Number = in.ReadDouble();
      break;
    case 2:
      v.Text = in.ReadShortString();
      break;
    case 3:
    case 4:
      v.Packed = in.ReadInt32();
      break;
    default:
      throw EReadError("section file: value of " + HexIdentifier(id) + " has type " +
                       std::to_string(v.Type));
  }
  return v;
}

std::string PathText(const TSectionValue& v) {
  std::string text;
  for (const auto& [object, index] : v.Path)
    text += "(" + std::to_string(object) + "," + std::to_string(index) + ")";
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

std::string GeneralNumberText(double value) {
  // %g drops trailing zeros and keeps plain notation below 15 digits.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::vector<TSection> ReadSectionFile(const std::string& fileName) {
  TBinaryReader in;
  if (!in.Open(fileName))
    throw EReadError("cannot open " + fileName);
  std::int32_t count = in.ReadInt32();
  if (count < 0 || count > in.Remaining() / 5)
    throw EReadError("section file: section count " + std::to_string(count) +
                     " is beyond the end of the file");
  std::vector<TSection> sections(static_cast<std::size_t>(count));
  for (auto& s : sections) {
    s.Name = in.ReadShortString();
    s.Position = in.ReadInt32();
  }
  for (auto& s : sections) {
    in.Seek(s.Position);
    for (std::int32_t id = in.ReadInt32(); id > 0; id = in.ReadInt32())
      s.Values.push_back(ReadValue(in, id));
  }
  return sections;
}

bool DumpSectionFile(const std::string& fileName, const std::string& onlySection,
                     const TDictionaryView* dictionary, std::ostream& out) {
  std::vector<TSection> sections = ReadSectionFile(fileName);
  out << "Section file with " << sections.size() << " sections\n";
  bool found = onlySection.empty();
  for (const auto& s : sections) {
    bool wanted = onlySection.empty() || strcasecmp(s.Name.c_str(), onlySection.c_str()) == 0;
    out << "\nSection \"" << Cp1252ToUtf8(s.Name) << "\" at " << s.Position << ", "
        << s.Values.size() << " values\n";
    if (!wanted)
      continue;
    found = true;
    for (const auto& v : s.Values) {
      out << "  " << HexIdentifier(v.PropertyId) << " " << PathText(v) << " ";
      switch (v.Type) {
        case 1:
          out << "numeric " << GeneralNumberText(v.Number);
          break;
        case 2:
          out << "string \"" << Cp1252ToUtf8(v.Text) << "\"";
          break;
        case 3:
          out << "date " << PackedDateText(v.Packed);
          break;
        default:
          out << "list " << v.Packed;
          if (dictionary != nullptr) {
            std::string text = dictionary->Describe(v.PropertyId, v.Packed);
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
