#include "dataserver/property.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <limits>

#include "dataserver/dictionary.h"
#include "dataserver/packeddate.h"
#include "dataserver/status.h"

namespace {

std::string Trimmed(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
    ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
    --last;
  return text.substr(first, last - first);
}

// A whole number in 32-bit range with an optional sign, as the dictionary compiler writes it.
bool ParseWholeNumber(const std::string& text, std::int32_t& value) {
  const std::string t = Trimmed(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-'))
    negative = t[i++] == '-';
  if (i == t.size())
    return false;
  std::int64_t result = 0;
  for (; i < t.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i])))
      return false;
    result = result * 10 + (t[i] - '0');
    if (result > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1)
      return false;
  }
  if (negative)
    result = -result;
  if (result > std::numeric_limits<std::int32_t>::max())
    return false;
  value = static_cast<std::int32_t>(result);
  return true;
}

// Reads up to maxDigits digits at position i; false when there is none.
bool ReadDigits(const std::string& t, std::size_t& i, std::size_t maxDigits, int& value) {
  const std::size_t start = i;
  value = 0;
  while (i < t.size() && i - start < maxDigits && std::isdigit(static_cast<unsigned char>(t[i])))
    value = value * 10 + (t[i++] - '0');
  return i > start;
}

// The short date form "dd/MM/yyyy" (one-digit day and month accepted).
bool ParseShortDate(const std::string& text, PackedDate& packed) {
  const std::string t = Trimmed(text);
  std::size_t i = 0;
  int day = 0;
  int month = 0;
  int year = 0;
  if (!ReadDigits(t, i, 2, day) || i >= t.size() || t[i++] != '/')
    return false;
  if (!ReadDigits(t, i, 2, month) || i >= t.size() || t[i++] != '/')
    return false;
  const std::size_t yearStart = i;
  if (!ReadDigits(t, i, 4, year) || i - yearStart != 4 || i != t.size())
    return false;
  if (!IsValidCalendarDate(year, month, day))
    return false;
  packed = PackDate(year, month, day);
  return true;
}

}  // namespace

TProperty::TProperty(TDictionary* dictionary, std::int32_t identifier)
    : Identifier(identifier), dictionary_(dictionary), instances_(this) {}

TProperty::~TProperty() = default;

void TProperty::AppendChild(TProperty* child) {
  child->Parent = this;
  child->NextSibling = nullptr;
  if (LastChild != nullptr)
    LastChild->NextSibling = child;
  else
    firstChild = child;
  LastChild = child;
}

int TProperty::getIndex() const {
  return dictionary_ != nullptr ? dictionary_->IndexOf(this) : -1;
}

int TProperty::getDepth() const {
  int depth = 0;
  for (const TProperty* a = Parent; a != nullptr; a = a->Parent)
    ++depth;
  return depth;
}

int TProperty::getChildCount(int pathLength, const TPathEntry* path) const {
  const int depth = getDepth();
  const std::size_t d = static_cast<std::size_t>(depth);
  int highest = -1;
  std::deque<const TProperty*> pending;
  for (const TProperty* c = firstChild; c != nullptr; c = c->NextSibling)
    pending.push_back(c);
  while (!pending.empty()) {
    const TProperty* visited = pending.front();
    pending.pop_front();
    for (const TProperty* c = visited->firstChild; c != nullptr; c = c->NextSibling)
      pending.push_back(c);
    const TInstanceList& list = visited->Instances();
    for (int i = 0; i < list.Count(); ++i) {
      const TPathView p = list.Item(i)->Path();
      if (p.size() <= d)
        continue;
      if (pathLength > 0 && !PathPrefixMatches(path, pathLength, p))
        continue;
      highest = std::max(highest, static_cast<int>(p[d].Index));
    }
  }
  return highest + 1;
}

DsvStatus TProperty::GetDefaultValue(void* destination) const {
  if (!HasDefault)
    return dsv_status::kNoValue;
  switch (Type) {
    case ptObject:
      return dsv_status::kOk;
    case ptNumeric: {
      std::int32_t whole = 0;
      if (!ParseWholeNumber(DefaultText, whole))
        return dsv_status::kNoValue;
      const double value = whole;
      if (destination != nullptr)
        std::memcpy(destination, &value, sizeof value);
      return dsv_status::kOk;
    }
    case ptString: {
      if (destination == nullptr)
        return dsv_status::kOk;
      const std::size_t length = std::min(DefaultText.size(), kMaxStringValue);
      char* out = static_cast<char*>(destination);
      std::memcpy(out, DefaultText.data(), length);
      out[length] = '\0';
      return dsv_status::kOk;
    }
    case ptDate: {
      PackedDate packed = 0;
      if (DefaultText.empty())
        packed = TodayPacked();
      else if (!ParseShortDate(DefaultText, packed))
        return dsv_status::kNoValue;
      if (destination != nullptr)
        std::memcpy(destination, &packed, sizeof packed);
      return dsv_status::kOk;
    }
    case ptList: {
      std::int32_t code = 0;
      if (DefaultText.empty() || !ParseWholeNumber(DefaultText, code))
        return dsv_status::kNoValue;
      if (destination != nullptr)
        std::memcpy(destination, &code, sizeof code);
      return dsv_status::kOk;
    }
    default:
      return dsv_status::kNoValue;
  }
}
