#include "tools/dictc/dictionarycompiler.h"

#include <cstdio>
#include <deque>
#include <filesystem>
#include <set>

#include "dataserver/packeddate.h"
#include "tools/dictc/jsonsupport.h"

namespace {

namespace fs = std::filesystem;

const char* const kTypeNames[] = {"object", "numeric", "string", "date", "list"};

// One list as read from a source, before we know whether any property uses it.
struct TParsedList {
  std::string Name;
  TJsonPlace Place;
  TDictList List;
  std::vector<TJsonPlace> EntryPlaces;
  std::vector<std::map<std::string, std::int64_t>> KeyFields;  // further integer fields
  bool Used = false;
  int FinalIndex = -1;
};

struct TRawDependency {
  TJsonPlace Place;
  const TJson* Json;
};

bool IsWholeNumber(const std::string& text) {
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i >= text.size() || text.size() - i > 10)
    return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9')
      return false;
  return true;
}

// The short date form "dd/MM/yyyy" (one-digit day and month accepted) naming a real date.
bool IsShortDate(const std::string& text) {
  int d = 0, m = 0, y = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2d/%2d/%4d%c", &d, &m, &y, &tail) != 3)
    return false;
  return IsValidCalendarDate(y, m, d);
}

class TDictionaryCompiler {
 public:
  TCompiledDictionary Compile(const std::string& fileName);

 private:
  void ReadListsAndDependencies(const std::string& fileName, const TJson& root, bool isMain);
  void ReadList(const TJsonPlace& place, const std::string& name, const TJson& entries);
  TDictProperty ReadProperty(const TJsonPlace& place, const TJson& json,
                             const std::vector<std::int32_t>& ancestors);
  void CheckDefault(const TJsonPlace& place, const TDictProperty& p);
  void AssignListIndices(TDictProperty& p);
  void ReadDependency(const TRawDependency& raw);

  std::deque<TJson> documents_;
  std::set<std::string> visited_;
  std::vector<TParsedList> lists_;
  std::map<std::string, std::size_t> listByName_;
  std::vector<TRawDependency> dependencies_;
  TCompiledDictionary result_;
};

TCompiledDictionary TDictionaryCompiler::Compile(const std::string& fileName) {
  const TJson& root = documents_.emplace_back(LoadJsonFile(fileName));
  TJsonPlace top{fileName, ""};
  RequireObject(top, root);
  CheckKeys(top, root,
            {"application", "version", "include", "properties", "lists", "dependencies"});
  result_.Application = static_cast<std::int16_t>(
      ReadInteger(top.Key("application"), RequireMember(top, root, "application"), 1, 32767));
  result_.Version = static_cast<std::int16_t>(
      ReadInteger(top.Key("version"), RequireMember(top, root, "version"), 0, 32767));
  result_.Source.Version = DictionaryVersionWord(result_.Application, result_.Version);

  ReadListsAndDependencies(fileName, root, true);

  const TJson& properties =
      RequireArray(top.Key("properties"), RequireMember(top, root, "properties"));
  for (std::size_t i = 0; i < properties.size(); ++i)
    result_.Source.TopLevel.push_back(
        ReadProperty(top.Key("properties").Index(i), properties[i], {}));

  // Only the lists that some property uses are written, in source order.
  for (auto& list : lists_) {
    if (!list.Used) {
      result_.Warnings.push_back(list.Place.File + ": " + list.Place.Pointer + ": list \"" +
                                 list.Name + "\" is used by no property and is left out");
      continue;
    }
    list.FinalIndex = static_cast<int>(result_.Source.Lists.size());
    result_.Source.Lists.push_back(list.List);
    result_.ListNames.push_back(list.Name);
  }
  for (auto& p : result_.Source.TopLevel)
    AssignListIndices(p);
  for (auto& [id, info] : result_.Properties)
    if (info.List >= 0)
      info.List = lists_[static_cast<std::size_t>(info.List)].FinalIndex;

  for (const auto& raw : dependencies_)
    ReadDependency(raw);
  return std::move(result_);
}

