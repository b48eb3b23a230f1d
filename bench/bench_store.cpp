// The instance store and the dictionary loader under a realistic load: a proposal of about a
// thousand values, and a dictionary far larger than the motor one.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/anchorreport.h"
#include "dataserver/dictionary.h"
#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"

namespace {

constexpr std::int32_t kVersion = 0x10002;
constexpr std::int32_t kDriver = 15;
constexpr std::int32_t kClaim = 16;
constexpr std::int32_t kVehicle = 20;
constexpr int kDriverValues = 40;
constexpr int kClaimValues = 10;
constexpr int kVehicleValues = 60;
constexpr int kDrivers = 10;
constexpr int kClaimsPerDriver = 6;

// A private folder for the generated files, removed at exit.
class TBenchFolder {
 public:
  TBenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qm_bench_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
      std::abort();
    path_ = pattern;
  }
  ~TBenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const char* name) const {
    return (std::filesystem::path(path_) / name).string();
  }

 private:
  std::string path_;
};

TBenchFolder& Folder() {
  static TBenchFolder folder;
  return folder;
}

TDictProperty Value(std::int32_t id, std::uint8_t type) {
  TDictProperty p;
  p.Identifier = id;
  p.Type = type;
  return p;
}

// Writes the files and answers {lists, struct}.
std::pair<std::string, std::string> Write(const TDictionarySource& source, const char* prefix) {
  const TDictionaryFiles files = WriteDictionaryFiles(source);
  const std::string lists = Folder().File((std::string(prefix) + "Lists.BIN").c_str());
  const std::string structure = Folder().File((std::string(prefix) + "Struct.BIN").c_str());
  if (!WriteBytesToFile(lists, files.Lists) || !WriteBytesToFile(structure, files.Struct))
    std::abort();
  return {lists, structure};
}

// Drivers with claims beneath them and a vehicle, all numeric values.
TDictionarySource ProposalSource() {
  TDictionarySource source;
  source.Version = kVersion;
  TDictProperty claim = Value(kClaim, 0);
  for (int v = 1; v <= kClaimValues; ++v)
    claim.Children.push_back(Value((kClaim << 16) + v, 1));
  TDictProperty driver = Value(kDriver, 0);
  for (int v = 1; v <= kDriverValues; ++v)
    driver.Children.push_back(Value((kDriver << 16) + v, 1));
  driver.Children.push_back(claim);
  TDictProperty vehicle = Value(kVehicle, 0);
  for (int v = 1; v <= kVehicleValues; ++v)
    vehicle.Children.push_back(Value((kVehicle << 16) + v, 1));
  source.TopLevel = {driver, vehicle};
  return source;
}

struct TValueAddress {
  TProperty* Property;
  std::vector<TPathEntry> Path;
};

std::vector<TValueAddress> ProposalAddresses(TDictionary& dictionary) {
  std::vector<TValueAddress> addresses;
  for (std::uint16_t d = 0; d < kDrivers; ++d) {
    for (int v = 1; v <= kDriverValues; ++v)
      addresses.push_back({dictionary.Find((kDriver << 16) + v), {{kDriver, 0, d}}});
    for (std::uint16_t c = 0; c < kClaimsPerDriver; ++c)
      for (int v = 1; v <= kClaimValues; ++v)
        addresses.push_back(
            {dictionary.Find((kClaim << 16) + v), {{kDriver, 0, d}, {kClaim, 0, c}}});
  }
  for (int v = 1; v <= kVehicleValues; ++v)
    addresses.push_back({dictionary.Find((kVehicle << 16) + v), {{kVehicle, 0, 0}}});
  return addresses;
}

TDictionary& ProposalDictionary() {
  static TDictionary dictionary;
  if (!dictionary.IsOpen()) {
    const auto [lists, structure] = Write(ProposalSource(), "proposal");
    if (dictionary.Open(kVersion, lists, structure) != 0)
      std::abort();
  }
  return dictionary;
}

