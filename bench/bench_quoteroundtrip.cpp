// The overhead of one quotation round trip (write the engine input, start the engine, wait,
// read its results, build the rows) beside the bare start-and-wait of the same engine. The
// engine is trivial (it copies prepared results), so the difference is the program's own work.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "dataserver/packeddate.h"
#include "motor/enginerun.h"
#include "motor/quoteinformation.h"
#include "motor/resultrows.h"

namespace {

constexpr std::int32_t kVehicle = 6;
constexpr std::int32_t kDriver = 15;
constexpr int kVehicleValues = 60;
constexpr int kDriverValues = 40;
constexpr int kDrivers = 5;
constexpr int kSchemes = 12;

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

std::vector<TExportRecord> Fields(std::int32_t object, int count) {
  std::vector<TExportRecord> fields;
  for (int n = 1; n <= count; ++n) {
    fields.push_back(TExportRecord{2, 0, object << 16 | n, false, 12, "", n % 3, 1, 1, 0, {}});
  }
  return fields;
}

void SetValue(std::int32_t id, const TPathEntry& entry, int seed) {
  switch (TypeOf(id & 0xFFFF)) {
    case 1: {
      const double number = seed * 1.25;
      DsvSetValue(id, 1, &entry, &number);
      break;
    }
    case 2: {
      const std::string text = std::string("Answer ").append(std::to_string(seed));
      DsvSetValue(id, 1, &entry, text.c_str());
      break;
    }
    case 3: {
      const PackedDate date = PackDate(1950 + seed % 50, 1 + seed % 12, 1 + seed % 28);
      DsvSetValue(id, 1, &entry, &date);
      break;
    }
    default: {
      const std::int32_t code = 1 + seed % 20;
      DsvSetValue(id, 1, &entry, &code);
      break;
    }
  }
}

// Twelve schemes as the engine writes them: priced, referred and declined.
QByteArray PreparedResults() {
  QByteArray text;
  for (int scheme = 0; scheme < kSchemes; ++scheme) {
    QList<QByteArray> lines{QByteArray::number(10 * (scheme + 1)),
                            QByteArray::number(scheme % 5 == 4 ? 0 : 30000 + 1717 * scheme)};
    // Scheme 5 declines (note 39 on a referral); scheme 10 refers.
    const int firstNote = scheme == 4 ? 39 : 10;
    for (int note = 0; note < 15; ++note) {
      const bool used = note < 3;
      lines << (used ? QByteArray::number(note == 0 ? firstNote : 10 + note) : "0");
      lines << (used ? QByteArray("Endorsement text for this scheme") : QByteArray());
    }
    lines << "100"
          << "150"
          << "0";
    for (int section = 0; section < 5; ++section) {
      lines << QByteArray::number(section < 2 ? section + 3 : 0) << (section < 2 ? "00250" : "");
    }
    lines << "1";
    for (const QByteArray& line : lines) {
      text += line + "\r\n";
    }
  }
  return text;
}

// The engine folder with the copying engine, its prepared results and plan names, and a Data
// Server opened on a proposal of 260 exported fields.
class TRoundTripFolder {
 public:
  TRoundTripFolder() {
    files_.Program = dir_.filePath("QuoForm1.pif");
    files_.Results = dir_.filePath("Formula1.001");
    ok_ = QFile::copy(QStringLiteral(QM_COPY_ENGINE), files_.Program) &&
          QFile::setPermissions(files_.Program, QFile::ReadOwner | QFile::ExeOwner);
    Write("Prepared.001", PreparedResults());
    QByteArray plans;
    for (int line = 0; line < kSchemes; ++line) {
      plans += QByteArray("Insurer ") + QByteArray::number(line + 1).leftJustified(12) + "\r\n";
    }
    Write("PlanName.Dat", plans);

    TDictionarySource source;
    source.Version = 0x10001;
    TDictList list;
    for (int code = 1; code <= 20; ++code) {
      list.Entries.push_back({code, std::string("Choice ").append(std::to_string(code)),
                              std::string("C").append(std::to_string(code))});
    }
    source.Lists.push_back(list);
    source.TopLevel = {TDictProperty{kVehicle, 0, false, "", -1, Values(kVehicle, kVehicleValues)},
                       TDictProperty{kDriver, 0, false, "", -1, Values(kDriver, kDriverValues)}};
    const TDictionaryFiles dictionary = WriteDictionaryFiles(source);
    WriteBytesToFile(Path("Struct.BIN"), dictionary.Struct);
    WriteBytesToFile(Path("Lists.BIN"), dictionary.Lists);
    WriteBytesToFile(Path("Exports.BIN"),
                     WriteExportsFile(0, 100,
                                      {TExportRecord{0, 0, kVehicle, true, 0, "", 0, 1, 1, 200,
                                                     Fields(kVehicle, kVehicleValues)},
                                       TExportRecord{0, 0, kDriver, true, 0, "", 0, 1, kDrivers,
                                                     400, Fields(kDriver, kDriverValues)}}));
    ok_ = ok_ && DsvOpen(1, 1, Path("Lists.BIN").c_str(), Path("Struct.BIN").c_str(), "") == 0;
    for (int n = 1; n <= kVehicleValues; ++n) {
      SetValue(kVehicle << 16 | n, TPathEntry{kVehicle, 0, 0}, n);
    }
    for (std::uint16_t d = 0; d < kDrivers; ++d) {
      for (int n = 1; n <= kDriverValues; ++n) {
        SetValue(kDriver << 16 | n, TPathEntry{kDriver, 0, d}, n + d);
      }
    }
  }
  ~TRoundTripFolder() { DsvClose(); }

