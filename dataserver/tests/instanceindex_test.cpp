// The indexed instance store against a straightforward one: a reference store that keeps
// every list as a plain sequence and follows the matching, registration, release and deletion
// rules with linear scans. Random operations over random paths must leave both stores with the
// same instances in the same order, and every look-up must find the same instance.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <random>
#include <sstream>

#include "dataserver/tests/sampledictionary.h"

namespace {

// Objects: A (1) > B (2) > C (3); D (4); E (9), whose value 8 comes before it in dictionary
// order; F (0x10005), an object whose identifier no path entry can name.
constexpr std::int32_t kA = 1;
constexpr std::int32_t kB = 2;
constexpr std::int32_t kC = 3;
constexpr std::int32_t kD = 4;
constexpr std::int32_t kE = 9;
constexpr std::int32_t kF = 0x10005;
const std::vector<std::int32_t> kObjectIds = {kA, kB, kC, kD, kE, kF};
const std::vector<std::int32_t> kValueIds = {0x10001, 0x10002, 0x20001, 0x30001,   0x30002,
                                             0x40001, 8,       0x50001, 0x7FFF0001};

TDictProperty Numeric(std::int32_t id) {
  TDictProperty p;
  p.Identifier = id;
  p.Type = ptNumeric;
  return p;
}

TDictProperty Object(std::int32_t id, std::vector<TDictProperty> children) {
  TDictProperty p;
  p.Identifier = id;
  p.Type = ptObject;
  p.Children = std::move(children);
  return p;
}

TDictionarySource NestedSource() {
  TDictionarySource s;
  s.Version = sample::kVersion;
  TDictProperty c = Object(kC, {Numeric(0x30001), Numeric(0x30002)});
  TDictProperty b = Object(kB, {Numeric(0x20001), c});
  s.TopLevel.push_back(Object(kA, {Numeric(0x10001), b, Numeric(0x10002)}));
  s.TopLevel.push_back(Object(kD, {Numeric(0x40001)}));
  s.TopLevel.push_back(Object(kE, {Numeric(8)}));
  s.TopLevel.push_back(Numeric(0x50001));
  s.TopLevel.push_back(Object(kF, {Numeric(0x7FFF0001)}));
  return s;
}

using TPath = std::vector<TPathEntry>;

bool Same(const TPathEntry& a, const TPathEntry& b) {
  return a.ObjectId == b.ObjectId && a.Index == b.Index;
}

// The three matching rules, written out from their description.
bool RuleMatches(const TPath& q, const TPath& e) {
  const std::size_t k = q.size();
  const std::size_t m = e.size();
  if (k == m) {
    for (std::size_t i = 0; i < m; ++i)
      if (!Same(q[i], e[i]))
        return false;
    return true;
  }
  if (k == 0) {
    for (const TPathEntry& entry : e)
      if (entry.Index != 0)
        return false;
    return true;
  }
  for (std::size_t j = 0; j < m; ++j) {
    if (j < k) {
      if (!Same(e[m - 1 - j], q[k - 1 - j]))
        return false;
    } else if (e[m - 1 - j].Index != 0) {
      return false;
    }
  }
  return true;
}

bool PrefixMatches(const TPath& q, const TPath& e) {
  if (q.size() > e.size())
    return false;
  for (std::size_t i = 0; i < q.size(); ++i)
    if (!Same(q[i], e[i]))
      return false;
  return true;
}

struct TRefInstance {
  TPath Path;
  bool IsObject = false;
  int RefCount = 0;
  double Value = 0;
};

// The straightforward store: one plain sequence per property, every look-up a scan.
class TReferenceStore {
 public:
  explicit TReferenceStore(const TDictionary& dictionary) : dictionary_(dictionary) {
    for (const TProperty* p : dictionary.Properties())
      lists_[p->Identifier];
  }

  std::vector<TRefInstance>& List(std::int32_t id) { return lists_.at(id); }

  // The position of the first instance in list order that matches, or -1.
  int Find(std::int32_t id, const TPath& q) {
    std::vector<TRefInstance>& list = List(id);
    for (std::size_t i = 0; i < list.size(); ++i)
      if (RuleMatches(q, list[i].Path))
        return static_cast<int>(i);
    return -1;
  }

