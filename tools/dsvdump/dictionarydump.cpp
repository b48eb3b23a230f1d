#include "tools/dsvdump/dictionarydump.h"

#include <cstdio>
#include <map>
#include <stdexcept>

#include "tools/dictc/cp1252.h"

namespace {

const char* const kTypeNames[] = {"object", "numeric", "string", "date", "list"};

std::string TypeName(std::uint8_t type) {
  return type < 5 ? kTypeNames[type] : "type " + std::to_string(type);
}

std::string Quoted(const std::string& cp1252) {
  return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

void DumpRecord(const TStructRecord& r, int depth, std::ostream& out) {
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << HexIdentifier(r.Identifier) << " "
      << TypeName(r.Type);
  if (r.Type == 0)
    out << ", " << r.Children.size() << " children";
  if (r.Type == 4)
    out << ", list at " << r.ListOffset;
  if (r.HasDefault)
    out << ", default " << Quoted(r.DefaultText);
  out << "\n";
  for (const auto& c : r.Children)
    DumpRecord(c, depth + 1, out);
}

std::string VersionText(std::int32_t version) {
  return HexIdentifier(version) + " (application " + std::to_string(version >> 16) + ", version " +
         std::to_string(version & 0xFFFF) + ")";
}

// The first property in file order that uses each list offset.
void NameLists(const TStructRecord& r, std::map<std::int32_t, std::int32_t>& firstUser) {
  if (r.Type == 4 && r.ListOffset > 0 && firstUser.count(r.ListOffset) == 0)
    firstUser[r.ListOffset] = r.Identifier;
  for (const auto& c : r.Children)
    NameLists(c, firstUser);
}

TJson PropertyToJson(const TStructRecord& r, const std::map<std::int32_t, std::string>& names) {
  TJson p;
  p["id"] = ShortHexIdentifier(r.Identifier);
  p["type"] = TypeName(r.Type);
  if (r.Type == 4) {
    auto it = names.find(r.ListOffset);
    if (it == names.end())
      throw std::runtime_error("property " + ShortHexIdentifier(r.Identifier) +
                               " names no list of Lists.BIN");
    p["list"] = it->second;
  }
  if (r.HasDefault)
    p["default"] = Cp1252ToUtf8(r.DefaultText);
  if (r.Type == 0) {
    p["children"] = TJson::array();
    for (const auto& c : r.Children)
      p["children"].push_back(PropertyToJson(c, names));
  }
  return p;
}

}  // namespace

void DumpStructFile(const std::string& fileName, std::ostream& out) {
  TStructFile file = ReadStructFile(fileName);
  out << "Struct.BIN " << VersionText(file.Version) << ", " << file.TopLevel.size()
      << " top-level properties\n";
  for (const auto& r : file.TopLevel)
    DumpRecord(r, 1, out);
}

void DumpListsFile(const std::string& fileName, std::ostream& out) {
  TListsFile file = ReadListsFile(fileName);
  out << "Lists.BIN " << VersionText(file.Version) << ", " << file.Lists.size() << " lists";
  if (file.DependencyTable > 0)
    out << ", dependency table at " << file.DependencyTable;
  out << "\n";
  std::map<std::int32_t, const TListsEntry*> entryAt;
  for (const auto& list : file.Lists) {
    std::string fault = CheckSearchTree(list);
    out << "\nList at " << list.Offset << ": " << list.Entries.size() << " entries, search tree "
        << (fault.empty() ? "sound" : "DAMAGED: " + fault) << "\n";
    char line[64];
    for (const auto& e : list.Entries) {
      entryAt[e.Position] = &e;
      std::snprintf(line, sizeof line, "  %4d  code %-8d ", e.Ordinal, e.Code);
      out << line << Quoted(e.Description) << "  abi " << Quoted(e.AbiCode) << "\n";
    }
  }
  if (file.DependencyTable <= 0)
    return;
  out << "\nDependency table: " << file.Dependencies.size() << " rows\n";
  for (const auto& row : file.Dependencies) {
    out << "  controlling " << HexIdentifier(row.ControllingPropertyId) << ", " << row.Blocks.size()
        << " controlling entries\n";
    for (std::size_t b = 0; b < row.Blocks.size(); ++b) {
      out << "    entry " << (b + 1) << ":";
      for (std::int32_t position : row.Blocks[b]) {
        auto it = entryAt.find(position);
        if (it == entryAt.end())
          out << " ?" << position;
        else
          out << " " << it->second->Code;
      }
      out << "\n";
    }
  }
}

TJson DictionaryToJson(const TDictionaryView& dictionary) {
  std::map<std::int32_t, std::int32_t> firstUser;
  for (const auto& r : dictionary.Struct.TopLevel)
    NameLists(r, firstUser);
  std::map<std::int32_t, std::string> names;
  for (const auto& list : dictionary.Lists.Lists) {
    auto it = firstUser.find(list.Offset);
    names[list.Offset] = it != firstUser.end() ? ShortHexIdentifier(it->second)
                                               : "at_" + std::to_string(list.Offset);
  }

  // Which list holds each entry position, and where in it.
  std::map<std::int32_t, std::pair<const TListsList*, std::size_t>> entryAt;
  for (const auto& list : dictionary.Lists.Lists)
    for (std::size_t i = 0; i < list.Entries.size(); ++i)
      entryAt[list.Entries[i].Position] = {&list, i};

  // key fields: per list offset, per entry index, field name -> controlling code.
  std::map<std::int32_t, std::map<std::size_t, std::map<std::string, std::int32_t>>> keys;
  TJson dependencies = TJson::array();
  for (const auto& row : dictionary.Lists.Dependencies) {
    const std::string id = ShortHexIdentifier(row.ControllingPropertyId);
    auto controlling = dictionary.ListOf.find(row.ControllingPropertyId);
    if (controlling == dictionary.ListOf.end() || controlling->second == nullptr ||
        controlling->second->Entries.size() != row.Blocks.size())
      throw std::runtime_error("dependency on " + id + " does not match its controlling list");
    const std::string key = "by_" + id;
    const TListsList* dependent = nullptr;
    std::int32_t lastPosition = 0;
    for (std::size_t b = 0; b < row.Blocks.size(); ++b) {
      for (std::int32_t position : row.Blocks[b]) {
        auto it = entryAt.find(position);
        if (it == entryAt.end() || (dependent != nullptr && it->second.first != dependent))
          throw std::runtime_error("dependency on " + id + " points outside its dependent list");
        dependent = it->second.first;
        auto& fields = keys[dependent->Offset][it->second.second];
        // A source key gives each entry one block, in list order.
        if (fields.count(key) != 0 || position <= lastPosition)
          throw std::runtime_error("dependency on " + id + " cannot be written as a key field");
        lastPosition = position;
        fields[key] = controlling->second->Entries[b].Code;
      }
      lastPosition = 0;
    }
    if (dependent == nullptr)
      throw std::runtime_error("dependency on " + id + " restricts no entries");
    for (std::size_t i = 0; i < dependent->Entries.size(); ++i)
      if (keys[dependent->Offset][i].count(key) == 0)
        throw std::runtime_error("dependency on " + id + " leaves entries unreachable");
    TJson d;
    d["controlling"] = id;
    d["dependent"] = names[dependent->Offset];
    d["key"] = key;
    dependencies.push_back(d);
  }

  TJson root;
  root["application"] = dictionary.Version >> 16;
  root["version"] = dictionary.Version & 0xFFFF;
  root["properties"] = TJson::array();
  for (const auto& r : dictionary.Struct.TopLevel)
    root["properties"].push_back(PropertyToJson(r, names));
  root["lists"] = TJson::object();
  for (const auto& list : dictionary.Lists.Lists) {
    TJson entries = TJson::array();
    for (std::size_t i = 0; i < list.Entries.size(); ++i) {
      const auto& e = list.Entries[i];
      TJson entry;
      entry["code"] = e.Code;
      for (const auto& [field, value] : keys[list.Offset][i])
        entry[field] = value;
      entry["description"] = Cp1252ToUtf8(e.Description);
      entry["abi"] = Cp1252ToUtf8(e.AbiCode);
      entries.push_back(entry);
    }
    root["lists"][names[list.Offset]] = entries;
  }
  if (!dependencies.empty())
    root["dependencies"] = dependencies;
  return root;
}