  bool Ok() const { return ok_; }
  const TEngineFiles& Files() const { return files_; }
  std::string Path(const char* name) const {
    return QFile::encodeName(dir_.filePath(name)).toStdString();
  }
  QString PlanNames() const { return dir_.filePath("PlanName.Dat"); }

 private:
  void Write(const char* name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    ok_ = ok_ && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }

  QTemporaryDir dir_;
  TEngineFiles files_;
  bool ok_ = true;
};

TRoundTripFolder& Folder() {
  static TRoundTripFolder folder;
  return folder;
}

void BM_BareStartAndWait(benchmark::State& state) {
  if (!Folder().Ok()) {
    return state.SkipWithError("the engine folder could not be prepared");
  }
  const QString program = Folder().Files().Program;
  for (auto _ : state) {
    // Started as the engine run starts it, but waited for directly.
    QProcess process;
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {});
    process.waitForFinished(-1);
  }
}
BENCHMARK(BM_BareStartAndWait)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_QuotationRoundTrip(benchmark::State& state) {
  if (!Folder().Ok()) {
    return state.SkipWithError("the engine folder could not be prepared");
  }
  const std::string exports = Folder().Path("Exports.BIN");
  const std::string input = Folder().Path("QuoForm1.001");
  TQuoteInformation information;
  TEngineRun run(
      Folder().Files(), [&] { return DsvExport(1, 1, 0, 0, 0, exports.c_str(), input.c_str()); },
      [&](const QString& results, QString&) {
        information.LoadFromFile(results, Folder().PlanNames(), 1);
        return true;
      });
  int rows = 0;
  for (auto _ : state) {
    if (run.RunAndWait().Outcome != TEngineOutcome::Results) {
      return state.SkipWithError("the round trip did not produce results");
    }
    rows = static_cast<int>(BuildResultRows(information).size());
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_QuotationRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Prints the usual table, then the two figures side by side with their ratio.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto bare = times_.find("BM_BareStartAndWait");
    const auto full = times_.find("BM_QuotationRoundTrip");
    if (bare != times_.end() && full != times_.end() && bare->second > 0) {
      std::printf(
          "\nbare start-and-wait: %.1f us, quotation round trip: %.1f us, ratio %.2f "
          "(overhead %.1f us)\n",
          bare->second, full->second, full->second / bare->second, full->second - bare->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
