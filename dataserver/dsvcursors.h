#pragma once
// The open cursors of the call interface, each kind in its own registry. Callers hold integer
// keys, never addresses, so a stale or made-up handle is recognised and answered with 1022.

#include <map>
#include <memory>

#include "dataserver/dictionary.h"
#include "dataserver/pathentry.h"

// The next key of one count shared by every kind of cursor: counting up, so an ended handle
// stays unknown (until the count wraps round after 2^31 cursors) and a handle of one kind is
// never also a handle of the other.
DsvHandle NextHandleKey();

template <class T>
class THandleRegistry {
 public:
  DsvHandle Add(std::unique_ptr<T> cursor) {
    DsvHandle key = NextHandleKey();
    while (items_.count(key) != 0)
      key = NextHandleKey();
    items_.emplace(key, std::move(cursor));
    return key;
  }
  // The open cursor of that key, or nullptr.
  T* Find(DsvHandle handle) const {
    auto it = items_.find(handle);
    return it == items_.end() ? nullptr : it->second.get();
  }
  bool Remove(DsvHandle handle) { return items_.erase(handle) != 0; }
  void Clear() { items_.clear(); }
  std::size_t Count() const { return items_.size(); }

 private:
  std::map<DsvHandle, std::unique_ptr<T>> items_;
};

THandleRegistry<TEnumeration>& EnumerationCursors();
THandleRegistry<TInstArray>& InstArrayCursors();

// Destroys every open cursor of both kinds (closing or reopening the dictionary).
void DestroyAllCursors();
