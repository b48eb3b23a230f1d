#pragma once
// Serialises an in-memory description of a dictionary into the bytes of "Struct.BIN" and
// "Lists.BIN", and a transfer definition into the bytes of "Exports.BIN". Used by the dictionary
// compiler, the demo installation and the tests, so that every binary file is built from a
// readable description.

#include <cstdint>
#include <string>
#include <vector>

struct TDictListEntry {
  std::int32_t Code = 0;
  std::string Description;
  std::string AbiCode;
};

// One list in display order (ordinals 1, 2, ... follow the order here).
struct TDictList {
  std::vector<TDictListEntry> Entries;
};

struct TDictProperty {
  std::int32_t Identifier = 0;
  std::uint8_t Type = 0;  // 0 object, 1 numeric, 2 string, 3 date, 4 list
  bool HasDefault = false;
  std::string DefaultText;
  int List = -1;  // index into TDictionarySource::Lists for a list property
  std::vector<TDictProperty> Children;
};

// Restricts a dependent list by the choice made in a controlling list: for each entry of the
// controlling list, in display order, the dependent entries (indices into the dependent list)
// that go with it.
struct TDictDependency {
  std::int32_t ControllingPropertyId = 0;
  int DependentList = -1;
  std::vector<std::vector<int>> Blocks;
};

struct TDictionarySource {
  std::int32_t Version = 0;  // application number * 65536 + dictionary version
  std::vector<TDictProperty> TopLevel;
  std::vector<TDictList> Lists;
  std::vector<TDictDependency> Dependencies;
};

struct TDictionaryFiles {
  std::vector<std::uint8_t> Struct;
  std::vector<std::uint8_t> Lists;
  std::vector<std::int32_t> ListOffsets;  // position of each list in Lists
};

// Lays out both files. Each list's entries form a balanced search tree over their codes.
TDictionaryFiles WriteDictionaryFiles(const TDictionarySource& source);

// One record of a transfer definition. An object record iterates From..To and holds children.
struct TExportRecord {
  std::uint8_t SourceKind = 2;  // 0 occurrence number, 1 literal text, 2 property value
  std::uint8_t Level = 0;
  std::int32_t PropertyId = 0;
  bool IsObject = false;
  std::int32_t Width = 0;
  std::string Literal;
  std::int32_t FormatKind = 0;
  std::int32_t From = 1;
  std::int32_t To = 1;
  std::int32_t Group = 0;  // objects only: the group identifier its children's records carry
  std::vector<TExportRecord> Children;
};

// The root's children with the root's group identifier. Nested objects must use group
// identifiers that differ from those of the objects around them and from their siblings' groups
// as the reader expects; the writer does not check.
std::vector<std::uint8_t> WriteExportsFile(std::int32_t header, std::int32_t rootGroup,
                                           const std::vector<TExportRecord>& records);

// Writes bytes to a file (replacing it); false on failure.
bool WriteBytesToFile(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
