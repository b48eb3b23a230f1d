#include "dataserver/dictwriter.h"

#include <algorithm>
#include <cstdio>

#include "dataserver/binarystream.h"

namespace {

void WriteProperty(TBinaryWriter& out, const TDictProperty& p,
                   const std::vector<std::int32_t>& listOffsets) {
  out.WriteInt32(p.Identifier);
  out.WriteUInt8(p.Type);
  out.WriteUInt8(p.HasDefault ? 1 : 0);
  out.WriteShortString(p.DefaultText);
  std::int32_t offset = 0;
  if (p.Type == 4 && p.List >= 0 && static_cast<std::size_t>(p.List) < listOffsets.size())
    offset = listOffsets[static_cast<std::size_t>(p.List)];
  out.WriteInt32(offset);
  if (p.Type == 0) {
    out.WriteInt32(static_cast<std::int32_t>(p.Children.size()));
    for (const auto& child : p.Children)
      WriteProperty(out, child, listOffsets);
  }
}

std::size_t EntrySize(const TDictListEntry& e) {
  auto len = [](const std::string& s) { return 1 + std::min<std::size_t>(s.size(), 255); };
  return 12 + len(e.Description) + len(e.AbiCode) + 4;
}

// Builds a balanced tree over the entries sorted by code; answers the root's index into
// `byCode` or -1, and fills left/right (as indices into the display order).
int BuildTree(const std::vector<int>& byCode, int low, int high, std::vector<int>& left,
              std::vector<int>& right) {
  if (low > high)
    return -1;
  int middle = low + (high - low) / 2;
  int node = byCode[static_cast<std::size_t>(middle)];
  left[static_cast<std::size_t>(node)] = BuildTree(byCode, low, middle - 1, left, right);
  right[static_cast<std::size_t>(node)] = BuildTree(byCode, middle + 1, high, left, right);
  return node;
}

void WriteList(TBinaryWriter& out, const TDictList& list) {
  const auto count = list.Entries.size();
  std::vector<std::int32_t> positions(count);
  std::int32_t position = static_cast<std::int32_t>(out.Size()) + 8;
  for (std::size_t i = 0; i < count; ++i) {
    positions[i] = position;
    position += static_cast<std::int32_t>(EntrySize(list.Entries[i]));
  }
  std::vector<int> byCode(count);
  for (std::size_t i = 0; i < count; ++i)
    byCode[i] = static_cast<int>(i);
  std::stable_sort(byCode.begin(), byCode.end(), [&](int a, int b) {
    return list.Entries[static_cast<std::size_t>(a)].Code <
           list.Entries[static_cast<std::size_t>(b)].Code;
  });
  std::vector<int> left(count, -1), right(count, -1);
  int root = BuildTree(byCode, 0, static_cast<int>(count) - 1, left, right);
  auto at = [&](int index) { return index < 0 ? 0 : positions[static_cast<std::size_t>(index)]; };

  out.WriteInt32(static_cast<std::int32_t>(count));
  out.WriteInt32(at(root));
  for (std::size_t i = 0; i < count; ++i) {
    const auto& e = list.Entries[i];
    out.WriteInt32(at(left[i]));
    out.WriteInt32(at(right[i]));
    out.WriteInt32(static_cast<std::int32_t>(i + 1));
    out.WriteShortString(e.Description);
    out.WriteShortString(e.AbiCode);
    out.WriteInt32(e.Code);
  }
}

void WriteDependencies(TBinaryWriter& out, const TDictionarySource& source,
                       const std::vector<std::int32_t>& listOffsets) {
  const auto& deps = source.Dependencies;
  out.WriteInt32(static_cast<std::int32_t>(deps.size()));
  std::size_t rowsAt = out.Size();
  for (std::size_t r = 0; r < deps.size(); ++r) {
    out.WriteInt32(deps[r].ControllingPropertyId);
    out.WriteInt32(static_cast<std::int32_t>(deps[r].Blocks.size()));
    out.WriteInt32(0);  // index position, patched below
  }
  for (std::size_t r = 0; r < deps.size(); ++r) {
    const auto& dep = deps[r];
    out.PatchInt32(rowsAt + 12 * r + 8, static_cast<std::int32_t>(out.Size()));
    std::size_t indexAt = out.Size();
    for (std::size_t b = 0; b < dep.Blocks.size(); ++b) {
      out.WriteInt32(0);
      out.WriteInt32(static_cast<std::int32_t>(dep.Blocks[b].size()));
    }
    // The positions of the dependent list's entries, recomputed from its layout.
    std::vector<std::int32_t> entryPositions;
    if (dep.DependentList >= 0 &&
        static_cast<std::size_t>(dep.DependentList) < source.Lists.size()) {
      const auto& list = source.Lists[static_cast<std::size_t>(dep.DependentList)];
      std::int32_t position = listOffsets[static_cast<std::size_t>(dep.DependentList)] + 8;
      for (const auto& e : list.Entries) {
        entryPositions.push_back(position);
        position += static_cast<std::int32_t>(EntrySize(e));
      }
    }
    for (std::size_t b = 0; b < dep.Blocks.size(); ++b) {
      out.PatchInt32(indexAt + 8 * b, static_cast<std::int32_t>(out.Size()));
      for (int entry : dep.Blocks[b]) {
        std::int32_t position = 0;
        if (entry >= 0 && static_cast<std::size_t>(entry) < entryPositions.size())
          position = entryPositions[static_cast<std::size_t>(entry)];
        out.WriteInt32(position);
      }
    }
  }
}

void CollectRecords(const std::vector<TExportRecord>& records, std::int32_t group,
                    std::vector<std::pair<std::int32_t, const TExportRecord*>>& flat) {
  for (const auto& r : records) {
    flat.emplace_back(group, &r);
    if (r.IsObject)
      CollectRecords(r.Children, r.Group, flat);
  }
}

}  // namespace