  // The value instance for the path, created and registered when new; -1 when none.
  int Get(std::int32_t id, TPath q) {
    const TProperty* property = dictionary_.Find(id);
    if (q.empty() && property->Parent != nullptr) {
      for (const TProperty* a = property->Parent; a != nullptr; a = a->Parent)
        q.insert(q.begin(), TPathEntry{static_cast<std::uint16_t>(a->Identifier), 0, 0});
    }
    if (!Valid(*property, q))
      return -1;
    const int found = Find(id, q);
    if (found >= 0)
      return found;
    if (property->Type == ptObject)
      return -1;
    List(id).push_back(TRefInstance{q, false, 0, 0});
    std::size_t n = q.size();
    for (const TProperty* a = property->Parent; a != nullptr && n > 0; a = a->Parent, --n)
      Register(a->Identifier, TPath(q.begin(), q.begin() + static_cast<std::ptrdiff_t>(n)));
    return static_cast<int>(List(id).size()) - 1;
  }

  void Destroy(std::int32_t id, int position) {
    std::vector<TRefInstance>& list = List(id);
    if (!list[static_cast<std::size_t>(position)].IsObject) {
      const TPath path = list[static_cast<std::size_t>(position)].Path;
      std::size_t n = path.size();
      for (const TProperty* a = dictionary_.Find(id)->Parent; a != nullptr && n > 0;
           a = a->Parent, --n) {
        const int occurrence =
            Find(a->Identifier, TPath(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(n)));
        if (occurrence >= 0 &&
            --List(a->Identifier)[static_cast<std::size_t>(occurrence)].RefCount <= 0)
          List(a->Identifier).erase(List(a->Identifier).begin() + occurrence);
      }
    }
    list.erase(list.begin() + position);
  }

  void DeleteByPath(const TPath& q, std::int32_t flags) {
    for (const TProperty* p : dictionary_.Properties()) {
      std::vector<TRefInstance>& list = List(p->Identifier);
      std::size_t i = 0;
      while (i < list.size()) {
        if (((flags & 4) != 0 && PrefixMatches(q, list[i].Path)) || RuleMatches(q, list[i].Path))
          Destroy(p->Identifier, static_cast<int>(i));
        else
          ++i;
      }
    }
  }

  void Clear(std::int32_t id) {
    while (!List(id).empty())
      Destroy(id, static_cast<int>(List(id).size()) - 1);
  }

  void ClearAll() {
    for (const TProperty* p : dictionary_.Properties())
      Clear(p->Identifier);
  }

 private:
  bool Valid(const TProperty& property, const TPath& q) const {
    int level = static_cast<int>(q.size()) - 1;
    for (const TProperty* a = property.Parent; a != nullptr; a = a->Parent, --level)
      if (level < 0 || q[static_cast<std::size_t>(level)].ObjectId != a->Identifier)
        return false;
    return level == -1;
  }

  // Scan in list order: equal indices count once more, a greater sequence or the end of the
  // list takes a new occurrence.
  void Register(std::int32_t objectId, const TPath& path) {
    std::vector<TRefInstance>& list = List(objectId);
    std::size_t i = 0;
    for (; i < list.size(); ++i) {
      const TPath& e = list[i].Path;
      int order = 0;
      for (std::size_t j = 0; j < path.size() && order == 0; ++j)
        if (e[j].Index != path[j].Index)
          order = e[j].Index < path[j].Index ? -1 : 1;
      if (order == 0) {
        ++list[i].RefCount;
        return;
      }
      if (order > 0)
        break;
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), TRefInstance{path, true, 1, 0});
  }

  const TDictionary& dictionary_;
  std::map<std::int32_t, std::vector<TRefInstance>> lists_;
};

std::string Describe(TPathView path) {
  std::ostringstream text;
  text << "[";
  for (const TPathEntry& e : path)
    text << " " << e.ObjectId << ":" << e.Index;
  text << " ]";
  return text.str();
}

class InstanceIndexTest : public DictionaryTest {
 protected:
  void SetUp() override { ASSERT_EQ(OpenSource(NestedSource()), 0); }

