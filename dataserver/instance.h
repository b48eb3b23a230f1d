#pragma once
// Typed value instances and the per-property instance list.

#include <cstdint>
#include <string>
#include <vector>

#include "dataserver/packeddate.h"
#include "dataserver/pathentry.h"

class TProperty;

using TInstancePath = std::vector<TPathEntry>;

// The three matching rules for a query path q (length k) against an instance path e:
// equal length (all fields equal), empty query (every index 0), aligned at the end.
bool PathMatches(const TPathEntry* query, int queryLength, const TInstancePath& instancePath);
// The first k entries of the instance path equal the query; the instance path may be longer.
bool PathPrefixMatches(const TPathEntry* query, int queryLength, const TInstancePath& instancePath);

class TInstance {
 public:
  TInstance(TProperty* parent, const TPathEntry* path, int pathLength);
  virtual ~TInstance() = default;
  TInstance(const TInstance&) = delete;
  TInstance& operator=(const TInstance&) = delete;

  // Copy the value from / into the caller's buffer (numeric double, string char[256] with NUL,
  // date packed int32, list int32 code). Both answer status 0.
  virtual DsvStatus SetValue(const void* source) = 0;
  virtual DsvStatus GetValue(void* destination) const = 0;

  TProperty* fParent;  // the property whose value this is (not owned)
  const TInstancePath& Path() const { return path_; }
  int PathLength() const { return static_cast<int>(path_.size()); }

 private:
  TInstancePath path_;
};

// One occurrence of an object. Lives exactly as long as values lie beneath it.
class TParentInstance : public TInstance {
 public:
  TParentInstance(TProperty* parent, const TPathEntry* path, int pathLength);
  DsvStatus SetValue(const void* source) override;  // object instances hold no value: throws
  DsvStatus GetValue(void* destination) const override;
  void AddRef() { ++refCount_; }
  // Subtracts one; destroys this instance (removing it from its list) at zero.
  void Release();
  std::int32_t RefCount() const { return refCount_; }

 private:
  std::int32_t refCount_ = 1;
};

class TNumericInstance : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  double Value() const { return value_; }

 private:
  double value_ = 0;
};

// A text of at most 255 bytes: longer text is cut, and a read never writes more than 256 bytes.
class TStringInstance : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  const std::string& Value() const { return value_; }

 private:
  std::string value_;
};

class TDateInstance : public TInstance {
 public:
  using TInstance::TInstance;
  DsvStatus SetValue(const void* source) override;
  DsvStatus GetValue(void* destination) const override;
  PackedDate Value() const { return value_; }

 private:
  PackedDate value_ = 0;
};

class TListInstance : public TInstance {
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
class TInstanceList {
 public:
  explicit TInstanceList(TProperty* parent) : fParent(parent) {}
  ~TInstanceList();
  TInstanceList(const TInstanceList&) = delete;
  TInstanceList& operator=(const TInstanceList&) = delete;

  bool ValidPath(int pathLength, const TPathEntry* path) const;
  TInstance* FindInstance(int pathLength, const TPathEntry* path) const;
  // The matching instance, created (and registered with its object occurrences) if needed;
  // nullptr for an invalid path or an object property.
  TInstance* GetInstance(int pathLength, const TPathEntry* path);
  // Destroys one instance: releases its object occurrences (value instances only), removes it.
  void DestroyInstance(TInstance* instance);
  // Destroys every instance, last to first.
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  TInstance* Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  int IndexOf(const TInstance* instance) const;

  TProperty* fParent;

 private:
  friend class TParentInstance;
  void Remove(TInstance* instance);  // unlinks and deletes, no release walk
  std::vector<TInstance*> items_;
};
