#pragma once
// The making of a value, inline: a proposal's load makes every value through here, and each call
// out of line (saving registers, the path passed in memory) cost as much as its step. Included
// by the instance list and by the load; every other caller goes through GetInstance.

#include <type_traits>

#include "dataserver/inlining.h"
#include "dataserver/instance.h"
#include "dataserver/property.h"

namespace instance_making {

// The property type whose values are instances of class T.
template <class T>
constexpr TPropertyType ValueTypeOf() {
  if constexpr (std::is_same_v<T, TNumericInstance>)
    return ptNumeric;
  else if constexpr (std::is_same_v<T, TStringInstance>)
    return ptString;
  else if constexpr (std::is_same_v<T, TDateInstance>)
    return ptDate;
  else {
    static_assert(std::is_same_v<T, TListInstance>);
    return ptList;
  }
}

}  // namespace instance_making

inline bool TInstanceList::ValidPath(int pathLength, const TPathEntry* path) const {
  if (pathLength > 0 && path == nullptr)
    return false;
  // Entry i names the ancestor at level i; walk up from the direct parent (the last entry).
  // Ending at level -1 means one entry for each ancestor.
  int level = pathLength - 1;
  for (const TProperty* a = fParent->Parent; a != nullptr; a = a->Parent, --level) {
    if (level < 0 || path[level].ObjectId != a->Identifier)
      return false;
  }
  return level == -1;
}

template <class T>
DSV_ALWAYS_INLINE T* TInstanceList::GetValueInstance(int pathLength, const TPathEntry* path) {
  if (fParent->Type != instance_making::ValueTypeOf<T>())
    return nullptr;
  // An empty path stands for the first occurrence of every ancestor, the same occurrence an
  // empty query finds, so a value set without a path can be read back without one.
  // (Made only then, so that the usual call keeps no vector.)
  if (pathLength == 0 && fParent->Parent != nullptr)
    return GetDefaultValueInstance<T>();
  if (!ValidPath(pathLength, path))
    return nullptr;
  // A valid path has the list's length and names its objects, so its indices alone find the
  // instance; one probe of the index finds it or the place for a new one.
  T* created = nullptr;
  TInstance* instance = index_.FindOrInsert(TIndexKey{pathLength, 0, path}, [&] {
    created = Create<T>(path, pathLength, false);
    return created;
  });
  if (created != nullptr)
    RegisterWithOccurrences(path, pathLength);
  return static_cast<T*>(instance);
}

// Inlined into the making of a value, which calls it once for every value a proposal loads.
DSV_ALWAYS_INLINE void TInstanceList::RegisterWithOccurrences(const TPathEntry* path,
                                                              int pathLength) {
  int n = pathLength;
  for (TProperty* ancestor = fParent->Parent; ancestor != nullptr && n > 0;
       ancestor = ancestor->Parent, --n) {
    TInstanceList& occurrences = ancestor->Instances();
    // Indices only: all occurrences of one object share their object identifiers. One probe
    // finds the occurrence or the place for a new one.
    bool created = false;
    TInstance* existing = occurrences.index_.FindOrInsert(TIndexKey{n, 0, path}, [&] {
      created = true;
      return occurrences.Create<TParentInstance>(path, n, false);
    });
    if (created)
      continue;
    // The list of an object holds only its occurrences: no need to ask the instance.
    if (ancestor->Type == ptObject || existing->IsObjectInstance()) {
      static_cast<TParentInstance*>(existing)->AddRef();
      continue;
    }
    occurrences.Create<TParentInstance>(path, n);
  }
}