  // Mostly paths the store can hold (the property's own ancestors with small indices), and
  // now and then any length, any object and any index.
  TPath RandomPath(std::int32_t id, std::mt19937& random) {
    std::vector<std::int32_t> ancestors;
    for (const TProperty* a = Property(id).Parent; a != nullptr; a = a->Parent)
      ancestors.insert(ancestors.begin(), a->Identifier);
    if (Property(id).Type == ptObject)
      ancestors.push_back(id);
    // Mostly the first few occurrences; now and then one either side of where the store stops
    // finding indices in a plain table (1,024 for a first index, 4 for a second), or any index
    // at all.
    auto index = [&random] {
      const int roll = static_cast<int>(random() % 20);
      if (roll == 18)
        return static_cast<std::uint16_t>(1023 + random() % 2);
      if (roll == 17)
        return static_cast<std::uint16_t>(3 + random() % 2);
      return static_cast<std::uint16_t>(roll < 8 ? 0 : roll < 18 ? roll % 3 + 1 : random() % 65536);
    };
    TPath path;
    if (random() % 4 != 0) {
      for (std::int32_t a : ancestors)
        path.push_back(TPathEntry{static_cast<std::uint16_t>(a), 0, index()});
      if (random() % 3 == 0 && !path.empty())
        path.erase(path.begin(),
                   path.begin() + static_cast<std::ptrdiff_t>(random() % (path.size() + 1)));
      return path;
    }
    const std::size_t length = random() % 5;
    for (std::size_t i = 0; i < length; ++i) {
      const std::int32_t object = kObjectIds[random() % kObjectIds.size()];
      path.push_back(TPathEntry{static_cast<std::uint16_t>(object),
                                static_cast<std::uint16_t>(random() % 3), index()});
    }
    return path;
  }

  std::int32_t AnyProperty(std::mt19937& random) {
    return random() % 3 == 0 ? kObjectIds[random() % kObjectIds.size()]
                             : kValueIds[random() % kValueIds.size()];
  }

  // Both stores hold the same instances in the same order.
  void ExpectSameStore(TReferenceStore& reference, const std::string& step) {
    for (const TProperty* p : dictionary_.Properties()) {
      const TInstanceList& list = p->Instances();
      const std::vector<TRefInstance>& expected = reference.List(p->Identifier);
      ASSERT_EQ(list.Count(), static_cast<int>(expected.size())) << p->Identifier << " " << step;
      for (int i = 0; i < list.Count(); ++i) {
        const TInstance* instance = list.Item(i);
        const TRefInstance& want = expected[static_cast<std::size_t>(i)];
        ASSERT_EQ(Describe(instance->Path()), Describe(want.Path)) << p->Identifier << " " << step;
        ASSERT_EQ(list.IndexOf(instance), i);
        ASSERT_EQ(instance->IsObjectInstance(), want.IsObject);
        if (want.IsObject) {
          ASSERT_EQ(static_cast<const TParentInstance*>(instance)->RefCount(), want.RefCount)
              << p->Identifier << " " << Describe(want.Path) << " " << step;
        } else {
          ASSERT_EQ(static_cast<const TNumericInstance*>(instance)->Value(), want.Value) << step;
        }
      }
    }
  }

  // The instance the indexed store finds is the one the reference finds.
  void ExpectSameFind(TReferenceStore& reference, std::int32_t id, const TPath& q,
                      const std::string& step) {
    const TInstanceList& list = Property(id).Instances();
    const TInstance* found = list.FindInstance(static_cast<int>(q.size()), q.data());
    const int want = reference.Find(id, q);
    ASSERT_EQ(found != nullptr ? list.IndexOf(found) : -1, want)
        << id << " " << Describe(q) << " " << step;
  }

