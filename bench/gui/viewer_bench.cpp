// A default run drawn on the viewer against the same run with drawing off, on the offscreen
// platform: what drawing adds per leg, with the viewer's repaints included. Target: at most 25%.
#include <QApplication>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "bench/bench_support.h"
#include "displayf/displayf.h"
#include "simulation/random_source.h"
#include "simulation/sweep.h"

namespace {

using namespace ostrane;
using namespace ostrane::bench;

// Shown and exposed, so that its repaints really paint.
TSeeForm& Viewer() {
    static TSeeForm* const viewer = [] {
        auto* shown = new TSeeForm;
        while (!shown->windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return shown;
    }();
    return *viewer;
}

void DefaultRun(benchmark::State& state) {
    TSeeForm& viewer = Viewer();
    DerivedSeeds seeds(1);  // a new seed for every pass, as the time of day would give
    MersenneRandom random(seeds);
    NoStatusDisplay status;
    KeptResults results;
    RunParameters p = DefaultParameters(TurnAlgorithm::AheadBias, state.range(0) != 0);
    for (auto _ : state) {
        RunSweep(p, SweepPorts{viewer, status, results, random});
        viewer.ShowDrawn();
    }
    state.counters["per_leg"] =
        benchmark::Counter(static_cast<double>(kDefaultRunLegs * state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(DefaultRun)->Arg(0)->Arg(1)->ArgName("drawing")->Unit(benchmark::kMillisecond);

// The console report, then what drawing adds to a run, in CPU time like the per-leg counter: all
// of it is this thread's, and the machine's other load does not blur it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                nanosecondsPerRun_[run.benchmark_name()] =
                    run.cpu_accumulated_time * 1e9 / static_cast<double>(run.iterations);
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto off = nanosecondsPerRun_.find("DefaultRun/drawing:0");
        const auto on = nanosecondsPerRun_.find("DefaultRun/drawing:1");
        if (off == nanosecondsPerRun_.end() || on == nanosecondsPerRun_.end()) {
            return;
        }
        const double legs = static_cast<double>(kDefaultRunLegs);
        std::printf(
            "per leg: %.1f ns with drawing off, %.1f ns with drawing on; drawing adds %.1f ns, "
            "%.1f%% (target: at most 25%%)\n",
            off->second / legs, on->second / legs, (on->second - off->second) / legs,
            100 * (on->second / off->second - 1));
    }

private:
    std::map<std::string, double> nanosecondsPerRun_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
