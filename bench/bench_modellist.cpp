// The vehicle model list of one make: 5,000 of a list of 60,000 models, filled as the vehicle
// page fills it, beside its anchor: decoding the same entries from the same bytes in memory and
// making one string each.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/anchorreport.h"
#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/windows1252.h"

namespace {

// The vehicle object with its make and model lists, as the binding names them.
constexpr std::int32_t kVehicle = ObjectCode::Vehicle;
constexpr std::int32_t kMakeList = ListId::Makes;
constexpr std::int32_t kModelList = ListId::Models;
constexpr int kMakes = 12;
constexpr int kModels = 60000;
constexpr std::int32_t kFirstMakeCode = 100;

// A fixed-column model description: years in columns 2-5 and 7-10, variant in 17, fuel in 20,
// transmission in 21, engine size in 23-26, name in 29-55.
std::string ModelDescription(int model) {
  char text[64];
  std::snprintf(text, sizeof text, " %4d %4d      %c  %c%c %4d  %-27s", 1980 + model % 30,
                model % 3 == 0 ? 0 : 2011 + model % 10, 'A' + model % 26, model % 2 ? 'P' : 'D',
                model % 5 ? 'M' : 'A', 1000 + (model % 20) * 100,
                ("MODEL " + std::to_string(model) + " ESTATE").c_str());
  return text;
}

// Models belong to the makes in turn, so one make's models lie all over the list.
TDictionarySource ModelDictionary() {
  TDictionarySource source;
  source.Version = 0x10002;
  TDictList makes;
  for (int m = 0; m < kMakes; ++m)
    makes.Entries.push_back({kFirstMakeCode + m, "Make " + std::to_string(m), "MK"});
  TDictList models;
  TDictDependency dependency{kMakeList, 1, std::vector<std::vector<int>>(kMakes)};
  for (int model = 0; model < kModels; ++model) {
    models.Entries.push_back({100000 + model, ModelDescription(model), "M"});
    dependency.Blocks[static_cast<std::size_t>(model % kMakes)].push_back(model);
  }
  source.Lists = {makes, models};
  source.Dependencies = {dependency};
  source.TopLevel = {TDictProperty{kVehicle,
                                   0,
                                   false,
                                   "",
                                   -1,
                                   {TDictProperty{kMakeList, 4, false, "", 0, {}},
                                    TDictProperty{kModelList, 4, false, "", 1, {}}}}};
  return source;
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + at, sizeof value);  // little-endian host
  return value;
}

class TModelFiles {
 public:
  TModelFiles() {
    const TDictionaryFiles files = WriteDictionaryFiles(ModelDictionary());
    lists_ = files.Lists;
    const std::string listsFile = Path("Lists.BIN");
    const std::string structFile = Path("Struct.BIN");
    ok_ = WriteBytesToFile(listsFile, files.Lists) && WriteBytesToFile(structFile, files.Struct) &&
          DsvOpen(1, 2, listsFile.c_str(), structFile.c_str(), "") == 0;
    // The first make's row of the dependency table: the positions of its models' entries.
    const auto table = static_cast<std::size_t>(Int32At(lists_, 4));
    const auto index = static_cast<std::size_t>(Int32At(lists_, table + 4 + 8));
    const auto block = static_cast<std::size_t>(Int32At(lists_, index));
    const std::int32_t count = Int32At(lists_, index + 4);
    for (std::int32_t i = 0; i < count; ++i)
      positions_.push_back(static_cast<std::size_t>(Int32At(lists_, block + 4 * i)));
  }
  ~TModelFiles() { DsvClose(); }

  bool Ok() const { return ok_; }
  const std::vector<std::uint8_t>& Lists() const { return lists_; }
  const std::vector<std::size_t>& Positions() const { return positions_; }

 private:
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  QTemporaryDir dir_;
  bool ok_ = false;
  std::vector<std::uint8_t> lists_;
  std::vector<std::size_t> positions_;
};

TModelFiles& Files() {
  static TModelFiles files;
  return files;
}

void BM_FillModelList(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  ListItems items;
  for (auto _ : state)
    benchmark::DoNotOptimize(FillModelList(kFirstMakeCode, 0, QString(), items));
  if (items.size() != static_cast<qsizetype>(Files().Positions().size()) + 1)
    return state.SkipWithError("the model list does not hold the make's models");
  state.counters["models"] = static_cast<double>(items.size() - 1);
}
BENCHMARK(BM_FillModelList)->Unit(benchmark::kMicrosecond);

// The anchor: the same entries decoded straight from the same bytes, one string made of each
// description, in a list of the same items.
void BM_FillModelListAnchor(benchmark::State& state) {
  if (!Files().Ok())
    return state.SkipWithError("the dictionary did not open");
  const std::vector<std::uint8_t>& bytes = Files().Lists();
  ListItems items;
  for (auto _ : state) {
    items.clear();
    items.append({QStringLiteral("<Select>"), 0});
    for (std::size_t at : Files().Positions()) {
      at += 12;  // left, right, ordinal
      const auto description = reinterpret_cast<const char*>(&bytes[at + 1]);
      const std::uint8_t length = bytes[at];
      at += 1 + length;
      at += 1 + bytes[at];  // ABI code
      items.append({DecodeWindows1252(QByteArrayView(description, length)), Int32At(bytes, at)});
    }
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(BM_FillModelListAnchor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return benchreport::RunWithAnchors(
      argc, argv,
      {{"fill one make's model list (5,000 of 60,000) / decode + string", "BM_FillModelList",
        "BM_FillModelListAnchor", 2}});
}
