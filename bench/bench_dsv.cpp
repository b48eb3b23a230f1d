// The call interface over a proposal of 100 to 10,000 values: reading every value, loading and
// saving the proposal as a section, the export of the engine input, and clearing the store.
// Each path is measured beside its anchor (the same keys in a std::unordered_map, the raw read
// or write of the same bytes) and at three sizes for its growth. Two quotation files of 65,536
// values (a generated proposal and one driver property with every occurrence in random order)
// are opened as the user would open them.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/anchorreport.h"
#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "dataserver/packeddate.h"

namespace {

constexpr std::int32_t kVehicle = 6;
constexpr std::int32_t kDriver = 15;
constexpr std::int32_t kClaim = 18;
constexpr int kDriverValues = 40;
constexpr int kClaimValues = 8;
constexpr int kVehicleValues = 60;
constexpr int kClaimsPerDriver = 2;
// The definition writes six claims per driver, stored or not: with five drivers
// 60 + 5 x (40 + 6 x 8) = 500 fields.
constexpr int kClaimIterations = 6;
constexpr int kLargeFile = 65536;

std::uint8_t TypeOf(int n) {
  return static_cast<std::uint8_t>(1 + n % 4);  // numeric, string, date, list in turn
}

std::vector<TDictProperty> Values(std::int32_t object, int count) {
  std::vector<TDictProperty> values;
  for (int n = 1; n <= count; ++n) {
    const std::uint8_t type = TypeOf(n);
    values.push_back(TDictProperty{object << 16 | n, type, false, "", type == 4 ? 0 : -1, {}});
  }
  return values;
}

TDictionarySource ProposalDictionary() {
  TDictionarySource source;
  source.Version = 0x10002;
  TDictList list;
  for (int code = 1; code <= 40; ++code)
    list.Entries.push_back({code, std::string("Choice ").append(std::to_string(code)),
                            std::string("C").append(std::to_string(code))});
  source.Lists.push_back(list);
  TDictProperty claim{kClaim, 0, false, "", -1, Values(kClaim, kClaimValues)};
  TDictProperty driver{kDriver, 0, false, "", -1, Values(kDriver, kDriverValues)};
  driver.Children.push_back(claim);
  TDictProperty vehicle{kVehicle, 0, false, "", -1, Values(kVehicle, kVehicleValues)};
  source.TopLevel = {vehicle, driver};
  return source;
}

std::vector<TExportRecord> Fields(std::int32_t object, int count) {
  std::vector<TExportRecord> fields;
  for (int n = 1; n <= count; ++n)
    fields.push_back(TExportRecord{2, 0, object << 16 | n, false, 12, "", n % 3, 1, 1, 0, {}});
  return fields;
}

std::vector<TExportRecord> ProposalDefinition(int drivers) {
  std::vector<TExportRecord> driverFields = Fields(kDriver, kDriverValues);
  driverFields.push_back(TExportRecord{0, 0, kClaim, true, 0, "", 0, 1, kClaimIterations, 300,
                                       Fields(kClaim, kClaimValues)});
  return {
      TExportRecord{0, 0, kVehicle, true, 0, "", 0, 1, 1, 200, Fields(kVehicle, kVehicleValues)},
      TExportRecord{0, 0, kDriver, true, 0, "", 0, 1, drivers, 400, driverFields}};
}

// One value of the proposal: its property and path.
struct TAddress {
  std::int32_t Id;
  std::vector<TPathEntry> Path;

