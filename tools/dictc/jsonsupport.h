#pragma once
// Reading the readable sources: JSON files, checked field by field, every refusal naming the file
// and the JSON pointer of the offending value.

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

#include "tools/dictc/compileerror.h"

// Objects keep their keys in file order, so lists come out in the order they were written.
using TJson = nlohmann::ordered_json;

// Where a value sits: its file and its JSON pointer.
struct TJsonPlace {
  std::string File;
  std::string Pointer;

  TJsonPlace Key(const std::string& key) const;
  TJsonPlace Index(std::size_t index) const;
  [[noreturn]] void Fail(const std::string& fault) const;
};

// Parses a whole file; a missing file or bad JSON is refused with the parser's position.
TJson LoadJsonFile(const std::string& fileName);

// Refuses any key of an object that is not listed. "comment" and keys starting with "_" are
// always allowed, for notes in the sources.
void CheckKeys(const TJsonPlace& place, const TJson& object,
               std::initializer_list<const char*> allowed);

const TJson& RequireObject(const TJsonPlace& place, const TJson& value);
const TJson& RequireArray(const TJsonPlace& place, const TJson& value);
// The member or a refusal naming the missing key.
const TJson& RequireMember(const TJsonPlace& place, const TJson& object, const char* key);

// A whole number within [low, high].
std::int64_t ReadInteger(const TJsonPlace& place, const TJson& value, std::int64_t low,
                         std::int64_t high);
// An identifier written as a hexadecimal string ("0xF0005") or as a number; above 0.
std::int32_t ReadIdentifier(const TJsonPlace& place, const TJson& value);
bool ReadBoolean(const TJsonPlace& place, const TJson& value);
// UTF-8 text converted to Windows-1252, at most maxBytes bytes.
std::string ReadText(const TJsonPlace& place, const TJson& value, std::size_t maxBytes = 255);

// "0x000F0005"-style text of an identifier, as the dump tools print it.
std::string HexIdentifier(std::int32_t id);
// "0xF0005": the short form used in the sources.
std::string ShortHexIdentifier(std::int32_t id);
