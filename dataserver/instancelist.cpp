#include <algorithm>
#include <memory>

#include "dataserver/instance.h"
#include "dataserver/property.h"

namespace {

// Orders object occurrences by their indices, entry by entry from the top; the first unequal
// index decides. Only the first n entries of the new path take part.
int CompareIndices(const TInstancePath& existing, const TPathEntry* path, int n) {
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

std::unique_ptr<TInstance> CreateValueInstance(TProperty* property, const TPathEntry* path,
                                               int pathLength) {
  switch (property->Type) {
    case ptNumeric:
      return std::make_unique<TNumericInstance>(property, path, pathLength);
    case ptString:
      return std::make_unique<TStringInstance>(property, path, pathLength);
    case ptDate:
      return std::make_unique<TDateInstance>(property, path, pathLength);
    case ptList:
      return std::make_unique<TListInstance>(property, path, pathLength);
    default:
      return nullptr;  // objects hold no value
  }
}

}  // namespace

void TParentInstance::Release() {
  if (--refCount_ <= 0)
    fParent->Instances().Remove(this);
}

TInstanceList::~TInstanceList() {
  // The whole dictionary is going: the object occurrences are destroyed with their own
  // properties, so no release walk (which could reach a property already destroyed).
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    delete *it;
  items_.clear();
}

bool TInstanceList::ValidPath(int pathLength, const TPathEntry* path) const {
  if (pathLength != fParent->getDepth())
    return false;
  if (pathLength > 0 && path == nullptr)
    return false;
  // Entry i names the ancestor at level i; walk up from the direct parent (the last entry).
  int level = pathLength - 1;
  for (const TProperty* a = fParent->Parent; a != nullptr; a = a->Parent, --level) {
    if (level < 0 || path[level].ObjectId != a->Identifier)
      return false;
  }
  return level == -1;
}

TInstance* TInstanceList::FindInstance(int pathLength, const TPathEntry* path) const {
  for (TInstance* instance : items_)
    if (PathMatches(path, pathLength, instance->Path()))
      return instance;
  return nullptr;
}

TInstance* TInstanceList::GetInstance(int pathLength, const TPathEntry* path) {
  // An empty path stands for the first occurrence of every ancestor, the same occurrence an
  // empty query finds, so a value set without a path can be read back without one.
  TInstancePath defaultPath;
  if (pathLength == 0 && fParent->Parent != nullptr) {
    defaultPath.resize(static_cast<std::size_t>(fParent->getDepth()));
    std::size_t level = defaultPath.size();
    for (const TProperty* a = fParent->Parent; a != nullptr; a = a->Parent)
      defaultPath[--level] = TPathEntry{static_cast<std::uint16_t>(a->Identifier), 0, 0};
    path = defaultPath.data();
    pathLength = static_cast<int>(defaultPath.size());
  }
  if (!ValidPath(pathLength, path))
    return nullptr;
  if (TInstance* found = FindInstance(pathLength, path))
    return found;

  std::unique_ptr<TInstance> created = CreateValueInstance(fParent, path, pathLength);
  if (!created)
    return nullptr;
  items_.push_back(created.get());
  TInstance* instance = created.release();
  RegisterWithOccurrences(path, pathLength);
  return instance;
}

void TInstanceList::RegisterWithOccurrences(const TPathEntry* path, int pathLength) {
  int n = pathLength;
  for (TProperty* ancestor = fParent->Parent; ancestor != nullptr && n > 0;
       ancestor = ancestor->Parent, --n) {
    std::vector<TInstance*>& occurrences = ancestor->Instances().items_;
    std::size_t insertAt = occurrences.size();
    bool counted = false;
    for (std::size_t i = 0; i < occurrences.size(); ++i) {
      const int order = CompareIndices(occurrences[i]->Path(), path, n);
      if (order == 0 && occurrences[i]->IsObjectInstance()) {
        static_cast<TParentInstance*>(occurrences[i])->AddRef();
        counted = true;
        break;
      }
      if (order > 0) {
        insertAt = i;
        break;
      }
    }
    if (!counted) {
      auto occurrence = std::make_unique<TParentInstance>(ancestor, path, n);
      occurrences.insert(occurrences.begin() + static_cast<std::ptrdiff_t>(insertAt),
                         occurrence.get());
      occurrence.release();
    }
  }
}

void TInstanceList::ReleaseOccurrences(const TInstance& instance) {
  const TInstancePath& path = instance.Path();
  int n = instance.PathLength();
  for (TProperty* ancestor = fParent->Parent; ancestor != nullptr && n > 0;
       ancestor = ancestor->Parent, --n) {
    TInstance* occurrence = ancestor->Instances().FindInstance(n, path.data());
    if (occurrence != nullptr && occurrence->IsObjectInstance())
      static_cast<TParentInstance*>(occurrence)->Release();
  }
}

void TInstanceList::DestroyInstance(TInstance* instance) {
  if (instance == nullptr || IndexOf(instance) < 0)
    return;
  if (!instance->IsObjectInstance())
    ReleaseOccurrences(*instance);
  Remove(instance);
}

void TInstanceList::Remove(TInstance* instance) {
  auto it = std::find(items_.begin(), items_.end(), instance);
  if (it == items_.end())
    return;
  items_.erase(it);
  delete instance;
}

void TInstanceList::Clear() {
  while (!items_.empty())
    DestroyInstance(items_.back());
}

int TInstanceList::IndexOf(const TInstance* instance) const {
  auto it = std::find(items_.begin(), items_.end(), instance);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}
