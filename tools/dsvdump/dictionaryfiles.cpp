#include "tools/dsvdump/dictionaryfiles.h"

#include <filesystem>
#include <functional>
#include <set>

#include "dataserver/binarystream.h"

namespace {

void OpenOrThrow(TBinaryReader& in, const std::string& fileName) {
  if (!in.Open(fileName))
    throw EReadError("cannot open " + fileName);
}

TStructRecord ReadRecord(TBinaryReader& in, int depth) {
  if (depth > 64)
    throw EReadError("Struct.BIN: objects nested too deeply");
  TStructRecord r;
  r.Identifier = in.ReadInt32();
  r.Type = in.ReadUInt8();
  r.HasDefault = in.ReadUInt8() != 0;
  r.DefaultText = in.ReadShortString();
  r.ListOffset = in.ReadInt32();
  if (r.Type != 4 || r.ListOffset < 0)
    r.ListOffset = 0;
  if (r.Type == 0) {
    std::int32_t count = in.ReadInt32();
    // Each record needs at least 11 bytes; a larger count can only be damage.
    if (count > in.Remaining() / 11)
      throw EReadError("Struct.BIN: child count beyond the end of the file");
    for (std::int32_t i = 0; i < count; ++i)
      r.Children.push_back(ReadRecord(in, depth + 1));
  }
  return r;
}

TListsEntry ReadEntry(TBinaryReader& in) {
  TListsEntry e;
  e.Position = static_cast<std::int32_t>(in.Position());
  e.Left = in.ReadInt32();
  e.Right = in.ReadInt32();
  e.Ordinal = in.ReadInt32();
  e.Description = in.ReadShortString();
  e.AbiCode = in.ReadShortString();
  e.Code = in.ReadInt32();
  return e;
}

TListsList ReadList(TBinaryReader& in) {
  TListsList list;
  list.Offset = static_cast<std::int32_t>(in.Position());
  std::int32_t count = in.ReadInt32();
  list.Root = in.ReadInt32();
  if (count < 0 || count > in.Remaining() / 18)
    throw EReadError("Lists.BIN: entry count beyond the end of the file at " +
                     std::to_string(list.Offset));
  for (std::int32_t i = 0; i < count; ++i)
    list.Entries.push_back(ReadEntry(in));
  return list;
}

void CollectTypes(const TStructRecord& r, TDictionaryView& view) {
  view.Types[r.Identifier] = r.Type;
  if (r.Type == 4 && r.ListOffset > 0)
    view.ListOf[r.Identifier] = view.Lists.ListAt(r.ListOffset);
  for (const auto& c : r.Children)
    CollectTypes(c, view);
}

}  // namespace

const TListsList* TListsFile::ListAt(std::int32_t offset) const {
  for (const auto& list : Lists)
    if (list.Offset == offset)
      return &list;
  return nullptr;
}

TStructFile ReadStructFile(const std::string& fileName) {
  TBinaryReader in;
  OpenOrThrow(in, fileName);
  TStructFile file;
  file.Version = in.ReadInt32();
  std::int32_t count = in.ReadInt32();
  if (count > in.Remaining() / 11)
    throw EReadError("Struct.BIN: property count beyond the end of the file");
  for (std::int32_t i = 0; i < count; ++i)
    file.TopLevel.push_back(ReadRecord(in, 0));
  return file;
}

