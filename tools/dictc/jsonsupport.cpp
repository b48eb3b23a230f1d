#include "tools/dictc/jsonsupport.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/dictc/cp1252.h"

namespace {

std::string EscapePointerToken(const std::string& token) {
  std::string out;
  for (char c : token) {
    if (c == '~')
      out += "~0";
    else if (c == '/')
      out += "~1";
    else
      out += c;
  }
  return out;
}

std::string Shown(const TJson& value) {
  std::string text = value.dump();
  if (text.size() > 60)
    text = text.substr(0, 57) + "...";
  return text;
}

}  // namespace

TJsonPlace TJsonPlace::Key(const std::string& key) const {
  return {File, Pointer + "/" + EscapePointerToken(key)};
}

TJsonPlace TJsonPlace::Index(std::size_t index) const {
  return {File, Pointer + "/" + std::to_string(index)};
}

void TJsonPlace::Fail(const std::string& fault) const {
  throw ECompileError(File, Pointer.empty() ? "/" : Pointer, fault);
}

TJson LoadJsonFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in)
    throw ECompileError(fileName, "", "cannot open the file");
  std::stringstream buffer;
  buffer << in.rdbuf();
  try {
    return TJson::parse(buffer.str());
  } catch (const TJson::parse_error& e) {
    throw ECompileError(fileName, "byte " + std::to_string(e.byte), "not valid JSON");
  }
}

void CheckKeys(const TJsonPlace& place, const TJson& object,
               std::initializer_list<const char*> allowed) {
  for (const auto& [key, value] : object.items()) {
    if (key == "comment" || (!key.empty() && key[0] == '_'))
      continue;
    bool known = false;
    for (const char* a : allowed)
      known = known || key == a;
    if (!known)
      place.Key(key).Fail("unknown key \"" + key + "\"");
  }
}

const TJson& RequireObject(const TJsonPlace& place, const TJson& value) {
  if (!value.is_object())
    place.Fail("expected an object, found " + Shown(value));
  return value;
}

const TJson& RequireArray(const TJsonPlace& place, const TJson& value) {
  if (!value.is_array())
    place.Fail("expected an array, found " + Shown(value));
  return value;
}

const TJson& RequireMember(const TJsonPlace& place, const TJson& object, const char* key) {
  auto it = object.find(key);
  if (it == object.end())
    place.Fail(std::string("missing \"") + key + "\"");
  return *it;
}

std::int64_t ReadInteger(const TJsonPlace& place, const TJson& value, std::int64_t low,
                         std::int64_t high) {
  if (!value.is_number_integer())
    place.Fail("expected a whole number, found " + Shown(value));
  std::int64_t n;
  if (value.is_number_unsigned()) {
    auto u = value.get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(high))
      place.Fail(std::to_string(u) + " is out of range " + std::to_string(low) + ".." +
                 std::to_string(high));
    n = static_cast<std::int64_t>(u);
  } else {
    n = value.get<std::int64_t>();
  }
  if (n < low || n > high)
    place.Fail(std::to_string(n) + " is out of range " + std::to_string(low) + ".." +
               std::to_string(high));
  return n;
}

std::int32_t ReadIdentifier(const TJsonPlace& place, const TJson& value) {
  if (value.is_number_integer())
    return static_cast<std::int32_t>(ReadInteger(place, value, 1, 0x7FFFFFFF));
  if (!value.is_string())
    place.Fail("expected an identifier such as \"0xF0005\", found " + Shown(value));
  const auto& text = value.get_ref<const std::string&>();
  if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
    place.Fail("expected an identifier such as \"0xF0005\", found " + Shown(value));
  std::uint64_t n = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      place.Fail("\"" + text + "\" is not a hexadecimal identifier");
    n = n * 16 + static_cast<std::uint64_t>(digit);
  }
  if (n == 0 || n > 0x7FFFFFFF)
    place.Fail("identifier \"" + text + "\" is out of range");
  return static_cast<std::int32_t>(n);
}

bool ReadBoolean(const TJsonPlace& place, const TJson& value) {
  if (!value.is_boolean())
    place.Fail("expected true or false, found " + Shown(value));
  return value.get<bool>();
}

std::string ReadText(const TJsonPlace& place, const TJson& value, std::size_t maxBytes) {
  if (!value.is_string())
    place.Fail("expected a text, found " + Shown(value));
  auto converted = Utf8ToCp1252(value.get_ref<const std::string&>());
  if (!converted)
    place.Fail("text holds a character that Windows-1252 cannot represent");
  if (converted->size() > maxBytes)
    place.Fail("text is " + std::to_string(converted->size()) + " characters long; at most " +
               std::to_string(maxBytes) + " fit");
  return *converted;
}

std::string HexIdentifier(std::int32_t id) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<std::uint32_t>(id));
  return buffer;
}

std::string ShortHexIdentifier(std::int32_t id) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<std::uint32_t>(id));
  return buffer;
}
