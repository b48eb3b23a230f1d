#pragma once
// Typed value instances and the per-property instance list.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "dataserver/instancestorage.h"
#include "dataserver/packeddate.h"
#include "dataserver/pathentry.h"
#include "dataserver/pathindex.h"

class TProperty;

using TInstancePath = std::vector<TPathEntry>;

// The entries of a path, seen where they are stored (an instance, or a caller's array).
class TPathView {
 public:
  TPathView() = default;
  TPathView(const TPathEntry* entries, std::size_t size) : entries_(entries), size_(size) {}
  TPathView(const TInstancePath& path) : entries_(path.data()), size_(path.size()) {}  // NOLINT

  const TPathEntry* data() const { return entries_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const TPathEntry& operator[](std::size_t i) const { return entries_[i]; }
  const TPathEntry* begin() const { return entries_; }
  const TPathEntry* end() const { return entries_ + size_; }
  // A copy of the entries.
  operator TInstancePath() const { return TInstancePath(begin(), end()); }  // NOLINT

 private:
  const TPathEntry* entries_ = nullptr;
  std::size_t size_ = 0;
};

// Raised when a value operation is asked of an instance that holds no value (an object
// occurrence). The call interface turns it into status 1020.
class EAbstractError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The longest text a string value holds; buffers of callers are one byte longer for the NUL.
inline constexpr std::size_t kMaxStringValue = 255;

// The three matching rules for a query path q (length k) against an instance path e:
// equal length (all fields equal), empty query (every index 0), aligned at the end.
bool PathMatches(const TPathEntry* query, int queryLength, TPathView instancePath);
// The first k entries of the instance path equal the query; the instance path may be longer.
bool PathPrefixMatches(const TPathEntry* query, int queryLength, TPathView instancePath);

class TInstance {
 public:
  TInstance(TProperty* parent, const TPathEntry* path, int pathLength);
  virtual ~TInstance();
  TInstance(const TInstance&) = delete;
  TInstance& operator=(const TInstance&) = delete;

  // Copy the value from / into the caller's buffer (numeric double, string char[256] with NUL,
  // date packed int32, list int32 code). Both answer status 0.
  virtual DsvStatus SetValue(const void* source) = 0;
  virtual DsvStatus GetValue(void* destination) const = 0;

  // True for object occurrences, which hold no value and are never released by a value walk.
  virtual bool IsObjectInstance() const { return false; }

  TProperty* fParent;  // the property whose value this is (not owned)
  TPathView Path() const { return TPathView(Entries(), static_cast<std::size_t>(length_)); }
  int PathLength() const { return length_; }

 private:
  friend class TInstanceList;
  // Paths this short (every path of the motor dictionary) live inside the instance, which then
  // takes one allocation instead of two.
  static constexpr int kInlineEntries = 3;
  const TPathEntry* Entries() const { return length_ <= kInlineEntries ? inline_ : HeapEntries(); }
  // The owned entries of a longer path, whose address is kept in the bytes of inline_.
  TPathEntry* HeapEntries() const;
  // Takes room for a path longer than kInlineEntries and keeps its address in inline_.
  TPathEntry* AllocateLongPath(int pathLength);

  int position_ = -1;         // the instance's place in its list, kept by the list
  std::uint16_t length_ = 0;  // the path's length
  // The entries of a short path, or the address of a longer one's. Not a union with a pointer:
  // that would align it to 8 bytes, and the 40 bytes of an instance would be 48, so that fewer
  // of a large proposal's values stay in the processor's cache.
  TPathEntry inline_[kInlineEntries] = {};
};

// Inline: every value a proposal loads is made here, and the usual path is a few entries.
inline TInstance::TInstance(TProperty* parent, const TPathEntry* path, int pathLength)
    : fParent(parent) {
  if (pathLength <= 0 || path == nullptr)
    return;
  TPathEntry* entries = pathLength <= kInlineEntries ? inline_ : AllocateLongPath(pathLength);
  length_ = static_cast<std::uint16_t>(pathLength);
  // Entry by entry: a path is a few entries, which a call to copy memory would cost more than.
  for (int i = 0; i < pathLength; ++i)
    entries[i] = path[i];
}

// One occurrence of an object. Lives exactly as long as values lie beneath it.
class TParentInstance : public TInstance {
 public:
  TParentInstance(TProperty* parent, const TPathEntry* path, int pathLength);
  DsvStatus SetValue(const void* source) override;  // object instances hold no value: throws
  DsvStatus GetValue(void* destination) const override;
  bool IsObjectInstance() const override { return true; }
  void AddRef() { ++refCount_; }
  // Subtracts one; destroys this instance (removing it from its list) at zero.
  void Release();
  std::int32_t RefCount() const { return refCount_; }

