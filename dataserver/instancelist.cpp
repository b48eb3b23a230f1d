#include <algorithm>
#include <memory>
#include <new>
#include <type_traits>

#include "dataserver/instance.h"
#include "dataserver/instancemaking.h"
#include "dataserver/property.h"

namespace {

// Orders object occurrences by their indices, entry by entry from the top; the first unequal
// index decides. Only the first n entries of the new path take part.
int CompareIndices(TPathView existing, const TPathEntry* path, int n) {
  const int common = std::min(static_cast<int>(existing.size()), n);
  for (int i = 0; i < common; ++i) {
    const int a = existing[static_cast<std::size_t>(i)].Index;
    const int b = path[i].Index;
    if (a != b)
      return a < b ? -1 : 1;
  }
  const int length = static_cast<int>(existing.size());
  return length == n ? 0 : (length < n ? -1 : 1);
}

bool OccurrenceBefore(const TInstance* a, const TInstance* b) {
  return CompareIndices(a->Path(), b->Path().data(), b->PathLength()) < 0;
}

}  // namespace

TInstanceList::~TInstanceList() {
  // The whole dictionary is going: the object occurrences are destroyed with their own
  // properties, so no release walk (which could reach a property already destroyed).
  DiscardAll();
}

void TInstanceList::Reserve(std::size_t count) {
  items_.reserve(count);
  if (count > items_.size())
    storage_.Reserve(count - items_.size());
  // Values have a path entry for each ancestor, occurrences one more for the object itself.
  index_.Reserve(count, fParent->getDepth() + (fParent->Type == ptObject ? 1 : 0));
}

TInstance* TInstanceList::FindInstance(int pathLength, const TPathEntry* path) const {
  if (items_.empty() || pathLength < 0 || (pathLength > 0 && path == nullptr))
    return nullptr;
  // Every instance of the list has a path of length m naming the same objects: the property's
  // ancestors (and for an occurrence the object itself). Whatever rule applies, a query names
  // exactly one sequence of indices: an empty query all zeros, a shorter one zeros followed by
  // its own indices, a longer one its last m indices. The index finds the instance with those
  // indices; the rules' comparison of object identifiers, entry by entry aligned at the ends, is
  // made against the objects every path of the list names.
  const int m = pathLength_;
  TIndexKey key{m, 0, path};
  if (pathLength == 0)
    key.Zeros = m;
  else if (pathLength >= m)
    key.Tail = path + (pathLength - m);
  else
    key.Zeros = m - pathLength;
  // The last entry of a path names the object itself for an occurrence, the holding object
  // for a value; each entry before it the object above.
  const TProperty* object = fParent->Type == ptObject ? fParent : fParent->Parent;
  for (int j = 0, compared = std::min(pathLength, m); j < compared; ++j, object = object->Parent)
    if (path[pathLength - 1 - j].ObjectId != object->Identifier)
      return nullptr;
  return index_.Find(key);
}

TInstancePath TInstanceList::DefaultPath() const {
  TInstancePath path(static_cast<std::size_t>(fParent->getDepth()));
  std::size_t level = path.size();
  for (const TProperty* a = fParent->Parent; a != nullptr; a = a->Parent)
    path[--level] = TPathEntry{static_cast<std::uint16_t>(a->Identifier), 0, 0};
  return path;
}

template <class T>
T* TInstanceList::GetDefaultValueInstance() {
  const TInstancePath defaultPath = DefaultPath();
  return GetValueInstance<T>(static_cast<int>(defaultPath.size()), defaultPath.data());
}

TInstance* TInstanceList::GetInstance(int pathLength, const TPathEntry* path) {
  switch (fParent->Type) {
    case ptNumeric:
      return GetValueInstance<TNumericInstance>(pathLength, path);
    case ptString:
      return GetValueInstance<TStringInstance>(pathLength, path);
    case ptDate:
      return GetValueInstance<TDateInstance>(pathLength, path);
    case ptList:
      return GetValueInstance<TListInstance>(pathLength, path);
    default:
      break;
  }
  // Objects hold no value: none is made.
  if (pathLength == 0 && fParent->Parent != nullptr) {
    const TInstancePath defaultPath = DefaultPath();
    return FindInstance(static_cast<int>(defaultPath.size()), defaultPath.data());
  }
  return ValidPath(pathLength, path) ? FindInstance(pathLength, path) : nullptr;
}

template <class T>
T* TInstanceList::Create(const TPathEntry* path, int pathLength, bool indexed) {
  static_assert(alignof(T) <= TInstanceStorage::kSlotAlignment);
  void* slot = storage_.Allocate(sizeof(T));
  T* instance = nullptr;
  try {
    instance = new (slot) T(fParent, path, pathLength);
  } catch (...) {
    storage_.Free(slot);
    throw;
  }
  // An occurrence that does not sort after the last one leaves the list to be sorted later.
  // The class made tells whether it is an occurrence, without asking the instance.
  bool outOfOrder = false;
  if constexpr (std::is_same_v<T, TParentInstance>)
    outOfOrder = !unsorted_ && !items_.empty() && !OccurrenceBefore(items_.back(), instance);
  try {
    items_.push_back(instance);
  } catch (...) {
    Dispose(instance);
    throw;
  }
  if (indexed) {
    try {
      index_.Insert(instance);
    } catch (...) {
      items_.pop_back();
      Dispose(instance);
      throw;
    }
  }
  pathLength_ = instance->PathLength();
  unsorted_ = unsorted_ || outOfOrder;
  instance->position_ = static_cast<int>(items_.size() - 1);
  return instance;
}

