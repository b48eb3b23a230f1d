// Writing the recovery copy of the proposal being typed (its note, then the section file through
// the durable-file path) beside the floor of any durable write: the same bytes written to a
// fresh file, flushed with fsync and renamed over the old one. Measured for the demo "family"
// sample and for a proposal of 10,000 values. Real time: the disk's flushes are the cost.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "motor/proposalfile.h"
#include "motor/recoverystore.h"

namespace {

const QString kDemo = QStringLiteral(QM_DEMO_BUILD_DIR);
constexpr std::int32_t kDriver = 15;
constexpr int kDriverValues = 40;
constexpr int kDrivers = 250;  // 40 x 250 = 10,000 values

std::string Local(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

// Opens the demo dictionary and loads the family sample.
bool OpenFamily() {
  const QString dictionary = kDemo + QStringLiteral("/dictionary");
  QFile structure(dictionary + QStringLiteral("/Struct.BIN"));
  if (!structure.open(QIODevice::ReadOnly))
    return false;
  const QByteArray head = structure.read(4);
  if (head.size() != 4)
    return false;
  const auto version = static_cast<std::uint32_t>(
      static_cast<std::uint8_t>(head[0]) | static_cast<std::uint8_t>(head[1]) << 8 |
      static_cast<std::uint8_t>(head[2]) << 16 | static_cast<std::uint8_t>(head[3]) << 24);
  return DsvOpen(static_cast<std::int16_t>(version >> 16),
                 static_cast<std::int16_t>(version & 0xFFFF),
                 Local(dictionary + QStringLiteral("/Lists.BIN")).c_str(),
                 Local(dictionary + QStringLiteral("/Struct.BIN")).c_str(), "") == 0 &&
         LoadProposalFile(kDemo + QStringLiteral("/samples/family.PCD")) == 0;
}

// A dictionary of one driver object with 40 values of each kind in turn, and 250 drivers.
bool OpenTenThousand(const QTemporaryDir& dir) {
  TDictionarySource source;
  source.Version = 0x10001;
  TDictList list;
  for (int code = 1; code <= 20; ++code)
    list.Entries.push_back({code, "Choice " + std::to_string(code), "C" + std::to_string(code)});
  source.Lists.push_back(list);
  std::vector<TDictProperty> values;
  for (int n = 1; n <= kDriverValues; ++n) {
    const auto type = static_cast<std::uint8_t>(1 + n % 4);
    values.push_back(TDictProperty{kDriver << 16 | n, type, false, "", type == 4 ? 0 : -1, {}});
  }
  source.TopLevel = {TDictProperty{kDriver, 0, false, "", -1, values}};
  const TDictionaryFiles files = WriteDictionaryFiles(source);
  const std::string lists = Local(dir.filePath("Lists.BIN"));
  const std::string structure = Local(dir.filePath("Struct.BIN"));
  WriteBytesToFile(lists, files.Lists);
  WriteBytesToFile(structure, files.Struct);
  if (DsvOpen(1, 1, lists.c_str(), structure.c_str(), "") != 0)
    return false;
  for (std::uint16_t d = 0; d < kDrivers; ++d) {
    const TPathEntry entry{kDriver, 0, d};
    for (int n = 1; n <= kDriverValues; ++n) {
      const std::int32_t id = kDriver << 16 | n;
      switch (n % 4) {
        case 0: {
          const double number = d * 1.25 + n;
          DsvSetValue(id, 1, &entry, &number);
          break;
        }
        case 1: {
          const std::string text = "Answer " + std::to_string(d) + "/" + std::to_string(n);
          DsvSetValue(id, 1, &entry, text.c_str());
          break;
        }
        default: {
          const std::int32_t code = 1 + (d + n) % 20;  // a packed date or a list code
          DsvSetValue(id, 1, &entry, &code);
          break;
        }
      }
    }
  }
  return true;
}

bool OpenProposal(int which, const QTemporaryDir& dir) {
  return which == 0 ? OpenFamily() : OpenTenThousand(dir);
}

void BM_RecoveryCopy(benchmark::State& state) {
  QTemporaryDir dir;
  if (!OpenProposal(static_cast<int>(state.range(0)), dir))
    return state.SkipWithError("the proposal could not be opened");
  TRecoveryStore store(dir.filePath("Recovery"));
  if (!store.Start())
    return state.SkipWithError("the recovery folder could not be made");
  for (auto _ : state) {
    if (!store.Write(QStringLiteral("/home/user/Quotations/family.PCD")))
      return state.SkipWithError("the copy could not be written");
  }
  state.counters["bytes"] = static_cast<double>(QFile(store.CopyFile()).size());
  DsvClose();
}
BENCHMARK(BM_RecoveryCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The floor: the copy's bytes written to a new file, flushed, renamed over the old one.
void BM_WriteFsyncRename(benchmark::State& state) {
  QTemporaryDir dir;
  if (!OpenProposal(static_cast<int>(state.range(0)), dir))
    return state.SkipWithError("the proposal could not be opened");
  const QString sample = dir.filePath("sample.PCD");
  if (SaveProposalFile(sample) != 0)
    return state.SkipWithError("the proposal could not be saved");
  QFile in(sample);
  in.open(QIODevice::ReadOnly);
  const QByteArray bytes = in.readAll();
  DsvClose();
  const std::string target = Local(dir.filePath("copy.PCD"));
  const std::string temporary = target + ".new";
  for (auto _ : state) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 ||
        ::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) != bytes.size() ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0)
      return state.SkipWithError("the plain write failed");
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_WriteFsyncRename)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Prints the usual table, then each copy beside its floor with the ratio (real time).
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        const std::string name = run.run_name.function_name + "/" + run.run_name.args;
        const auto it = times_.find(name);
        const double t = run.GetAdjustedRealTime();
        if (it == times_.end() || t < it->second)
          times_[name] = t;
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const char* labels[] = {"family sample", "10,000 values"};
    for (int i = 0; i < 2; ++i) {
      const std::string arg = std::to_string(i);
      const auto copy = times_.find("BM_RecoveryCopy/" + arg);
      const auto floor = times_.find("BM_WriteFsyncRename/" + arg);
      if (copy == times_.end() || floor == times_.end() || floor->second <= 0)
        continue;
      std::printf("%-14s recovery copy %9.1f us, write+fsync+rename %9.1f us, ratio %.2fx\n",
                  labels[i], copy->second, floor->second, copy->second / floor->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