void SetAll(const std::vector<TValueAddress>& addresses) {
  double value = 1;
  for (const TValueAddress& a : addresses) {
    TInstance* instance =
        a.Property->Instances().GetInstance(static_cast<int>(a.Path.size()), a.Path.data());
    instance->SetValue(&value);
    value += 1;
  }
}

void BM_SetProposalValues(benchmark::State& state) {
  TDictionary& dictionary = ProposalDictionary();
  const auto addresses = ProposalAddresses(dictionary);
  for (auto _ : state) {
    state.PauseTiming();
    dictionary.ClearAll();
    state.ResumeTiming();
    SetAll(addresses);
  }
  state.counters["values"] = static_cast<double>(addresses.size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(addresses.size()));
}
BENCHMARK(BM_SetProposalValues)->Unit(benchmark::kMicrosecond);

void BM_QueryProposalValues(benchmark::State& state) {
  TDictionary& dictionary = ProposalDictionary();
  const auto addresses = ProposalAddresses(dictionary);
  dictionary.ClearAll();
  SetAll(addresses);
  for (auto _ : state) {
    double sum = 0;
    for (const TValueAddress& a : addresses) {
      double value = 0;
      a.Property->Instances()
          .FindInstance(static_cast<int>(a.Path.size()), a.Path.data())
          ->GetValue(&value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["values"] = static_cast<double>(addresses.size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(addresses.size()));
}
BENCHMARK(BM_QueryProposalValues)->Unit(benchmark::kMicrosecond);

void BM_DeleteDriverOccurrence(benchmark::State& state) {
  TDictionary& dictionary = ProposalDictionary();
  const auto addresses = ProposalAddresses(dictionary);
  const TPathEntry driver[] = {{kDriver, 0, 3}};
  for (auto _ : state) {
    state.PauseTiming();
    dictionary.ClearAll();
    SetAll(addresses);
    state.ResumeTiming();
    dictionary.DeleteByPath(1, driver, 4);
  }
}
BENCHMARK(BM_DeleteDriverOccurrence)->Unit(benchmark::kMicrosecond);

// 2,000 properties under 20 objects; one list property with 60,000 entries.
constexpr int kLargeObjects = 20;
constexpr int kLargePerObject = 99;
constexpr int kLargeListEntries = 60000;
constexpr std::int32_t kLargeList = (1 << 16) + 1;

const std::pair<std::string, std::string>& LargeDictionaryFiles() {
  static const auto files = [] {
    TDictionarySource source;
    source.Version = kVersion;
    TDictList list;
    for (int i = 0; i < kLargeListEntries; ++i) {
      // Appended rather than concatenated: GCC 12 warns falsely on "text" + std::string.
      std::string description = "Model ";
      description += std::to_string(i);
      std::string abiCode = "M";
      abiCode += std::to_string(i);
      list.Entries.push_back({(i * 7919) % 1000003, description, abiCode});
    }
    source.Lists.push_back(list);
    for (int o = 1; o <= kLargeObjects; ++o) {
      TDictProperty object = Value(o, 0);
      for (int v = 1; v <= kLargePerObject; ++v) {
        TDictProperty p = Value((o << 16) + v, static_cast<std::uint8_t>(1 + v % 3));
        if (o == 1 && v == 1) {
          p.Type = 4;
          p.List = 0;
        }
        object.Children.push_back(p);
      }
      source.TopLevel.push_back(object);
    }
    return Write(source, "large");
  }();
  return files;
}

void BM_OpenLargeDictionary(benchmark::State& state) {
  const auto& [lists, structure] = LargeDictionaryFiles();
  TDictionary dictionary;
  for (auto _ : state) {
    if (dictionary.Open(kVersion, lists, structure) != 0)
      state.SkipWithError("open failed");
    dictionary.Close();
  }
  state.counters["properties"] = kLargeObjects * (kLargePerObject + 1);
}
BENCHMARK(BM_OpenLargeDictionary)->Unit(benchmark::kMicrosecond);

void BM_FindCodeInLargeList(benchmark::State& state) {
  const auto& [lists, structure] = LargeDictionaryFiles();
  TDictionary dictionary;
  if (dictionary.Open(kVersion, lists, structure) != 0)
    std::abort();
  int i = 0;
  for (auto _ : state) {
    TEnumeration cursor(dictionary, kLargeList);
    TEnumEntry entry;
    benchmark::DoNotOptimize(cursor.FindByCode((i * 7919) % 1000003, entry));
    i = (i + 7) % kLargeListEntries;
  }
}
BENCHMARK(BM_FindCodeInLargeList)->Unit(benchmark::kMicrosecond);

void BM_WalkLargeList(benchmark::State& state) {
  const auto& [lists, structure] = LargeDictionaryFiles();
  TDictionary dictionary;
  if (dictionary.Open(kVersion, lists, structure) != 0)
    std::abort();
  for (auto _ : state) {
    TEnumeration cursor(dictionary, kLargeList);
    TEnumEntry entry;
    int count = 0;
    while (cursor.Next(entry))
      ++count;
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * kLargeListEntries);
}
BENCHMARK(BM_WalkLargeList)->Unit(benchmark::kMillisecond);

// The same walk as a caller of the call interface makes it: begin, every entry into the 256-byte
// buffers, end.
void BM_WalkLargeListCalls(benchmark::State& state) {
  const auto& [lists, structure] = LargeDictionaryFiles();
  if (DsvOpen(kVersion >> 16, kVersion & 0xFFFF, lists.c_str(), structure.c_str(), "") != 0)
    return state.SkipWithError("the dictionary did not open");
  std::int32_t code = 0;
  std::int32_t ordinal = 0;
  char description[256];
  char abiCode[256];
  for (auto _ : state) {
    DsvHandle handle = 0;
    if (DsvBeginEnumList(kLargeList, &handle) != 0) {
      state.SkipWithError("the list did not open");
      break;
    }
    std::int32_t sum = 0;
    while (DsvGetEnumListNext(handle, &code, &ordinal, description, abiCode) == 0)
      sum += code;
    DsvEndEnumList(handle);
    benchmark::DoNotOptimize(sum);
  }
  DsvClose();
  state.SetItemsProcessed(state.iterations() * kLargeListEntries);
}
BENCHMARK(BM_WalkLargeListCalls)->Unit(benchmark::kMillisecond);

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + at, sizeof value);  // little-endian host
  return value;
}

// The anchor of the walk: the same entries decoded straight from the same bytes in memory into
// the same entry, with no checks and no cursor.
void BM_WalkLargeListAnchor(benchmark::State& state) {
  const auto& [lists, structure] = LargeDictionaryFiles();
  TDictionary dictionary;
  if (dictionary.Open(kVersion, lists, structure) != 0)
    std::abort();
  std::ifstream in(lists, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  const auto offset = static_cast<std::size_t>(dictionary.Find(kLargeList)->ListOffset);
  for (auto _ : state) {
    const std::int32_t count = Int32At(bytes, offset);
    std::size_t at = offset + 8;
    TEnumEntry entry;
    std::int32_t sum = 0;
    for (std::int32_t i = 0; i < count; ++i) {
      entry.Ordinal = Int32At(bytes, at + 8);
      at += 12;
      entry.Description.assign(reinterpret_cast<const char*>(&bytes[at + 1]), bytes[at]);
      at += 1 + bytes[at];
      entry.AbiCode.assign(reinterpret_cast<const char*>(&bytes[at + 1]), bytes[at]);
      at += 1 + bytes[at];
      entry.Code = Int32At(bytes, at);
      at += 4;
      sum += entry.Code;
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(entry);
  }
  state.SetItemsProcessed(state.iterations() * kLargeListEntries);
}
BENCHMARK(BM_WalkLargeListAnchor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return benchreport::RunWithAnchors(argc, argv,
                                     {{"walk the 60,000 entries of a list / decode the same bytes",
                                       "BM_WalkLargeList", "BM_WalkLargeListAnchor", 3},
                                      {"the same walk through the call interface / decode",
                                       "BM_WalkLargeListCalls", "BM_WalkLargeListAnchor", 3}});
}
