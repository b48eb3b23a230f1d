#include "tools/dictc/occupationcompiler.h"

#include <set>

#include "dataserver/binarystream.h"
#include "motor/identifiers.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/jsonsupport.h"

namespace {

class TOccupationCompiler {
 public:
  explicit TOccupationCompiler(const TCompiledDictionary* dictionary) : dictionary_(dictionary) {}

  std::vector<TBusinessNode> Compile(const std::string& fileName) {
    TJson root = LoadJsonFile(fileName);
    TJsonPlace top{fileName, ""};
    RequireObject(top, root);
    CheckKeys(top, root, {"tree"});
    TJsonPlace treePlace = top.Key("tree");
    const TJson& tree = RequireArray(treePlace, RequireMember(top, root, "tree"));
    if (tree.empty())
      treePlace.Fail("the occupation tree has no employer's business");
    std::vector<TBusinessNode> out;
    std::set<std::int64_t> seen;
    for (std::size_t b = 0; b < tree.size(); ++b) {
      TJsonPlace bp = treePlace.Index(b);
      TBusinessNode business;
      const TJson& occupations = Node(bp, tree[b], "employer's business",
                                      ListId::EmployersBusinesses, seen, business.Code);
      std::set<std::int64_t> seenOccupations;
      for (std::size_t o = 0; o < occupations.size(); ++o) {
        TJsonPlace op = bp.Key("children").Index(o);
        TMainOccupationNode occupation;
        const TJson& qualifiers = Node(op, occupations[o], "occupation", ListId::Occupations,
                                       seenOccupations, occupation.Code);
        std::set<std::int64_t> seenQualifiers;
        for (std::size_t q = 0; q < qualifiers.size(); ++q) {
          TJsonPlace qp = op.Key("children").Index(q);
          TOccupationQualifier qualifier;
          const TJson& statuses = Node(qp, qualifiers[q], "qualifier", ListId::OccupationQualifiers,
                                       seenQualifiers, qualifier.Code);
          std::set<std::int64_t> seenStatuses;
          for (std::size_t s = 0; s < statuses.size(); ++s)
            qualifier.Statuses.push_back(
                Status(qp.Key("children").Index(s), statuses[s], seenStatuses));
          occupation.Qualifiers.push_back(std::move(qualifier));
        }
        business.Occupations.push_back(std::move(occupation));
      }
      out.push_back(std::move(business));
    }
    return out;
  }

 private:
  // Reads one node's code and answers its (non-empty) children.
  const TJson& Node(const TJsonPlace& place, const TJson& json, const std::string& what,
                    std::int32_t list, std::set<std::int64_t>& seen, std::uint16_t& code) {
    RequireObject(place, json);
    CheckKeys(place, json, {"code", "children", "name"});
    std::int64_t value =
        ReadInteger(place.Key("code"), RequireMember(place, json, "code"), 0, 0xFFFF);
    if (!seen.insert(value).second)
      place.Key("code").Fail(what + " " + std::to_string(value) + " appears twice here");
    if (!(list == ListId::OccupationQualifiers && value == 0))
      CheckInList(place.Key("code"), what, list, value);
    code = static_cast<std::uint16_t>(value);
    const TJson& children =
        RequireArray(place.Key("children"), RequireMember(place, json, "children"));
    if (children.empty())
      place.Key("children").Fail(what + " " + std::to_string(value) + " has nothing beneath it");
    return children;
  }

  std::uint8_t Status(const TJsonPlace& place, const TJson& json, std::set<std::int64_t>& seen) {
    RequireObject(place, json);
    CheckKeys(place, json, {"code", "name"});
    // 0 ends the run of status bytes, so it cannot be a status.
    std::int64_t value = ReadInteger(place.Key("code"), RequireMember(place, json, "code"), 1, 255);
    if (!seen.insert(value).second)
      place.Key("code").Fail("employment status " + std::to_string(value) + " appears twice here");
    CheckInList(place.Key("code"), "employment status", ListId::EmploymentStatuses, value);
    return static_cast<std::uint8_t>(value);
  }

  void CheckInList(const TJsonPlace& place, const std::string& what, std::int32_t list,
                   std::int64_t code) {
    if (dictionary_ == nullptr)
      return;
    const TDictList* entries = dictionary_->ListOf(list);
    if (entries == nullptr)
      place.Fail("the dictionary has no list property " + ShortHexIdentifier(list) + " for " +
                 what + " codes");
    for (const auto& e : entries->Entries)
      if (e.Code == code)
        return;
    place.Fail(what + " " + std::to_string(code) + " is not a code of list " +
               ShortHexIdentifier(list));
  }

  const TCompiledDictionary* dictionary_;
};

void WriteNodeHeader(TBinaryWriter& out, std::uint16_t code, std::size_t& patchAt) {
  out.WriteUInt16(code);
  patchAt = out.Size();
  out.WriteInt32(0);
}

}  // namespace

std::vector<TBusinessNode> CompileOccupations(const std::string& fileName,
                                              const TCompiledDictionary* dictionary) {
  return TOccupationCompiler(dictionary).Compile(fileName);
}

std::vector<std::uint8_t> WriteOccupationMap(const std::vector<TBusinessNode>& tree) {
  TBinaryWriter out;
  // Each sibling's position is known only once its predecessor's subtree has been written.
  std::size_t previousBusiness = 0;
  for (std::size_t b = 0; b < tree.size(); ++b) {
    if (b > 0)
      out.PatchInt32(previousBusiness, static_cast<std::int32_t>(out.Size()));
    WriteNodeHeader(out, tree[b].Code, previousBusiness);
    std::size_t previousOccupation = 0;
    const auto& occupations = tree[b].Occupations;
    for (std::size_t o = 0; o < occupations.size(); ++o) {
      if (o > 0)
        out.PatchInt32(previousOccupation, static_cast<std::int32_t>(out.Size()));
      WriteNodeHeader(out, occupations[o].Code, previousOccupation);
      std::size_t previousQualifier = 0;
      const auto& qualifiers = occupations[o].Qualifiers;
      for (std::size_t q = 0; q < qualifiers.size(); ++q) {
        if (q > 0)
          out.PatchInt32(previousQualifier, static_cast<std::int32_t>(out.Size()));
        WriteNodeHeader(out, qualifiers[q].Code, previousQualifier);
        for (std::uint8_t status : qualifiers[q].Statuses)
          out.WriteUInt8(status);
        out.WriteUInt8(0);
      }
    }
  }
  return out.Bytes();
}