  // The same address as one number, for the anchors' hash.
  std::uint64_t Key() const {
    std::uint64_t key = static_cast<std::uint32_t>(Id);
    for (const TPathEntry& e : Path)
      key = key << 16 | e.Index;
    return key;
  }
};

// The first n values of a proposal that grows by whole drivers: the vehicle, then each driver's
// values followed by two claims of his.
std::vector<TAddress> ProposalAddresses(int n) {
  std::vector<TAddress> addresses;
  for (int v = 1; v <= kVehicleValues; ++v)
    addresses.push_back({kVehicle << 16 | v, {TPathEntry{kVehicle, 0, 0}}});
  for (std::uint16_t d = 0; static_cast<int>(addresses.size()) < n; ++d) {
    for (int v = 1; v <= kDriverValues; ++v)
      addresses.push_back({kDriver << 16 | v, {TPathEntry{kDriver, 0, d}}});
    for (std::uint16_t c = 0; c < kClaimsPerDriver; ++c)
      for (int v = 1; v <= kClaimValues; ++v)
        addresses.push_back(
            {kClaim << 16 | v, {TPathEntry{kDriver, 0, d}, TPathEntry{kClaim, 0, c}}});
  }
  addresses.resize(static_cast<std::size_t>(n));
  return addresses;
}

int DriversOf(const std::vector<TAddress>& addresses) {
  int drivers = 0;
  for (const TAddress& a : addresses)
    if (a.Path[0].ObjectId == kDriver)
      drivers = std::max(drivers, a.Path[0].Index + 1);
  return drivers;
}

void SetValue(const TAddress& a, int seed) {
  const auto length = static_cast<std::int16_t>(a.Path.size());
  switch (TypeOf(a.Id & 0xFFFF)) {
    case 1: {
      const double number = seed * 1.25;
      DsvSetValue(a.Id, length, a.Path.data(), &number);
      break;
    }
    case 2: {
      const std::string text = "Text value " + std::to_string(seed);
      DsvSetValue(a.Id, length, a.Path.data(), text.c_str());
      break;
    }
    case 3: {
      const PackedDate date = PackDate(1950 + seed % 50, 1 + seed % 12, 1 + seed % 28);
      DsvSetValue(a.Id, length, a.Path.data(), &date);
      break;
    }
    default: {
      const std::int32_t code = 1 + seed % 40;
      DsvSetValue(a.Id, length, a.Path.data(), &code);
      break;
    }
  }
}

void Fill(const std::vector<TAddress>& addresses) {
  DsvClearAll();
  int seed = 0;
  for (const TAddress& a : addresses)
    SetValue(a, ++seed);
}

std::vector<std::uint8_t> ReadWhole(const std::string& fileName) {
  std::vector<std::uint8_t> bytes;
  if (std::FILE* f = std::fopen(fileName.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size())
      bytes.clear();
    std::fclose(f);
  }
  return bytes;
}

// The least a safe replacement of a file costs: write the bytes under a new name, rename.
void WriteAndRename(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  const std::string temporary = fileName + ".new";
  if (std::FILE* f = std::fopen(temporary.c_str(), "wb")) {
    benchmark::DoNotOptimize(std::fwrite(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    std::rename(temporary.c_str(), fileName.c_str());
  }
}

void WriteWhole(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  if (std::FILE* f = std::fopen(fileName.c_str(), "wb")) {
    benchmark::DoNotOptimize(std::fwrite(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
  }
}

// The dictionary, and per size the proposal's addresses, its definition and its files.
class TProposalFiles {
 public:
  TProposalFiles() {
    folder_ =
        (std::filesystem::temp_directory_path() / ("qm_bench_dsv_" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(folder_);
    const TDictionaryFiles files = WriteDictionaryFiles(ProposalDictionary());
    WriteBytesToFile(File("Struct.BIN"), files.Struct);
    WriteBytesToFile(File("Lists.BIN"), files.Lists);
    ok_ = DsvOpen(1, 2, File("Lists.BIN").c_str(), File("Struct.BIN").c_str(), "") == 0;
  }
  ~TProposalFiles() {
    DsvClose();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  std::string File(const std::string& name) const { return folder_ + "/" + name; }
  bool Ok() const { return ok_; }

  // The proposal of n values, filled into the Data Server, with its files written: a section
  // file holding it under "Tolvane" (and again under "Other"), the definition that exports it,
  // and the input and dump that export writes.
  struct TSized {
    std::vector<TAddress> Addresses;
    std::string Section, Definition, Input;
    std::vector<std::uint8_t> SectionBytes, InputBytes, DumpBytes;
  };
  const TSized& Proposal(int n) {
    TSized& sized = sized_[n];
    if (sized.Addresses.empty()) {
      sized.Addresses = ProposalAddresses(n);
      const std::string name = std::to_string(n);
      sized.Section = File("proposal" + name + ".PCD");
      sized.Definition = File("Exports" + name + ".BIN");
      sized.Input = File("QuoForm" + name + ".001");
      Fill(sized.Addresses);
      DsvSaveSection(sized.Section.c_str(), "Other");
      DsvSaveSection(sized.Section.c_str(), "Tolvane");
      sized.SectionBytes = ReadWhole(sized.Section);
      WriteBytesToFile(sized.Definition,
                       WriteExportsFile(0, 100, ProposalDefinition(DriversOf(sized.Addresses))));
      DsvExport(1, 2, 0, 0, 0, sized.Definition.c_str(), sized.Input.c_str());
      sized.InputBytes = ReadWhole(sized.Input);
      sized.DumpBytes = ReadWhole(File("QuoForm" + name + ".out"));
    }
    Fill(sized.Addresses);
    return sized;
  }

 private:
  std::string folder_;
  bool ok_ = false;
  std::map<int, TSized> sized_;
};

TProposalFiles& Files() {
  static TProposalFiles files;
  return files;
}

void BM_Query(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  // The queries as the pages make them: each path in place beside its property, as a caller's
  // path lies on its stack, and not in a heap block of its own that the walk would also read.
  struct TQuery {
    std::int32_t Id;
    std::int16_t Length;
    TPathEntry Path[2];
  };
  std::vector<TQuery> queries;
  for (const TAddress& a : Files().Proposal(static_cast<int>(state.range(0))).Addresses) {
    TQuery query{a.Id, static_cast<std::int16_t>(a.Path.size()), {}};
    std::copy(a.Path.begin(), a.Path.end(), query.Path);
    queries.push_back(query);
  }
  char buffer[256];
  for (auto _ : state) {
    for (const TQuery& q : queries)
      benchmark::DoNotOptimize(DsvQueryValue(q.Id, q.Length, q.Path, buffer));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(queries.size()));
}
BENCHMARK(BM_Query)->Arg(100)->Arg(340)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The anchor of the queries: as many look-ups of the same keys in a std::unordered_map.
void BM_QueryAnchor(benchmark::State& state) {
  const auto addresses = ProposalAddresses(static_cast<int>(state.range(0)));
  std::unordered_map<std::uint64_t, double> values;
  for (const TAddress& a : addresses)
    values.emplace(a.Key(), static_cast<double>(a.Id));
  std::vector<std::uint64_t> keys;
  for (const TAddress& a : addresses)
    keys.push_back(a.Key());
  for (auto _ : state) {
    double sum = 0;
    for (std::uint64_t key : keys)
      sum += values.find(key)->second;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(addresses.size()));
}
BENCHMARK(BM_QueryAnchor)->Arg(340)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Load(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const std::string file = Files().Proposal(static_cast<int>(state.range(0))).Section;
  for (auto _ : state)
    benchmark::DoNotOptimize(DsvLoadSection(file.c_str(), "Tolvane"));
}
BENCHMARK(BM_Load)->Arg(100)->Arg(340)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The anchor of the load: reading the same file and storing as many values into a new hash.
void BM_LoadAnchor(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const auto& proposal = Files().Proposal(static_cast<int>(state.range(0)));
  std::vector<std::uint64_t> keys;
  for (const TAddress& a : proposal.Addresses)
    keys.push_back(a.Key());
  for (auto _ : state) {
    const std::vector<std::uint8_t> bytes = ReadWhole(proposal.Section);
    std::unordered_map<std::uint64_t, double> values;
    for (std::uint64_t key : keys)
      values.emplace(key, static_cast<double>(bytes.size()));
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(BM_LoadAnchor)->Arg(340)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The floor of the load: reading the file's bytes and nothing else.
void BM_LoadReadAnchor(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const std::string file = Files().Proposal(static_cast<int>(state.range(0))).Section;
  for (auto _ : state)
    benchmark::DoNotOptimize(ReadWhole(file));
}
BENCHMARK(BM_LoadReadAnchor)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Save(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const std::string file = Files().Proposal(static_cast<int>(state.range(0))).Section;
  for (auto _ : state)
    benchmark::DoNotOptimize(DsvSaveSection(file.c_str(), "Tolvane"));
}
BENCHMARK(BM_Save)->Arg(100)->Arg(340)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The anchor of the save: writing the same bytes under a new name and renaming them over.
void BM_SaveAnchor(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const auto& proposal = Files().Proposal(static_cast<int>(state.range(0)));
  const std::string file = Files().File("anchor.PCD");
  for (auto _ : state)
    WriteAndRename(file, proposal.SectionBytes);
}
BENCHMARK(BM_SaveAnchor)->Arg(340)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Export(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const auto& proposal = Files().Proposal(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(
        DsvExport(1, 2, 0, 0, 0, proposal.Definition.c_str(), proposal.Input.c_str()));
}
BENCHMARK(BM_Export)->Arg(100)->Arg(340)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The anchor of the export: reading the same definition and writing the same input (under a new
// name, renamed over) and dump.
void BM_ExportAnchor(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const auto& proposal = Files().Proposal(static_cast<int>(state.range(0)));
  const std::string input = Files().File("anchor.001");
  const std::string dump = Files().File("anchor.out");
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadWhole(proposal.Definition));
    WriteAndRename(input, proposal.InputBytes);
    WriteWhole(dump, proposal.DumpBytes);
  }
}
BENCHMARK(BM_ExportAnchor)->Arg(340)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_ClearAll(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const auto& addresses = Files().Proposal(static_cast<int>(state.range(0))).Addresses;
  for (auto _ : state) {
    state.PauseTiming();
    Fill(addresses);
    state.ResumeTiming();
    DsvClearAll();
  }
}
BENCHMARK(BM_ClearAll)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A quotation file of 65,536 values: the generated proposal, or one driver value for each of
// 65,536 drivers in random order (every occurrence created out of order).
std::string LargeFile(bool shuffled) {
  const std::string file = Files().File(shuffled ? "shuffled.PCD" : "large.PCD");
  if (!std::filesystem::exists(file)) {
    std::vector<TAddress> addresses;
    if (shuffled) {
      for (int d = 0; d < kLargeFile; ++d)
        addresses.push_back({kDriver << 16 | 1, {TPathEntry{kDriver, 0, std::uint16_t(d)}}});
      std::shuffle(addresses.begin(), addresses.end(), std::mt19937(7));
    } else {
      addresses = ProposalAddresses(kLargeFile);
    }
    Fill(addresses);
    DsvSaveSection(file.c_str(), "Tolvane");
  }
  return file;
}

void BM_OpenLargeFile(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const std::string file = LargeFile(state.range(0) != 0);
  for (auto _ : state) {
    if (DsvLoadSection(file.c_str(), "Tolvane") != 0)
      return state.SkipWithError("the file did not load");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(BM_OpenLargeFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  using benchreport::TGrowth;
  using benchreport::TRatio;
  return benchreport::RunWithAnchors(
      argc, argv,
      {
          TRatio{"1,000 value queries / 1,000 unordered_map look-ups", "BM_Query/1000",
                 "BM_QueryAnchor/1000", 5},
          TRatio{"340 value queries / 340 unordered_map look-ups", "BM_Query/340",
                 "BM_QueryAnchor/340", 5},
          TRatio{"10,000 value queries / 10,000 unordered_map look-ups", "BM_Query/10000",
                 "BM_QueryAnchor/10000", 0},
          TRatio{"load 340 values / read the file + 340 hash stores", "BM_Load/340",
                 "BM_LoadAnchor/340", 3},
          TRatio{"load 10,000 values / read the file + 10,000 hash stores", "BM_Load/10000",
                 "BM_LoadAnchor/10000", 3},
          TRatio{"load 10,000 values / read the file's bytes", "BM_Load/10000",
                 "BM_LoadReadAnchor/10000", 10},
          TRatio{"save 340 values / write the same bytes, rename", "BM_Save/340",
                 "BM_SaveAnchor/340", 0},
          TRatio{"save 10,000 values / write the same bytes, rename", "BM_Save/10000",
                 "BM_SaveAnchor/10000", 0},
          TRatio{"export 500 fields / read definition, write input + dump", "BM_Export/340",
                 "BM_ExportAnchor/340", 0},
          TRatio{"export 15,724 fields / read definition, write input + dump", "BM_Export/10000",
                 "BM_ExportAnchor/10000", 0},
      },
      {TGrowth{"growth with the proposal's size",
               {"BM_Query", "BM_Load", "BM_Save", "BM_Export", "BM_ClearAll"},
               {100, 1000, 10000},
               12},
       TGrowth{
           "growth of the queries from 1,000 to 10,000 values", {"BM_Query"}, {1000, 10000}, 11}},
      {benchreport::TLimit{"open a quotation file of 65,536 values", "BM_OpenLargeFile/0", 0.5},
       benchreport::TLimit{"open a file of 65,536 drivers in random order", "BM_OpenLargeFile/1",
                           0.5}});
}