TListsFile ReadListsFile(const std::string& fileName) {
  TBinaryReader in;
  OpenOrThrow(in, fileName);
  TListsFile file;
  file.Version = in.ReadInt32();
  file.DependencyTable = in.ReadInt32();
  std::int64_t listsEnd = file.DependencyTable > 0 ? file.DependencyTable : in.Size();
  while (in.Position() < listsEnd)
    file.Lists.push_back(ReadList(in));
  if (file.DependencyTable > 0) {
    in.Seek(file.DependencyTable);
    std::int32_t rows = in.ReadInt32();
    if (rows < 0 || rows > in.Remaining() / 12)
      throw EReadError("Lists.BIN: dependency row count beyond the end of the file");
    std::vector<std::int32_t> indexPositions;
    for (std::int32_t r = 0; r < rows; ++r) {
      TListsDependencyRow row;
      row.ControllingPropertyId = in.ReadInt32();
      std::int32_t covered = in.ReadInt32();
      if (covered < 0 || covered > in.Size() / 8)
        throw EReadError("Lists.BIN: dependency row covers more entries than fit");
      row.Blocks.resize(static_cast<std::size_t>(covered));
      indexPositions.push_back(in.ReadInt32());
      file.Dependencies.push_back(std::move(row));
    }
    for (std::size_t r = 0; r < file.Dependencies.size(); ++r) {
      auto& row = file.Dependencies[r];
      for (std::size_t b = 0; b < row.Blocks.size(); ++b) {
        in.Seek(indexPositions[r] + static_cast<std::int64_t>(8 * b));
        std::int32_t blockAt = in.ReadInt32();
        std::int32_t count = in.ReadInt32();
        if (count < 0 || count > in.Size() / 4)
          throw EReadError("Lists.BIN: dependency block larger than the file");
        if (count > 0)
          in.Seek(blockAt);
        for (std::int32_t i = 0; i < count; ++i)
          row.Blocks[b].push_back(in.ReadInt32());
      }
    }
  }
  return file;
}

TListsList ReadListAt(const std::string& fileName, std::int32_t offset) {
  TBinaryReader in;
  OpenOrThrow(in, fileName);
  in.Seek(offset);
  return ReadList(in);
}

std::string CheckSearchTree(const TListsList& list) {
  std::map<std::int32_t, const TListsEntry*> byPosition;
  for (const auto& e : list.Entries)
    byPosition[e.Position] = &e;
  std::set<std::int32_t> visited;
  std::string fault;
  // In-order walk: every entry once, codes strictly ascending.
  bool havePrevious = false;
  std::int32_t previous = 0;
  std::function<void(std::int32_t, int)> walk = [&](std::int32_t at, int depth) {
    if (at <= 0 || !fault.empty())
      return;
    auto it = byPosition.find(at);
    if (it == byPosition.end()) {
      fault = "position " + std::to_string(at) + " is not an entry of the list";
      return;
    }
    if (!visited.insert(at).second || depth > 64) {
      fault = "the tree loops at position " + std::to_string(at);
      return;
    }
    walk(it->second->Left, depth + 1);
    if (havePrevious && it->second->Code <= previous && fault.empty())
      fault = "code " + std::to_string(it->second->Code) + " is out of order";
    havePrevious = true;
    previous = it->second->Code;
    walk(it->second->Right, depth + 1);
  };
  walk(list.Root, 0);
  if (fault.empty() && visited.size() != list.Entries.size())
    fault = std::to_string(list.Entries.size() - visited.size()) +
            " entries cannot be reached through the tree";
  for (std::size_t i = 0; fault.empty() && i < list.Entries.size(); ++i)
    if (list.Entries[i].Ordinal != static_cast<std::int32_t>(i + 1))
      fault = "entry " + std::to_string(i + 1) + " carries ordinal " +
              std::to_string(list.Entries[i].Ordinal);
  return fault;
}

std::string TDictionaryView::Describe(std::int32_t propertyId, std::int32_t code) const {
  auto it = ListOf.find(propertyId);
  if (it == ListOf.end() || it->second == nullptr)
    return {};
  for (const auto& e : it->second->Entries)
    if (e.Code == code)
      return e.Description;
  return {};
}

TDictionaryView LoadDictionaryView(const std::string& folder) {
  namespace fs = std::filesystem;
  TDictionaryView view;
  view.Struct = ReadStructFile((fs::path(folder) / "Struct.BIN").string());
  view.Lists = ReadListsFile((fs::path(folder) / "Lists.BIN").string());
  view.Version = view.Struct.Version;
  for (const auto& r : view.Struct.TopLevel)
    CollectTypes(r, view);
  return view;
}
