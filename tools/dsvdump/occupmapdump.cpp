#include "tools/dsvdump/occupmapdump.h"

#include "dataserver/binarystream.h"
#include "tools/dictc/cp1252.h"
#include "tools/dsvdump/dictionaryfiles.h"

namespace {

struct TNodeHeader {
  std::uint16_t Code;
  std::int32_t Next;
};

TNodeHeader ReadNode(TBinaryReader& in) {
  std::int64_t at = in.Position();
  TNodeHeader node{in.ReadUInt16(), in.ReadInt32()};
  // Siblings always lie further on; anything else would loop or leave the file.
  if (node.Next != 0 && (node.Next <= at || node.Next > in.Size()))
    throw EReadError("OccupMap.bin: node at " + std::to_string(at) +
                     " names an impossible next sibling " + std::to_string(node.Next));
  return node;
}

std::string Named(const TDictionaryView* dictionary, std::int32_t list, std::int32_t code) {
  std::string text = std::to_string(code);
  if (dictionary != nullptr) {
    std::string description = dictionary->Describe(list, code);
    text += description.empty() ? " (no text)" : " \"" + Cp1252ToUtf8(description) + "\"";
  }
  return text;
}

}  // namespace

std::vector<TBusinessNode> ReadOccupationMap(const std::string& fileName) {
  TBinaryReader in;
  if (!in.Open(fileName))
    throw EReadError("cannot open " + fileName);
  std::vector<TBusinessNode> tree;
  if (in.Size() == 0)
    return tree;
  for (std::int32_t businessAt = 0;;) {
    in.Seek(businessAt);
    TNodeHeader b = ReadNode(in);
    TBusinessNode business{b.Code, {}};
    for (std::int64_t occupationAt = in.Position();;) {
      in.Seek(occupationAt);
      TNodeHeader o = ReadNode(in);
      TOccupationNode occupation{o.Code, {}};
      for (std::int64_t qualifierAt = in.Position();;) {
        in.Seek(qualifierAt);
        TNodeHeader q = ReadNode(in);
        TOccupationQualifier qualifier{q.Code, {}};
        for (std::uint8_t s = in.ReadUInt8(); s != 0; s = in.ReadUInt8())
          qualifier.Statuses.push_back(s);
        occupation.Qualifiers.push_back(std::move(qualifier));
        if (q.Next == 0)
          break;
        qualifierAt = q.Next;
      }
      business.Occupations.push_back(std::move(occupation));
      if (o.Next == 0)
        break;
      occupationAt = o.Next;
    }
    tree.push_back(std::move(business));
    if (b.Next == 0)
      break;
    businessAt = b.Next;
  }
  return tree;
}

void DumpOccupationMap(const std::string& fileName, const TDictionaryView* dictionary,
                       std::ostream& out) {
  std::vector<TBusinessNode> tree = ReadOccupationMap(fileName);
  out << "OccupMap.bin: " << tree.size() << " employer's businesses\n";
  for (const auto& b : tree) {
    out << "business " << Named(dictionary, 0x220004, b.Code) << "\n";
    for (const auto& o : b.Occupations) {
      out << "  occupation " << Named(dictionary, 0x220002, o.Code) << "\n";
      for (const auto& q : o.Qualifiers) {
        out << "    qualifier " << Named(dictionary, 0x22FFFF, q.Code) << ": statuses";
        for (std::uint8_t s : q.Statuses)
          out << " " << Named(dictionary, 0x220006, s);
        out << "\n";
      }
    }
  }
}

TJson OccupationMapToJson(const std::vector<TBusinessNode>& tree) {
  TJson businesses = TJson::array();
  for (const auto& b : tree) {
    TJson occupations = TJson::array();
    for (const auto& o : b.Occupations) {
      TJson qualifiers = TJson::array();
      for (const auto& q : o.Qualifiers) {
        TJson statuses = TJson::array();
        for (std::uint8_t s : q.Statuses)
          statuses.push_back({{"code", s}});
        qualifiers.push_back({{"code", q.Code}, {"children", statuses}});
      }
      occupations.push_back({{"code", o.Code}, {"children", qualifiers}});
    }
    businesses.push_back({{"code", b.Code}, {"children", occupations}});
  }
  TJson root;
  root["tree"] = businesses;
  return root;
}
