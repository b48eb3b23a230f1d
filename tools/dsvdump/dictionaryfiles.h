#pragma once
// Reads "Struct.BIN" and "Lists.BIN" back into plain structures, for the dump tool and for the
// tools that need a dictionary's types and list texts without opening the Data Server.
// Malformed files raise EReadError (dataserver/binarystream.h).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct TStructRecord {
  std::int32_t Identifier = 0;
  std::uint8_t Type = 0;
  bool HasDefault = false;
  std::string DefaultText;  // Windows-1252
  std::int32_t ListOffset = 0;
  std::vector<TStructRecord> Children;
};

struct TStructFile {
  std::int32_t Version = 0;
  std::vector<TStructRecord> TopLevel;
};

struct TListsEntry {
  std::int32_t Position = 0;
  std::int32_t Left = 0;
  std::int32_t Right = 0;
  std::int32_t Ordinal = 0;
  std::string Description;  // Windows-1252
  std::string AbiCode;      // Windows-1252
  std::int32_t Code = 0;
};

struct TListsList {
  std::int32_t Offset = 0;
  std::int32_t Root = 0;
  std::vector<TListsEntry> Entries;
};

struct TListsDependencyRow {
  std::int32_t ControllingPropertyId = 0;
  // One block per controlling entry (in ordinal order): positions of dependent entries.
  std::vector<std::vector<std::int32_t>> Blocks;
};

struct TListsFile {
  std::int32_t Version = 0;
  std::int32_t DependencyTable = 0;
  std::vector<TListsList> Lists;  // in file order
  std::vector<TListsDependencyRow> Dependencies;

  const TListsList* ListAt(std::int32_t offset) const;
};

TStructFile ReadStructFile(const std::string& fileName);
// Walks the lists one after the other from offset 8 up to the dependency table (or the end).
TListsFile ReadListsFile(const std::string& fileName);
// Reads one list at a known offset (for files whose lists do not follow one another).
TListsList ReadListAt(const std::string& fileName, std::int32_t offset);

// Empty when the list's search tree is sound; otherwise what is wrong with it.
std::string CheckSearchTree(const TListsList& list);

// A dictionary read back: each property's type and, for list properties, the list's entries.
// Holds pointers into its own lists, so it moves but never copies.
struct TDictionaryView {
  TDictionaryView() = default;
  TDictionaryView(const TDictionaryView&) = delete;
  TDictionaryView& operator=(const TDictionaryView&) = delete;
  TDictionaryView(TDictionaryView&&) = default;
  TDictionaryView& operator=(TDictionaryView&&) = default;

  std::int32_t Version = 0;
  std::map<std::int32_t, std::uint8_t> Types;
  std::map<std::int32_t, const TListsList*> ListOf;
  TStructFile Struct;
  TListsFile Lists;

  // The description of a code of a list property, or empty.
  std::string Describe(std::int32_t propertyId, std::int32_t code) const;
};

// Loads "Struct.BIN" and "Lists.BIN" from a folder.
TDictionaryView LoadDictionaryView(const std::string& folder);
