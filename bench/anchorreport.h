#pragma once
// Prints, after the usual table, each measured path beside its anchor (what the same work costs
// at the machine's limit, measured in the same run) with the ratio, and the growth of paths
// measured at several sizes. Times are CPU times per iteration: the machine is shared, and the
// processor time a path takes is what the program itself costs. Run with
// --benchmark_repetitions=N to take the median of N repetitions of each: one path and its
// anchor disturbed alike by the other work on the machine keep their ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace benchreport {

// One path beside its anchor: "project / anchor" and the target for that ratio (0: none).
struct TRatio {
  std::string Label;
  std::string Project;  // benchmark names as Google Benchmark prints them
  std::string Anchor;
  double Target = 0;
};

// A path that must take less than a time (real time: what the user waits).
struct TLimit {
  std::string Label;
  std::string Name;
  double Seconds = 0;
};

// Paths measured at several sizes; the growth from each size to the next is printed, and the
// growth of the paths' total (with its target, 0 for none).
struct TGrowth {
  std::string Label;
  std::vector<std::string> Paths;  // benchmark name prefixes, completed by "/<size>"
  std::vector<int> Sizes;
  double TotalTarget = 0;
};

class TAnchorReporter : public benchmark::ConsoleReporter {
 public:
  TAnchorReporter(std::vector<TRatio> ratios, std::vector<TGrowth> growths,
                  std::vector<TLimit> limits)
      : ratios_(std::move(ratios)), growths_(std::move(growths)), limits_(std::move(limits)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred)
        continue;
      const double multiplier = benchmark::GetTimeUnitMultiplier(run.time_unit);
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty())
        name += "/" + run.run_name.args;
      if (run.run_type == Run::RT_Iteration) {
        Keep(seconds_, name, run.GetAdjustedCPUTime() / multiplier);
        Keep(realSeconds_, name, run.GetAdjustedRealTime() / multiplier);
      } else if (run.aggregate_name == "median") {
        // With --benchmark_repetitions the median of the repetitions counts.
        medians_[name] = run.GetAdjustedCPUTime() / multiplier;
        realMedians_[name] = run.GetAdjustedRealTime() / multiplier;
      }
    }
    for (const auto& [name, t] : medians_)
      seconds_[name] = t;
    for (const auto& [name, t] : realMedians_)
      realSeconds_[name] = t;
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    bool heading = false;
    for (const TRatio& r : ratios_) {
      const double project = Seconds(r.Project);
      const double anchor = Seconds(r.Anchor);
      if (project <= 0 || anchor <= 0)
        continue;
      if (!heading) {
        std::printf("\n%-58s %12s %12s %8s %8s\n", "path (CPU time)", "project", "anchor", "ratio",
                    "target");
        heading = true;
      }
      const double ratio = project / anchor;
      std::printf("%-58s %12s %12s %7.2fx %8s%s\n", r.Label.c_str(), Text(project).c_str(),
                  Text(anchor).c_str(), ratio, r.Target > 0 ? TargetText(r.Target).c_str() : "",
                  r.Target > 0 && ratio > r.Target ? "  MISSED" : "");
    }
    for (const TGrowth& g : growths_)
      PrintGrowth(g);
    for (const TLimit& l : limits_) {
      const auto it = realSeconds_.find(l.Name);
      if (it == realSeconds_.end())
        continue;
      std::printf("\n%s: %s real time, %s CPU time (target < %s)%s\n", l.Label.c_str(),
                  Text(it->second).c_str(), Text(Seconds(l.Name)).c_str(), Text(l.Seconds).c_str(),
                  it->second >= l.Seconds ? "  MISSED" : "");
    }
  }

 private:
  static void Keep(std::map<std::string, double>& times, const std::string& name, double t) {
    const auto it = times.find(name);
    if (it == times.end() || t < it->second)
      times[name] = t;
  }

  double Seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? 0 : it->second;
  }

  static std::string Text(double seconds) {
    char text[32];
    if (seconds >= 1e-1)
      std::snprintf(text, sizeof text, "%.3f s", seconds);
    else if (seconds >= 1e-3)
      std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    else
      std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    return text;
  }

  static std::string TargetText(double target) {
    char text[16];
    std::snprintf(text, sizeof text, "<=%gx", target);
    return text;
  }

  void PrintGrowth(const TGrowth& g) const {
    std::vector<std::vector<double>> rows;
    std::vector<double> totals(g.Sizes.size(), 0);
    for (const std::string& path : g.Paths) {
      std::vector<double> times;
      for (std::size_t i = 0; i < g.Sizes.size(); ++i) {
        const double t = Seconds(path + "/" + std::to_string(g.Sizes[i]));
        if (t <= 0)
          return;  // not every path was run at every size
        times.push_back(t);
        totals[i] += t;
      }
      rows.push_back(times);
    }
    std::printf("\n%s (CPU time per call; growth from each size to the next, linear is x%g)\n",
                g.Label.c_str(),
                g.Sizes.size() > 1 ? static_cast<double>(g.Sizes[1]) / g.Sizes[0] : 1.0);
    std::printf("%-12s", "path");
    for (int size : g.Sizes)
      std::printf(" %14d", size);
    std::printf("   growth\n");
    auto row = [](const std::string& label, const std::vector<double>& times) {
      std::printf("%-12s", label.c_str());
      for (double t : times)
        std::printf(" %14s", Text(t).c_str());
      for (std::size_t i = 1; i < times.size(); ++i)
        std::printf("   x%.1f", times[i] / times[i - 1]);
      std::printf("\n");
    };
    for (std::size_t p = 0; p < g.Paths.size(); ++p)
      row(g.Paths[p].rfind("BM_", 0) == 0 ? g.Paths[p].substr(3) : g.Paths[p], rows[p]);
    row("total", totals);
    if (g.TotalTarget > 0 && totals.size() >= 2) {
      const double growth = totals.back() / totals[totals.size() - 2];
      std::printf("total growth from %d to %d values: x%.1f (target <= x%g)%s\n",
                  g.Sizes[g.Sizes.size() - 2], g.Sizes.back(), growth, g.TotalTarget,
                  growth > g.TotalTarget ? "  MISSED" : "");
    }
  }

  std::vector<TRatio> ratios_;
  std::vector<TGrowth> growths_;
  std::vector<TLimit> limits_;
  std::map<std::string, double> seconds_;
  std::map<std::string, double> realSeconds_;
  std::map<std::string, double> medians_;
  std::map<std::string, double> realMedians_;
};

// Runs the registered benchmarks with the reporter; the program's main.
inline int RunWithAnchors(int argc, char** argv, std::vector<TRatio> ratios,
                          std::vector<TGrowth> growths = {}, std::vector<TLimit> limits = {}) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  TAnchorReporter reporter(std::move(ratios), std::move(growths), std::move(limits));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace benchreport
