#include "tools/dictc/exportscompiler.h"

#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/jsonsupport.h"

namespace {

// A line with its CR LF holds at most 255 characters.
constexpr std::int64_t kMaxWidth = 253;

class TExportsCompiler {
 public:
  TExportsCompiler(const TCompiledDictionary* dictionary) : dictionary_(dictionary) {}
  TCompiledExports Compile(const std::string& fileName);

 private:
  // groups: the group identifiers of the root and every object around these records;
  // chain: the object identifiers of the transfer objects below the root.
  std::vector<TExportRecord> ReadRecords(const TJsonPlace& place, const TJson& records,
                                         std::vector<std::int32_t>& groups,
                                         std::vector<std::int32_t>& chain);
  TExportRecord ReadRecord(const TJsonPlace& place, const TJson& json,
                           std::vector<std::int32_t>& groups, std::vector<std::int32_t>& chain);
  void CheckField(const TJsonPlace& place, const TExportRecord& r,
                  const std::vector<std::int32_t>& chain);

  const TCompiledDictionary* dictionary_;
  TCompiledExports result_;
};

TCompiledExports TExportsCompiler::Compile(const std::string& fileName) {
  TJson root = LoadJsonFile(fileName);
  TJsonPlace top{fileName, ""};
  RequireObject(top, root);
  CheckKeys(top, root, {"header", "group", "records"});
  if (auto it = root.find("header"); it != root.end())
    result_.Header =
        static_cast<std::int32_t>(ReadInteger(top.Key("header"), *it, INT32_MIN, INT32_MAX));
  result_.Group = static_cast<std::int32_t>(
      ReadInteger(top.Key("group"), RequireMember(top, root, "group"), INT32_MIN, INT32_MAX));
  std::vector<std::int32_t> groups{result_.Group};
  std::vector<std::int32_t> chain;
  result_.Records =
      ReadRecords(top.Key("records"), RequireMember(top, root, "records"), groups, chain);
  return std::move(result_);
}

std::vector<TExportRecord> TExportsCompiler::ReadRecords(const TJsonPlace& place,
                                                         const TJson& records,
                                                         std::vector<std::int32_t>& groups,
                                                         std::vector<std::int32_t>& chain) {
  RequireArray(place, records);
  std::vector<TExportRecord> out;
  for (std::size_t i = 0; i < records.size(); ++i)
    out.push_back(ReadRecord(place.Index(i), records[i], groups, chain));
  return out;
}

TExportRecord TExportsCompiler::ReadRecord(const TJsonPlace& place, const TJson& json,
                                           std::vector<std::int32_t>& groups,
                                           std::vector<std::int32_t>& chain) {
  RequireObject(place, json);
  CheckKeys(place, json,
            {"source", "object", "id", "level", "width", "format", "literal", "from", "to", "group",
             "children"});
  TExportRecord r;
  if (auto it = json.find("object"); it != json.end())
    r.IsObject = ReadBoolean(place.Key("object"), *it);
  if (auto it = json.find("source"); it != json.end()) {
    if (r.IsObject)
      place.Key("source").Fail("an object record has no source");
    std::string source = it->is_string() ? it->get<std::string>() : "";
    if (source == "occurrence")
      r.SourceKind = 0;
    else if (source == "literal")
      r.SourceKind = 1;
    else if (source == "value")
      r.SourceKind = 2;
    else
      place.Key("source").Fail("source must be occurrence, literal or value");
  } else if (!r.IsObject) {
    place.Fail("a field record needs a source");
  }
  if (auto it = json.find("id"); it != json.end())
    r.PropertyId = ReadIdentifier(place.Key("id"), *it);
  else if (r.IsObject || r.SourceKind == 2)
    place.Fail("missing \"id\"");
  if (auto it = json.find("level"); it != json.end())
    r.Level = static_cast<std::uint8_t>(ReadInteger(place.Key("level"), *it, 0, 255));
  if (auto it = json.find("width"); it != json.end())
    r.Width = static_cast<std::int32_t>(ReadInteger(place.Key("width"), *it, 0, kMaxWidth));
  if (auto it = json.find("format"); it != json.end())
    r.FormatKind = static_cast<std::int32_t>(ReadInteger(place.Key("format"), *it, 0, 4));
  if (auto it = json.find("literal"); it != json.end())
    r.Literal = ReadText(place.Key("literal"), *it);
  if (auto it = json.find("from"); it != json.end())
    r.From = static_cast<std::int32_t>(ReadInteger(place.Key("from"), *it, 0, INT32_MAX));
  if (auto it = json.find("to"); it != json.end())
    r.To = static_cast<std::int32_t>(ReadInteger(place.Key("to"), *it, 0, INT32_MAX));

  if (!r.IsObject) {
    for (const char* key : {"from", "to", "group", "children"})
      if (json.contains(key))
        place.Key(key).Fail(std::string("a field record has no \"") + key + "\"");
    if (r.Literal.size() > static_cast<std::size_t>(r.Width) && r.SourceKind == 1)
      result_.Warnings.push_back(place.File + ": " + place.Pointer + ": literal \"" + r.Literal +
                                 "\" is cut to width " + std::to_string(r.Width));
    CheckField(place, r, chain);
    return r;
  }

  const std::string idText = ShortHexIdentifier(r.PropertyId);
  if (r.PropertyId > 0xFFFF)
    place.Key("id").Fail("object record " + idText + ": object identifiers are below 0x10000");
  if (dictionary_ != nullptr) {
    const TPropertyInfo* info = dictionary_->Find(r.PropertyId);
    if (info == nullptr || info->Type != 0)
      place.Key("id").Fail(idText + " is not an object property of the dictionary");
  }
  if (r.To < r.From)
    place.Key("to").Fail("object " + idText + " iterates " + std::to_string(r.From) + " to " +
                         std::to_string(r.To) + " and would write nothing");
  r.Group = static_cast<std::int32_t>(
      ReadInteger(place.Key("group"), RequireMember(place, json, "group"), INT32_MIN, INT32_MAX));
  for (std::int32_t outer : groups)
    if (outer == r.Group)
      place.Key("group").Fail("object " + idText + " shares group identifier " +
                              std::to_string(r.Group) + " with an object around it");
  const TJson& children = RequireMember(place, json, "children");
  RequireArray(place.Key("children"), children);
  // The reader gives an object the records that follow it; without children it would take its
  // siblings.
  if (children.empty())
    place.Key("children").Fail("object " + idText + " has no fields");
  groups.push_back(r.Group);
  chain.push_back(r.PropertyId);
  r.Children = ReadRecords(place.Key("children"), children, groups, chain);
  chain.pop_back();
  groups.pop_back();
  return r;
}

void TExportsCompiler::CheckField(const TJsonPlace& place, const TExportRecord& r,
                                  const std::vector<std::int32_t>& chain) {
  if (r.SourceKind == 0 && r.Level > 0 && chain.size() != 1)
    place.Fail("an occurrence number belongs directly inside a top-level object");
  if (r.SourceKind == 0 && r.Level > 0 && chain.size() == 1 && dictionary_ != nullptr) {
    const TPropertyInfo* object = dictionary_->Find(chain[0]);
    if (object != nullptr && static_cast<std::size_t>(r.Level) > object->Ancestors.size() + 1)
      place.Key("level").Fail("level " + std::to_string(r.Level) + " reaches above object " +
                              ShortHexIdentifier(chain[0]));
  }
  if (r.SourceKind != 2 || dictionary_ == nullptr)
    return;
  const std::string idText = ShortHexIdentifier(r.PropertyId);
  const TPropertyInfo* info = dictionary_->Find(r.PropertyId);
  if (info == nullptr)
    place.Key("id").Fail("unknown property " + idText);
  if (info->Type == 0)
    place.Key("id").Fail(idText + " is an object, not a value");
  if (info->Type == 3 && r.FormatKind > 4)
    place.Key("format").Fail("date " + idText + ": format must be 0 to 4");
  if (info->Type == 4 && r.FormatKind > 2)
    place.Key("format").Fail("list " + idText +
                             ": format must be 0 (code), 1 (description) or "
                             "2 (ABI code)");
  // A field inside a top-level object is looked up among the occurrences of its own holding
  // object; inside nested objects, through the path the chain of objects builds.
  const auto& ancestors = info->Ancestors;
  if (chain.size() == 1 && ancestors.back() != chain[0])
    place.Key("id").Fail(idText + " is held by object " + ShortHexIdentifier(ancestors.back()) +
                         ", not by the enclosing object " + ShortHexIdentifier(chain[0]));
  if (chain.size() > 1) {
    bool aligned = chain.size() <= ancestors.size();
    for (std::size_t j = 0; aligned && j < chain.size(); ++j)
      aligned = chain[chain.size() - 1 - j] == ancestors[ancestors.size() - 1 - j];
    if (!aligned)
      place.Key("id").Fail(idText + " does not lie beneath the chain of enclosing objects");
  }
}

std::int64_t CountLines(const std::vector<TExportRecord>& records) {
  std::int64_t lines = 0;
  for (const auto& r : records) {
    if (r.IsObject)
      lines += (r.To >= r.From ? r.To - r.From + 1 : 0) * CountLines(r.Children);
    else
      ++lines;
  }
  return lines;
}

}  // namespace

TCompiledExports CompileExports(const std::string& fileName,
                                const TCompiledDictionary* dictionary) {
  return TExportsCompiler(dictionary).Compile(fileName);
}

std::int64_t CountExportLines(const std::vector<TExportRecord>& records) {
  return CountLines(records);
}