void TDictionaryCompiler::ReadListsAndDependencies(const std::string& fileName, const TJson& root,
                                                   bool isMain) {
  visited_.insert(fs::weakly_canonical(fileName).string());
  TJsonPlace top{fileName, ""};
  if (!isMain) {
    RequireObject(top, root);
    CheckKeys(top, root, {"include", "lists", "dependencies"});
  }
  if (auto it = root.find("lists"); it != root.end()) {
    RequireObject(top.Key("lists"), *it);
    for (const auto& [name, entries] : it->items())
      ReadList(top.Key("lists").Key(name), name, entries);
  }
  if (auto it = root.find("dependencies"); it != root.end()) {
    RequireArray(top.Key("dependencies"), *it);
    for (std::size_t i = 0; i < it->size(); ++i)
      dependencies_.push_back({top.Key("dependencies").Index(i), &(*it)[i]});
  }
  if (auto it = root.find("include"); it != root.end()) {
    RequireArray(top.Key("include"), *it);
    for (std::size_t i = 0; i < it->size(); ++i) {
      TJsonPlace place = top.Key("include").Index(i);
      if (!(*it)[i].is_string())
        place.Fail("expected a file name");
      fs::path included = fs::path(fileName).parent_path() / (*it)[i].get<std::string>();
      if (visited_.count(fs::weakly_canonical(included).string()) != 0)
        place.Fail("\"" + included.string() + "\" is included twice or includes itself");
      const TJson& doc = documents_.emplace_back(LoadJsonFile(included.string()));
      ReadListsAndDependencies(included.string(), doc, false);
    }
  }
}

void TDictionaryCompiler::ReadList(const TJsonPlace& place, const std::string& name,
                                   const TJson& entries) {
  if (auto it = listByName_.find(name); it != listByName_.end())
    place.Fail("list \"" + name + "\" is already defined in " + lists_[it->second].Place.File +
               " at " + lists_[it->second].Place.Pointer);
  RequireArray(place, entries);
  if (entries.empty())
    place.Fail("list \"" + name + "\" has no entries");
  TParsedList list;
  list.Name = name;
  list.Place = place;
  std::map<std::int32_t, std::size_t> seen;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    TJsonPlace at = place.Index(i);
    const TJson& e = RequireObject(at, entries[i]);
    TDictListEntry entry;
    entry.Code = static_cast<std::int32_t>(
        ReadInteger(at.Key("code"), RequireMember(at, e, "code"), INT32_MIN, INT32_MAX));
    entry.Description = ReadText(at.Key("description"), RequireMember(at, e, "description"));
    entry.AbiCode = ReadText(at.Key("abi"), RequireMember(at, e, "abi"));
    std::map<std::string, std::int64_t> keys;
    for (const auto& [key, value] : e.items()) {
      if (key == "code" || key == "description" || key == "abi" || key == "comment" ||
          (!key.empty() && key[0] == '_'))
        continue;
      if (!value.is_number_integer())
        at.Key(key).Fail("unknown key \"" + key + "\" (further fields must be whole numbers)");
      keys[key] = ReadInteger(at.Key(key), value, INT32_MIN, INT32_MAX);
    }
    if (auto it = seen.find(entry.Code); it != seen.end())
      at.Key("code").Fail("duplicate code " + std::to_string(entry.Code) + " in list \"" + name +
                          "\" (first at " + place.Index(it->second).Pointer + ")");
    seen[entry.Code] = i;
    list.List.Entries.push_back(std::move(entry));
    list.EntryPlaces.push_back(at);
    list.KeyFields.push_back(std::move(keys));
  }
  listByName_[name] = lists_.size();
  lists_.push_back(std::move(list));
}

