#include "dataserver/instance.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "dataserver/property.h"

namespace {

bool SameEntry(const TPathEntry& a, const TPathEntry& b) {
  return a.ObjectId == b.ObjectId && a.Index == b.Index;  // Reserved is never read
}

}  // namespace

bool PathMatches(const TPathEntry* query, int queryLength, TPathView instancePath) {
  const int m = static_cast<int>(instancePath.size());
  if (queryLength < 0 || (queryLength > 0 && query == nullptr))
    return false;
  if (queryLength == 0) {
    // An empty query stands for the first occurrence of every object above the value.
    for (const TPathEntry& e : instancePath)
      if (e.Index != 0)
        return false;
    return true;
  }
  if (queryLength == m) {
    for (int i = 0; i < m; ++i)
      if (!SameEntry(query[i], instancePath[static_cast<std::size_t>(i)]))
        return false;
    return true;
  }
  // Aligned at the ends: the query names the lowest objects; any higher objects it leaves out
  // must be their first occurrence. Extra leading query entries are ignored.
  for (int j = 0; j < m; ++j) {
    const TPathEntry& e = instancePath[static_cast<std::size_t>(m - 1 - j)];
    const int qi = queryLength - 1 - j;
    if (qi >= 0) {
      if (!SameEntry(e, query[qi]))
        return false;
    } else if (e.Index != 0) {
      return false;
    }
  }
  return true;
}

bool PathPrefixMatches(const TPathEntry* query, int queryLength, TPathView instancePath) {
  if (queryLength < 0 || (queryLength > 0 && query == nullptr))
    return false;
  if (static_cast<std::size_t>(queryLength) > instancePath.size())
    return false;
  for (int i = 0; i < queryLength; ++i)
    if (!SameEntry(query[i], instancePath[static_cast<std::size_t>(i)]))
      return false;
  return true;
}

TPathEntry* TInstance::AllocateLongPath(int pathLength) {
  if (pathLength > std::numeric_limits<std::uint16_t>::max())
    throw std::length_error("an instance path is longer than any object tree");
  TPathEntry* entries = new TPathEntry[static_cast<std::size_t>(pathLength)];
  static_assert(sizeof inline_ >= sizeof entries);
  std::memcpy(inline_, &entries, sizeof entries);
  return entries;
}

TInstance::~TInstance() {
  if (length_ > kInlineEntries)
    delete[] HeapEntries();
}

TPathEntry* TInstance::HeapEntries() const {
  TPathEntry* entries = nullptr;
  std::memcpy(&entries, inline_, sizeof entries);
  return entries;
}

TParentInstance::TParentInstance(TProperty* parent, const TPathEntry* path, int pathLength)
    : TInstance(parent, path, pathLength) {}

void TParentInstance::Release() {
  // The last value beneath the occurrence is gone: so is the occurrence.
  if (--refCount_ <= 0)
    fParent->Instances().Remove(this);
}

DsvStatus TParentInstance::SetValue(const void*) {
  throw EAbstractError("Abstract Error: an object occurrence holds no value");
}

DsvStatus TParentInstance::GetValue(void*) const {
  throw EAbstractError("Abstract Error: an object occurrence holds no value");
}

DsvStatus TNumericInstance::SetValue(const void* source) {
  if (source != nullptr)
    std::memcpy(&value_, source, sizeof value_);
  return 0;
}

DsvStatus TNumericInstance::GetValue(void* destination) const {
  if (destination != nullptr)
    std::memcpy(destination, &value_, sizeof value_);
  return 0;
}

DsvStatus TStringInstance::SetValue(const void* source) {
  if (source == nullptr) {
    value_.clear();
    return 0;
  }
  // Never read past the 255 characters a value can hold, even when the caller's text is
  // longer or not terminated within its 256-byte buffer.
  const char* text = static_cast<const char*>(source);
  value_.assign(text, strnlen(text, kMaxStringValue));
  return 0;
}

void TStringInstance::SetText(std::string_view text) {
  text = text.substr(0, std::min(text.find('\0'), kMaxStringValue));
  value_.assign(text);
}

DsvStatus TStringInstance::GetValue(void* destination) const {
  if (destination == nullptr)
    return 0;
  // value_ never exceeds 255 bytes, so text and NUL fit the caller's 256-byte buffer.
  char* out = static_cast<char*>(destination);
  std::memcpy(out, value_.data(), value_.size());
  out[value_.size()] = '\0';
  return 0;
}

DsvStatus TDateInstance::SetValue(const void* source) {
  if (source != nullptr)
    std::memcpy(&value_, source, sizeof value_);
  return 0;
}

DsvStatus TDateInstance::GetValue(void* destination) const {
  if (destination != nullptr)
    std::memcpy(destination, &value_, sizeof value_);
  return 0;
}

DsvStatus TListInstance::SetValue(const void* source) {
  // The code is stored as given; it is not looked up in the enumeration.
  if (source != nullptr)
    std::memcpy(&value_, source, sizeof value_);
  return 0;
}

DsvStatus TListInstance::GetValue(void* destination) const {
  if (destination != nullptr)
    std::memcpy(destination, &value_, sizeof value_);
  return 0;
}