 private:
  std::int32_t refCount_ = 1;
};

class TNumericInstance final : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  double Value() const { return value_; }

 private:
  double value_ = 0;
};

// A text of at most 255 bytes: longer text is cut, and a read never writes more than 256 bytes.
class TStringInstance final : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  // The same as SetValue of the text put into a NUL-terminated buffer: up to its first NUL,
  // at most 255 characters.
  void SetText(std::string_view text);
  const std::string& Value() const { return value_; }

 private:
  std::string value_;
};

class TDateInstance final : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  PackedDate Value() const { return value_; }

 private:
  PackedDate value_ = 0;
};

class TListInstance final : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  std::int32_t Value() const { return value_; }

 private:
  std::int32_t value_ = 0;
};

// The instances of one property. Owns them. Value instances stand in creation order; object
// instances stand sorted by their path indices.
//
// An index finds any instance from its path indices. Object occurrences created out of order
// are appended and sorted only when the order is next asked for, so that loading many
// occurrences never shifts the list once per occurrence.
class TInstanceList {
 public:
  explicit TInstanceList(TProperty* parent) : fParent(parent) {}
  ~TInstanceList();
  TInstanceList(const TInstanceList&) = delete;
  TInstanceList& operator=(const TInstanceList&) = delete;

  bool ValidPath(int pathLength, const TPathEntry* path) const;
  // The instance that matches the path by the three matching rules, or nullptr. At most one
  // instance of a list can match any path, so this is the first in list order that matches.
  TInstance* FindInstance(int pathLength, const TPathEntry* path) const;
  // The matching instance, created (and registered with its object occurrences) if needed;
  // nullptr for an invalid path or an object property.
  TInstance* GetInstance(int pathLength, const TPathEntry* path);
  // GetInstance for a caller that knows the class of the list's values (the load, which sets
  // the values of one property in a row), without choosing the class for each value. nullptr
  // as GetInstance, and when T is not the class of the list's values. Defined, with ValidPath,
  // in instancemaking.h, which its callers include.
  template <class T>
  T* GetValueInstance(int pathLength, const TPathEntry* path);
  // Destroys one instance: releases its object occurrences (value instances only), removes it.
  void DestroyInstance(TInstance* instance);
  // Destroys every instance, last to first, each value releasing its object occurrences.
  void Clear();
  // Destroys every instance without releasing any occurrence: every list of the store is being
  // emptied together.
  void DiscardAll();
  // The deletion walk over this list: destroys each instance that matches the path, and with
  // everythingBeneath also each instance whose path begins with it.
  void DestroyMatching(int pathLength, const TPathEntry* path, bool everythingBeneath);

  // Room for this many instances in all, taken at once rather than as they come.
  void Reserve(std::size_t count);

  int Count() const { return static_cast<int>(items_.size()); }
  TInstance* Item(int index) const {
    if (unsorted_)
      SortOccurrences();
    return items_[static_cast<std::size_t>(index)];
  }
  int IndexOf(const TInstance* instance) const;

  TProperty* fParent;

 private:
  friend class TParentInstance;
  bool Contains(const TInstance* instance) const;
  // Makes an instance in this list's storage and appends it (to the index too, unless the
  // caller puts it there). Nothing is left behind when it raises.
  template <class T>
  T* Create(const TPathEntry* path, int pathLength, bool indexed = true);
  // The path of the first occurrence of every ancestor, which an empty path stands for.
  TInstancePath DefaultPath() const;
  // The value instance of an empty path: that of the first occurrence of every ancestor.
  template <class T>
  T* GetDefaultValueInstance();
  // Destroys an instance that is no longer in the list and takes its memory back.
  void Dispose(TInstance* instance);
  void Remove(TInstance* instance);  // unlinks and destroys, no release walk
  // Adds one reference to the occurrence of every object above a new value, creating the
  // occurrences that do not exist yet.
  void RegisterWithOccurrences(const TPathEntry* path, int pathLength);
  // Releases the occurrences above a value that is being destroyed.
  void ReleaseOccurrences(const TInstance& instance);
  // Puts object occurrences appended out of order into their sorted places.
  void SortOccurrences() const;

  mutable std::vector<TInstance*> items_;
  TPathIndex index_;
  TInstanceStorage storage_;
  int pathLength_ = 0;  // of every instance's path (set by the first one)
  mutable bool unsorted_ = false;
};