TDictProperty TDictionaryCompiler::ReadProperty(const TJsonPlace& place, const TJson& json,
                                                const std::vector<std::int32_t>& ancestors) {
  RequireObject(place, json);
  CheckKeys(place, json, {"id", "type", "children", "list", "default", "name", "description"});
  TDictProperty p;
  p.Identifier = ReadIdentifier(place.Key("id"), RequireMember(place, json, "id"));
  const std::string idText = ShortHexIdentifier(p.Identifier);
  const TJson& type = RequireMember(place, json, "type");
  bool known = false;
  for (std::uint8_t t = 0; t < 5; ++t)
    if (type.is_string() && type.get<std::string>() == kTypeNames[t]) {
      p.Type = t;
      known = true;
    }
  if (!known)
    place.Key("type").Fail("property " + idText +
                           ": type must be object, numeric, string, date or list");
  if (result_.Properties.count(p.Identifier) != 0)
    place.Key("id").Fail("duplicate identifier " + idText);

  if (p.Type == 0) {
    if (p.Identifier > 0xFFFF)
      place.Key("id").Fail("object " + idText + ": object identifiers must be below 0x10000");
  } else if (ancestors.empty()) {
    place.Key("id").Fail("value property " + idText + " must sit inside an object");
  } else if ((static_cast<std::uint32_t>(p.Identifier) >> 16) !=
             static_cast<std::uint32_t>(ancestors.back())) {
    place.Key("id").Fail("value property " + idText + ": its upper 16 bits are not its object " +
                         ShortHexIdentifier(ancestors.back()));
  }

  TPropertyInfo info;
  info.Identifier = p.Identifier;
  info.Type = p.Type;
  info.Ancestors = ancestors;

  if (auto it = json.find("list"); it != json.end()) {
    if (p.Type != 4)
      place.Key("list").Fail("property " + idText + " is not a list and cannot name a list");
    if (!it->is_string())
      place.Key("list").Fail("property " + idText + ": expected a list name");
    auto found = listByName_.find(it->get<std::string>());
    if (found == listByName_.end())
      place.Key("list").Fail("property " + idText + ": unknown list \"" + it->get<std::string>() +
                             "\"");
    p.List = static_cast<int>(found->second);
    lists_[found->second].Used = true;
  } else if (p.Type == 4) {
    place.Fail("list property " + idText + " names no list");
  }
  info.List = p.List;

  if (auto it = json.find("default"); it != json.end()) {
    p.HasDefault = true;
    p.DefaultText = ReadText(place.Key("default"), *it);
    CheckDefault(place.Key("default"), p);
  }
  result_.Properties[p.Identifier] = info;

  if (auto it = json.find("children"); it != json.end()) {
    if (p.Type != 0)
      place.Key("children").Fail("property " + idText + " is not an object and has children");
    RequireArray(place.Key("children"), *it);
    std::vector<std::int32_t> below = ancestors;
    below.push_back(p.Identifier);
    for (std::size_t i = 0; i < it->size(); ++i)
      p.Children.push_back(ReadProperty(place.Key("children").Index(i), (*it)[i], below));
  }
  return p;
}

void TDictionaryCompiler::CheckDefault(const TJsonPlace& place, const TDictProperty& p) {
  const std::string idText = ShortHexIdentifier(p.Identifier);
  const std::string& text = p.DefaultText;
  switch (p.Type) {
    case 0:
      place.Fail("object " + idText + " cannot have a default");
    case 1:
      if (!IsWholeNumber(text))
        place.Fail("numeric property " + idText + ": default \"" + text +
                   "\" is not a whole number");
      break;
    case 3:
      if (!text.empty() && !IsShortDate(text))
        place.Fail("date property " + idText + ": default \"" + text +
                   "\" is not a date dd/MM/yyyy (empty means today)");
      break;
    case 4: {
      if (!IsWholeNumber(text))
        place.Fail("list property " + idText + ": default \"" + text + "\" is not a code");
      const auto& list = lists_[static_cast<std::size_t>(p.List)];
      long long code = std::stoll(text);
      bool found = false;
      for (const auto& e : list.List.Entries)
        found = found || e.Code == code;
      if (!found)
        place.Fail("list property " + idText + ": default " + text + " is not a code of list \"" +
                   list.Name + "\"");
      break;
    }
    default:
      break;
  }
}