// Made out of line: inlined into the making of every value, it made the load slower.
template TNumericInstance* TInstanceList::Create(const TPathEntry*, int, bool);
template TStringInstance* TInstanceList::Create(const TPathEntry*, int, bool);
template TDateInstance* TInstanceList::Create(const TPathEntry*, int, bool);
template TListInstance* TInstanceList::Create(const TPathEntry*, int, bool);
template TParentInstance* TInstanceList::Create(const TPathEntry*, int, bool);

template TNumericInstance* TInstanceList::GetDefaultValueInstance();
template TStringInstance* TInstanceList::GetDefaultValueInstance();
template TDateInstance* TInstanceList::GetDefaultValueInstance();
template TListInstance* TInstanceList::GetDefaultValueInstance();

void TInstanceList::Dispose(TInstance* instance) {
  instance->~TInstance();
  storage_.Free(instance);
}

void TInstanceList::ReleaseOccurrences(const TInstance& instance) {
  const TPathView path = instance.Path();
  int n = instance.PathLength();
  for (TProperty* ancestor = fParent->Parent; ancestor != nullptr && n > 0;
       ancestor = ancestor->Parent, --n) {
    TInstance* occurrence = ancestor->Instances().FindInstance(n, path.data());
    if (occurrence != nullptr && occurrence->IsObjectInstance())
      static_cast<TParentInstance*>(occurrence)->Release();
  }
}

void TInstanceList::DestroyInstance(TInstance* instance) {
  if (!Contains(instance))
    return;
  if (!instance->IsObjectInstance())
    ReleaseOccurrences(*instance);
  Remove(instance);
}

void TInstanceList::Remove(TInstance* instance) {
  if (!Contains(instance))
    return;
  index_.Erase(instance);
  const auto position = static_cast<std::size_t>(instance->position_);
  if (position + 1 == items_.size()) {
    items_.pop_back();
  } else if (unsorted_) {
    // The order is rebuilt before it is next asked for: the last instance takes the place.
    items_[position] = items_.back();
    items_[position]->position_ = static_cast<int>(position);
    items_.pop_back();
  } else {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    for (std::size_t i = position; i < items_.size(); ++i)
      items_[i]->position_ = static_cast<int>(i);
  }
  Dispose(instance);
  if (items_.empty())
    storage_.FreeAll();
}

void TInstanceList::Clear() {
  // Values release the occurrences above them, which stand in other lists.
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    if (!(*it)->IsObjectInstance())
      ReleaseOccurrences(**it);
  DiscardAll();
}

void TInstanceList::DiscardAll() {
  // Instances that own nothing (no text, no long path) need no destructor to run; their
  // memory goes back with the blocks, untouched.
  const bool ownMemory = fParent->Type == ptString || pathLength_ > TInstance::kInlineEntries;
  if (ownMemory)
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
      (*it)->~TInstance();
  storage_.FreeAll();
  items_.clear();
  index_.Clear();
  unsorted_ = false;
}

void TInstanceList::DestroyMatching(int pathLength, const TPathEntry* path,
                                    bool everythingBeneath) {
  if (items_.empty())
    return;
  // Without the prefix rule (or when no instance path is long enough to begin with the path)
  // at most one instance matches, and the index finds it.
  if (!everythingBeneath || items_.front()->PathLength() < pathLength) {
    DestroyInstance(FindInstance(pathLength, path));
    return;
  }
  // One pass: destroyed instances leave, the others close up in their order. Releasing an
  // occurrence only ever touches the lists of the objects above, never this one.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TInstance* instance = items_[i];
    if (!PathPrefixMatches(path, pathLength, instance->Path()) &&
        !PathMatches(path, pathLength, instance->Path())) {
      instance->position_ = static_cast<int>(kept);
      items_[kept++] = instance;
      continue;
    }
    if (!instance->IsObjectInstance())
      ReleaseOccurrences(*instance);
    index_.Erase(instance);
    Dispose(instance);
  }
  items_.resize(kept);
  if (items_.empty())
    storage_.FreeAll();
}

bool TInstanceList::Contains(const TInstance* instance) const {
  if (instance == nullptr || instance->position_ < 0)
    return false;
  const auto position = static_cast<std::size_t>(instance->position_);
  return position < items_.size() && items_[position] == instance;
}

int TInstanceList::IndexOf(const TInstance* instance) const {
  if (!Contains(instance))
    return -1;
  if (unsorted_)
    SortOccurrences();
  return instance->position_;
}

void TInstanceList::SortOccurrences() const {
  std::sort(items_.begin(), items_.end(), OccurrenceBefore);
  for (std::size_t i = 0; i < items_.size(); ++i)
    items_[i]->position_ = static_cast<int>(i);
  unsorted_ = false;
}
