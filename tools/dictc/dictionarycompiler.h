#pragma once
// Compiles the readable dictionary source (dictionary.json and the files it includes) into the
// in-memory description that dataserver/dictwriter.h lays out as "Struct.BIN" and "Lists.BIN".
// Every fault of the source is refused with ECompileError naming the file, the place and the
// fault.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "dataserver/dictwriter.h"

// What the other compilers need to know about one property of a compiled dictionary.
struct TPropertyInfo {
  std::int32_t Identifier = 0;
  std::uint8_t Type = 0;
  int List = -1;                        // index into the compiled lists for a list property
  std::vector<std::int32_t> Ancestors;  // object identifiers from the top-level object down
};

struct TCompiledDictionary {
  std::int16_t Application = 0;
  std::int16_t Version = 0;
  TDictionarySource Source;            // ready for WriteDictionaryFiles
  std::vector<std::string> ListNames;  // parallel to Source.Lists
  std::map<std::int32_t, TPropertyInfo> Properties;
  std::vector<std::string> Warnings;  // faults that do not stop the compilation

  const TPropertyInfo* Find(std::int32_t id) const;
  // The entries of the list behind a list property; null when the property is not a list.
  const TDictList* ListOf(std::int32_t propertyId) const;
};

TCompiledDictionary CompileDictionary(const std::string& fileName);

// The version word both dictionary files start with.
inline std::int32_t DictionaryVersionWord(std::int16_t application, std::int16_t version) {
  return application * 65536 + version;
}