void TDictionaryCompiler::AssignListIndices(TDictProperty& p) {
  if (p.List >= 0)
    p.List = lists_[static_cast<std::size_t>(p.List)].FinalIndex;
  for (auto& child : p.Children)
    AssignListIndices(child);
}

void TDictionaryCompiler::ReadDependency(const TRawDependency& raw) {
  const TJsonPlace& place = raw.Place;
  const TJson& json = RequireObject(place, *raw.Json);
  CheckKeys(place, json, {"controlling", "dependent", "key"});
  std::int32_t controlling =
      ReadIdentifier(place.Key("controlling"), RequireMember(place, json, "controlling"));
  const TPropertyInfo* info = result_.Find(controlling);
  if (info == nullptr || info->Type != 4)
    place.Key("controlling").Fail(ShortHexIdentifier(controlling) + " is not a list property");
  for (const auto& dep : result_.Source.Dependencies)
    if (dep.ControllingPropertyId == controlling)
      place.Key("controlling")
          .Fail("a second dependency on " + ShortHexIdentifier(controlling) +
                " would never be used");
  const TJson& dependentName = RequireMember(place, json, "dependent");
  auto found = dependentName.is_string() ? listByName_.find(dependentName.get<std::string>())
                                         : listByName_.end();
  if (found == listByName_.end())
    place.Key("dependent").Fail("unknown list " + dependentName.dump());
  const TParsedList& dependent = lists_[found->second];
  if (!dependent.Used)
    place.Key("dependent").Fail("list \"" + dependent.Name + "\" is used by no property");
  const TJson& keyJson = RequireMember(place, json, "key");
  if (!keyJson.is_string())
    place.Key("key").Fail("expected the name of a field of the dependent entries");
  const std::string key = keyJson.get<std::string>();

  const TDictList& controllingList = result_.Source.Lists[static_cast<std::size_t>(info->List)];
  std::map<std::int64_t, std::size_t> blockOf;
  for (std::size_t c = 0; c < controllingList.Entries.size(); ++c)
    blockOf[controllingList.Entries[c].Code] = c;

  TDictDependency dependency;
  dependency.ControllingPropertyId = controlling;
  dependency.DependentList = dependent.FinalIndex;
  dependency.Blocks.resize(controllingList.Entries.size());
  for (std::size_t i = 0; i < dependent.List.Entries.size(); ++i) {
    auto k = dependent.KeyFields[i].find(key);
    if (k == dependent.KeyFields[i].end())
      dependent.EntryPlaces[i].Fail("entry " + std::to_string(dependent.List.Entries[i].Code) +
                                    " of list \"" + dependent.Name + "\" has no \"" + key +
                                    "\" and could never be chosen");
    auto block = blockOf.find(k->second);
    if (block == blockOf.end())
      dependent.EntryPlaces[i].Key(key).Fail(key + " " + std::to_string(k->second) +
                                             " is not a code of the list of " +
                                             ShortHexIdentifier(controlling));
    dependency.Blocks[block->second].push_back(static_cast<int>(i));
  }
  result_.Source.Dependencies.push_back(std::move(dependency));
}

}  // namespace

const TPropertyInfo* TCompiledDictionary::Find(std::int32_t id) const {
  auto it = Properties.find(id);
  return it == Properties.end() ? nullptr : &it->second;
}

const TDictList* TCompiledDictionary::ListOf(std::int32_t propertyId) const {
  const TPropertyInfo* info = Find(propertyId);
  if (info == nullptr || info->Type != 4 || info->List < 0)
    return nullptr;
  return &Source.Lists[static_cast<std::size_t>(info->List)];
}

TCompiledDictionary CompileDictionary(const std::string& fileName) {
  return TDictionaryCompiler().Compile(fileName);
}
