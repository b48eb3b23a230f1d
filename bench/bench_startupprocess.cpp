// The whole program's start-up as the user meets it: "quillmarsh --quit-when-idle" started as a
// process on the demo installation in a private home, to a shown, idle main window and out,
// beside a bare Qt main window with a menu and a status bar started and quit the same way.
// Wall time, processor time (user and system) and peak memory of each process; the ratios with
// their targets. Run on an X display (DISPLAY set) for the figures of the issue; without one it
// runs offscreen and says so. --benchmark_repetitions=N takes the median of N repetitions.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/settingsstore.h"
#include "platform/userdatafolder.h"
#include "settings/optionkeys.h"
#include "tools/install/demoinstaller.h"

extern char** environ;

namespace {

struct TProcessRun {
  bool Ok = false;
  double WallSeconds = 0;
  double CpuSeconds = 0;
  double PeakMiB = 0;
};

// The environment of this process with a private home for the program.
class TPrivateHome {
 public:
  TPrivateHome() {
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      const std::string name = entry.substr(0, entry.find('='));
      if (name != "HOME" && name.rfind("XDG_", 0) != 0)
        environment_.push_back(entry);
    }
    if (std::getenv("DISPLAY") == nullptr)
      environment_.push_back("QT_QPA_PLATFORM=offscreen");
    const QString root = home_.path();
    for (const char* folder : {"home", "config", "data", "runtime"})
      QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment_.push_back("HOME=" + (root + QStringLiteral("/home")).toStdString());
    environment_.push_back("XDG_CONFIG_HOME=" + (root + QStringLiteral("/config")).toStdString());
    environment_.push_back("XDG_DATA_HOME=" + (root + QStringLiteral("/data")).toStdString());
    environment_.push_back("XDG_RUNTIME_DIR=" + (root + QStringLiteral("/runtime")).toStdString());
  }

  // The demo installation of the build tree, set up in the private home as scripts/run sets it
  // up for a program in a build tree; false when it cannot be.
  bool Install() const {
    const QString root = home_.path();
    SetSettingsFolder(root + QStringLiteral("/config"));
    SetUserDataFolder(root + QStringLiteral("/data/Quillmarsh/PrivateMotor"));
    QDir().mkpath(root + QStringLiteral("/program"));
    TDemoInstallRequest request;
    request.Source = QStringLiteral(QM_DEMO_BUILD_DIR);
    request.EngineProgram = request.Source + QStringLiteral("/engine/QuoForm1.pif");
    request.Target = root + QStringLiteral("/installation");
    request.ProgramFolder = root + QStringLiteral("/program");
    request.Today = QDate::currentDate();
    if (InstallDemo(request).Outcome != TDemoInstallOutcome::Installed)
      return false;
    // Nothing modal at the first show: the figure is the program's own work.
    TSettingsStore().WriteText(OptionKeys::kHelp, OptionKeys::kShowFirstHelp, OptionKeys::kNo);
    return true;
  }

  TProcessRun Run(const std::vector<std::string>& arguments) const {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environment_)
      envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    TProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
      return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
      return run;
    run.WallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    run.CpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.PeakMiB = usage.ru_maxrss / 1024.0;
    run.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
  }

 private:
  QTemporaryDir home_;
  std::vector<std::string> environment_;
};

TPrivateHome& Home() {
  static TPrivateHome home;
  return home;
}

void MeasureProcess(benchmark::State& state, const std::vector<std::string>& arguments) {
  double cpu = 0;
  double peak = 0;
  for (auto _ : state) {
    const TProcessRun run = Home().Run(arguments);
    if (!run.Ok) {
      state.SkipWithError("the process did not end cleanly");
      return;
    }
    state.SetIterationTime(run.WallSeconds);
    cpu += run.CpuSeconds;
    peak += run.PeakMiB;
  }
  state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  state.counters["peak_MiB"] = benchmark::Counter(peak, benchmark::Counter::kAvgIterations);
}

void BM_BareWindowProcess(benchmark::State& state) {
  MeasureProcess(state, {QM_BARE_WINDOW});
}
BENCHMARK(BM_BareWindowProcess)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ProgramProcess(benchmark::State& state) {
  MeasureProcess(state, {QM_PROGRAM, "--quit-when-idle"});
}
BENCHMARK(BM_ProgramProcess)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The usual table, then program beside bare window: wall, processor time, peak memory.
class TProcessReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred)
        continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type != Run::RT_Iteration && !median)
        continue;
      std::map<std::string, double>& figures =
          median ? medians_[run.run_name.function_name] : single_[run.run_name.function_name];
      figures["wall"] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      figures["cpu"] = run.counters.at("cpu_s");
      figures["peak"] = run.counters.at("peak_MiB");
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto& figures = medians_.empty() ? single_ : medians_;
    const auto bare = figures.find("BM_BareWindowProcess");
    const auto program = figures.find("BM_ProgramProcess");
    if (bare == figures.end() || program == figures.end())
      return;
    std::printf("\nstart-up to a shown, idle main window, whole process (%s)\n",
                std::getenv("DISPLAY") != nullptr ? "X display" : "offscreen");
    std::printf("%-14s %14s %14s %8s %8s\n", "figure", "program", "bare window", "ratio", "target");
    const struct {
      const char* Label;
      const char* Key;
      const char* Unit;
      double Target;
    } rows[] = {{"wall time", "wall", "ms", 1.7},
                {"CPU time", "cpu", "ms", 1.7},
                {"peak memory", "peak", "MiB", 1.25}};
    for (const auto& row : rows) {
      const double scale = std::string(row.Unit) == "ms" ? 1e3 : 1;
      const double p = program->second.at(row.Key);
      const double b = bare->second.at(row.Key);
      const double ratio = b > 0 ? p / b : 0;
      std::printf("%-14s %10.1f %-3s %10.1f %-3s %7.2fx %7gx%s\n", row.Label, p * scale, row.Unit,
                  b * scale, row.Unit, ratio, row.Target, ratio > row.Target ? "  MISSED" : "");
    }
  }

 private:
  std::map<std::string, std::map<std::string, double>> medians_;
  std::map<std::string, std::map<std::string, double>> single_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  if (!Home().Install() || !Home().Run({QM_PROGRAM, "--quit-when-idle"}).Ok) {
    std::fprintf(stderr, "bench_startupprocess: the program does not start cleanly\n");
    return 1;
  }
  TProcessReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