TDictionaryFiles WriteDictionaryFiles(const TDictionarySource& source) {
  TDictionaryFiles files;
  TBinaryWriter lists;
  lists.WriteInt32(source.Version);
  lists.WriteInt32(0);  // dependency table position, patched below
  for (const auto& list : source.Lists) {
    files.ListOffsets.push_back(static_cast<std::int32_t>(lists.Size()));
    WriteList(lists, list);
  }
  if (!source.Dependencies.empty()) {
    lists.PatchInt32(4, static_cast<std::int32_t>(lists.Size()));
    WriteDependencies(lists, source, files.ListOffsets);
  }
  files.Lists = lists.Bytes();

  TBinaryWriter structure;
  structure.WriteInt32(source.Version);
  structure.WriteInt32(static_cast<std::int32_t>(source.TopLevel.size()));
  for (const auto& p : source.TopLevel)
    WriteProperty(structure, p, files.ListOffsets);
  files.Struct = structure.Bytes();
  return files;
}

std::vector<std::uint8_t> WriteExportsFile(std::int32_t header, std::int32_t rootGroup,
                                           const std::vector<TExportRecord>& records) {
  std::vector<std::pair<std::int32_t, const TExportRecord*>> flat;
  CollectRecords(records, rootGroup, flat);
  TBinaryWriter out;
  out.WriteInt32(header);
  for (const auto& [group, r] : flat) {
    out.WriteInt32(group);
    out.WriteUInt8(r->SourceKind);
    out.WriteUInt8(r->Level);
    out.WriteInt32(r->PropertyId);
    out.WriteUInt8(r->IsObject ? 1 : 0);
    out.WriteInt32(r->Width);
    out.WriteShortString(r->Literal);
    out.WriteInt32(r->FormatKind);
    out.WriteInt32(r->From);
    out.WriteInt32(r->To);
  }
  if (flat.empty())
    out.WriteInt32(rootGroup);
  return out.Bytes();
}

bool WriteBytesToFile(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(fileName.c_str(), "wb");
  if (f == nullptr)
    return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0) && ok;
}
