#pragma once
// The open cursors of the call interface, each kind in its own registry. Callers hold integer
// keys, never addresses, so a stale or made-up handle is recognised and answered with 1022.

#include <map>
#include <memory>

#include "dataserver/dictionary.h"
#include "dataserver/pathentry.h"

template <class T>
class THandleRegistry {
 public:
  // Registers the cursor under a fresh key. Keys count up, so an ended handle stays unknown
  // until the count wraps round after 2^31 cursors.
  DsvHandle Add(std::unique_ptr<T> cursor) {
    do {
      next_ = next_ >= kLargest ? 1 : next_ + 1;
    } while (items_.count(next_) != 0);
    items_.emplace(next_, std::move(cursor));
    return next_;
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
  static constexpr DsvHandle kLargest = 0x7FFFFFFF;
  std::map<DsvHandle, std::unique_ptr<T>> items_;
  DsvHandle next_ = 0;
};

THandleRegistry<TEnumeration>& EnumerationCursors();
THandleRegistry<TInstArray>& InstArrayCursors();

// Destroys every open cursor of both kinds (closing or reopening the dictionary).
void DestroyAllCursors();