  void RunRandomOperations(unsigned seed, int operations) {
    std::mt19937 random(seed);
    TReferenceStore reference(dictionary_);
    double nextValue = 1;
    for (int op = 0; op < operations; ++op) {
      const std::int32_t id = AnyProperty(random);
      const TPath path = RandomPath(id, random);
      const int kind = static_cast<int>(random() % 100);
      std::ostringstream step;
      step << "seed " << seed << " op " << op << " kind " << kind << " on " << id << " "
           << Describe(path);
      TInstanceList& list = Property(id).Instances();
      const int length = static_cast<int>(path.size());
      if (kind < 45) {  // set a value
        TInstance* instance = list.GetInstance(length, path.data());
        const int position = reference.Get(id, path);
        ASSERT_EQ(instance != nullptr, position >= 0) << step.str();
        if (instance != nullptr && instance->IsObjectInstance()) {
          // A shorter path can find an object occurrence, which holds no value.
          ASSERT_THROW(instance->SetValue(&nextValue), EAbstractError) << step.str();
        } else if (instance != nullptr) {
          instance->SetValue(&nextValue);
          reference.List(id)[static_cast<std::size_t>(position)].Value = nextValue;
          nextValue += 1;
        }
      } else if (kind < 70) {  // look up
        ExpectSameFind(reference, id, path, step.str());
      } else if (kind < 78) {  // delete a value as the call interface does: found or made
        TInstance* instance = list.GetInstance(length, path.data());
        const int position = reference.Get(id, path);
        ASSERT_EQ(instance != nullptr, position >= 0) << step.str();
        if (instance != nullptr) {
          list.DestroyInstance(instance);
          reference.Destroy(id, position);
        }
      } else if (kind < 84) {  // destroy whatever the path finds, object occurrences included
        TInstance* instance = list.FindInstance(length, path.data());
        const int position = reference.Find(id, path);
        if (position >= 0)
          reference.Destroy(id, position);
        list.DestroyInstance(instance);
      } else if (kind < 96) {
        const std::int32_t flags = std::vector<std::int32_t>{0, 4, 4, 5, 1}[random() % 5];
        dictionary_.DeleteByPath(length, path.data(), flags);
        reference.DeleteByPath(path, flags);
      } else if (kind < 99) {
        list.Clear();
        reference.Clear(id);
      } else {
        dictionary_.ClearAll();
        reference.ClearAll();
      }
      ExpectSameStore(reference, step.str());
      if (HasFatalFailure())
        return;
    }
  }
};

TEST_F(InstanceIndexTest, RandomOperationsAgreeWithTheStraightforwardStore) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RunRandomOperations(seed, 1500);
    if (HasFatalFailure())
      return;
    dictionary_.ClearAll();
  }
}

TEST_F(InstanceIndexTest, OccurrencesCreatedOutOfOrderStandSorted) {
  // Many occurrences in falling order, then a few removed: the list still reads sorted.
  double value = 1;
  for (int i = 300; i >= 0; --i) {
    const TPathEntry path[] = {Entry(kA, static_cast<std::uint16_t>(i % 7)),
                               Entry(kB, static_cast<std::uint16_t>(i))};
    Instances(0x20001).GetInstance(2, path)->SetValue(&value);
  }
  for (int i = 0; i < 300; i += 3) {
    const TPathEntry path[] = {Entry(kA, static_cast<std::uint16_t>(i % 7)),
                               Entry(kB, static_cast<std::uint16_t>(i))};
    Instances(0x20001).DestroyInstance(Instances(0x20001).FindInstance(2, path));
  }
  const TInstanceList& occurrences = Instances(kB);
  ASSERT_EQ(occurrences.Count(), 201);
  for (int i = 1; i < occurrences.Count(); ++i) {
    const TPathView before = occurrences.Item(i - 1)->Path();
    const TPathView after = occurrences.Item(i)->Path();
    EXPECT_TRUE(before[0].Index < after[0].Index ||
                (before[0].Index == after[0].Index && before[1].Index < after[1].Index))
        << "item " << i;
  }
  EXPECT_EQ(Instances(kA).Count(), 7);
}

}  // namespace

namespace {

TEST_F(DictionaryTest, EveryIdentifierIsFoundAndNoOtherIs) {
  // Identifiers from every corner of the 32-bit range, as a damaged or hostile dictionary may
  // hold them.
  std::mt19937 random(11);
  std::vector<std::int32_t> ids = {INT32_MIN, -1, 0, 1, INT32_MAX, 0x10000, 0x7FFF0001};
  while (ids.size() < 3000)
    ids.push_back(static_cast<std::int32_t>(random()));
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  TDictionarySource source;
  source.Version = sample::kVersion;
  for (std::int32_t id : ids)
    source.TopLevel.push_back(Numeric(id));
  ASSERT_EQ(OpenSource(source), 0);
  for (std::int32_t id : ids) {
    ASSERT_NE(dictionary_.Find(id), nullptr) << id;
    ASSERT_EQ(dictionary_.Find(id)->Identifier, id);
  }
  for (int i = 0; i < 20000; ++i) {
    const auto id = static_cast<std::int32_t>(random() % 2 == 0 ? random() : random() % 4096);
    const bool held = std::binary_search(ids.begin(), ids.end(), id);
    ASSERT_EQ(dictionary_.Find(id) != nullptr, held) << id;
  }
}

}  // namespace
