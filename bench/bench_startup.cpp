// The program's start-up to a shown, idle main window (the hint file read, the settings and the
// demo dictionary opened, the pages built and the first show's steps run) beside a bare Qt main
// window started and shown the same way; prints the ratio. Runs offscreen without a display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "platform/scriptedprompter.h"
#include "platform/settingsstore.h"
#include "platform/userdatafolder.h"
#include "settings/optionkeys.h"
#include "tools/install/demoinstaller.h"

namespace {

// A private home with the demo installation, set up once for the whole run.
class TDemoHome {
 public:
  bool Install() {
    if (!home_.isValid())
      return false;
    SetSettingsFolder(home_.filePath(QStringLiteral("config")));
    SetUserDataFolder(home_.filePath(QStringLiteral("user")));
    QDir().mkpath(ProgramFolder());
    TDemoInstallRequest request;
    request.Source = QStringLiteral(QM_DEMO_BUILD_DIR);
    request.EngineProgram = request.Source + QStringLiteral("/engine/QuoForm1.pif");
    request.Target = home_.filePath(QStringLiteral("data"));
    request.ProgramFolder = ProgramFolder();
    request.Today = QDate::currentDate();
    if (InstallDemo(request).Outcome != TDemoInstallOutcome::Installed)
      return false;
    // Nothing modal at the first show: the figure is the program's own work.
    TSettingsStore().WriteText(OptionKeys::kHelp, OptionKeys::kShowFirstHelp, OptionKeys::kNo);
    return true;
  }
  QString ProgramFolder() const { return home_.filePath(QStringLiteral("program")); }

 private:
  QTemporaryDir home_;
};

TDemoHome& Home() {
  static TDemoHome home;
  return home;
}

void WaitUntilIdle(QWidget& window) {
  if (QTest::qWaitForWindowExposed(&window))
    QApplication::processEvents();
}

void BM_BareMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    QMainWindow window;
    window.resize(760, 560);
    window.show();
    WaitUntilIdle(window);
  }
}
BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond);

void BM_ProgramStartUp(benchmark::State& state) {
  for (auto _ : state) {
    if (!StartUnits(Home().ProgramFolder())) {
      state.SkipWithError("the demo installation cannot be opened");
      break;
    }
    {
      TTolvaneForm window(Home().ProgramFolder());
      window.show();
      while (!window.FirstShowDone())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
      WaitUntilIdle(window);
      state.PauseTiming();
    }
    EndUnits();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProgramStartUp)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the two figures side by side with their ratio.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto bare = times_.find("BM_BareMainWindow");
    const auto full = times_.find("BM_ProgramStartUp");
    if (bare != times_.end() && full != times_.end() && bare->second > 0) {
      std::printf("\nbare main window: %.2f ms, program start-up: %.2f ms, ratio %.2f\n",
                  bare->second, full->second, full->second / bare->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillmarsh - Motor"));
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  ScopedScriptedPrompter prompter;
  if (!Home().Install()) {
    std::fprintf(stderr, "bench_startup: cannot install the demo installation\n");
    return 1;
  }
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  SetSettingsFolder(QString());
  SetUserDataFolder(QString());
  return 0;
}
