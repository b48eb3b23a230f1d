#include "tools/dsvdump/occupmapdump.h"

#include "dataserver/binarystream.h"
#include "motor/identifiers.h"
#include "motor/occupationmap.h"
#include "tools/dictc/cp1252.h"
#include "tools/dsvdump/dictionaryfiles.h"

namespace {

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
  std::vector<TBusinessNode> tree;
  try {
    // The program's own reader, which checks every offset on the way.
    TOccupationMap map = TOccupationMap::LoadFromFile(QString::fromStdString(fileName));
    for (const TOccupationNode& b : map.Businesses()) {
      TBusinessNode business{b.code, {}};
      for (const TOccupationNode& o : map.Children(b)) {
        TMainOccupationNode occupation{o.code, {}};
        for (const TOccupationNode& q : map.Children(o)) {
          const QList<quint8> statuses = map.Statuses(q);
          occupation.Qualifiers.push_back({q.code, {statuses.begin(), statuses.end()}});
        }
        business.Occupations.push_back(std::move(occupation));
      }
      tree.push_back(std::move(business));
    }
  } catch (const EOccupationMapError& e) {
    throw EReadError(e.what());
  }
  return tree;
}

void DumpOccupationMap(const std::string& fileName, const TDictionaryView* dictionary,
                       std::ostream& out) {
  std::vector<TBusinessNode> tree = ReadOccupationMap(fileName);
  out << "OccupMap.bin: " << tree.size() << " employer's businesses\n";
  for (const auto& b : tree) {
    out << "business " << Named(dictionary, ListId::EmployersBusinesses, b.Code) << "\n";
    for (const auto& o : b.Occupations) {
      out << "  occupation " << Named(dictionary, ListId::Occupations, o.Code) << "\n";
      for (const auto& q : o.Qualifiers) {
        out << "    qualifier " << Named(dictionary, ListId::OccupationQualifiers, q.Code)
            << ": statuses";
        for (std::uint8_t s : q.Statuses)
          out << " " << Named(dictionary, ListId::EmploymentStatuses, s);
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
