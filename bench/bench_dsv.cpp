// The call interface over a full proposal: the export of the engine input, saving and loading
// the proposal as a section, and reading single values.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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
constexpr int kDrivers = 5;
constexpr int kClaimsPerDriver = 2;
// The definition writes six claims per driver, stored or not: 60 + 5 x (40 + 6 x 8) = 500 fields.
constexpr int kClaimIterations = 6;

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

std::vector<TExportRecord> ProposalDefinition() {
  std::vector<TExportRecord> driverFields = Fields(kDriver, kDriverValues);
  driverFields.push_back(TExportRecord{0, 0, kClaim, true, 0, "", 0, 1, kClaimIterations, 300,
                                       Fields(kClaim, kClaimValues)});
  return {
      TExportRecord{0, 0, kVehicle, true, 0, "", 0, 1, 1, 200, Fields(kVehicle, kVehicleValues)},
      TExportRecord{0, 0, kDriver, true, 0, "", 0, 1, kDrivers, 400, driverFields}};
}

void SetValue(std::int32_t id, const std::vector<TPathEntry>& path, int seed) {
  const auto length = static_cast<std::int16_t>(path.size());
  switch (TypeOf(id & 0xFFFF)) {
    case 1: {
      const double number = seed * 1.25;
      DsvSetValue(id, length, path.data(), &number);
      break;
    }
    case 2: {
      const std::string text = "Text value " + std::to_string(seed);
      DsvSetValue(id, length, path.data(), text.c_str());
      break;
    }
    case 3: {
      const PackedDate date = PackDate(1950 + seed % 50, 1 + seed % 12, 1 + seed % 28);
      DsvSetValue(id, length, path.data(), &date);
      break;
    }
    default: {
      const std::int32_t code = 1 + seed % 40;
      DsvSetValue(id, length, path.data(), &code);
      break;
    }
  }
}

// The whole proposal: the vehicle, five drivers, two claims each (340 values).
void FillProposal() {
  DsvClearAll();
  for (int n = 1; n <= kVehicleValues; ++n)
    SetValue(kVehicle << 16 | n, {TPathEntry{kVehicle, 0, 0}}, n);
  for (std::uint16_t d = 0; d < kDrivers; ++d) {
    for (int n = 1; n <= kDriverValues; ++n)
      SetValue(kDriver << 16 | n, {TPathEntry{kDriver, 0, d}}, n + d);
    for (std::uint16_t c = 0; c < kClaimsPerDriver; ++c) {
      for (int n = 1; n <= kClaimValues; ++n)
        SetValue(kClaim << 16 | n, {TPathEntry{kDriver, 0, d}, TPathEntry{kClaim, 0, c}}, n + c);
    }
  }
}

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
    WriteBytesToFile(File("Exports.BIN"), WriteExportsFile(0, 100, ProposalDefinition()));
    ok_ = DsvOpen(1, 2, File("Lists.BIN").c_str(), File("Struct.BIN").c_str(), "") == 0;
  }
  ~TProposalFiles() {
    DsvClose();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  std::string File(const std::string& name) const { return folder_ + "/" + name; }
  bool Ok() const { return ok_; }

 private:
  std::string folder_;
  bool ok_ = false;
};

TProposalFiles& Files() {
  static TProposalFiles files;
  return files;
}

void BM_ExportProposal(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  FillProposal();
  const std::string definition = Files().File("Exports.BIN");
  const std::string output = Files().File("QuoForm1.001");
  for (auto _ : state)
    benchmark::DoNotOptimize(DsvExport(1, 2, 0, 0, 0, definition.c_str(), output.c_str()));
}
BENCHMARK(BM_ExportProposal)->Unit(benchmark::kMicrosecond);

void BM_SaveSection(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  FillProposal();
  const std::string file = Files().File("save.PCD");
  DsvSaveSection(file.c_str(), "Other");  // a second section that every save keeps
  for (auto _ : state)
    benchmark::DoNotOptimize(DsvSaveSection(file.c_str(), "Tolvane"));
}
BENCHMARK(BM_SaveSection)->Unit(benchmark::kMicrosecond);

void BM_LoadSection(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  FillProposal();
  const std::string file = Files().File("load.PCD");
  DsvSaveSection(file.c_str(), "Tolvane");
  for (auto _ : state)
    benchmark::DoNotOptimize(DsvLoadSection(file.c_str(), "Tolvane"));
}
BENCHMARK(BM_LoadSection)->Unit(benchmark::kMicrosecond);

void BM_QueryValue(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  FillProposal();
  char buffer[256];
  int n = 0;
  for (auto _ : state) {
    const std::uint16_t driver = static_cast<std::uint16_t>(n % kDrivers);
    const TPathEntry path[1] = {TPathEntry{kDriver, 0, driver}};
    benchmark::DoNotOptimize(
        DsvQueryValue(kDriver << 16 | (1 + n % kDriverValues), 1, path, buffer));
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QueryValue);

}  // namespace

BENCHMARK_MAIN();
