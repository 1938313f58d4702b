// The sweep per leg against the floor of what a leg cannot avoid: its draws, one extended sine and
// cosine, and the stores to single.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "bench/bench_support.h"
#include "simulation/float_checks.h"
#include "simulation/random_source.h"
#include "simulation/sin_cos.h"
#include "simulation/sweep.h"

namespace {

using namespace ostrane;
using namespace ostrane::bench;

void DefaultRun(benchmark::State& state) {
    DerivedSeeds seeds(1);  // a new seed for every pass, as the time of day would give
    MersenneRandom random(seeds);
    NoTrackPlotter plotter;
    NoStatusDisplay status;
    KeptResults results;
    RunParameters p = DefaultParameters(static_cast<TurnAlgorithm>(state.range(0)), false);
    for (auto _ : state) {
        RunSweep(p, SweepPorts{plotter, status, results, random});
    }
    state.counters["legs/s"] = benchmark::Counter(
        static_cast<double>(kDefaultRunLegs * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(DefaultRun)->Arg(0)->Arg(1)->Arg(2)->ArgName("algo")->Unit(benchmark::kMillisecond);

struct LibrarySinCos {
    SineCosine operator()(long double a) const { return {std::sin(a), std::cos(a)}; }
};
struct X87SinCos {
    SineCosine operator()(long double a) const { return SinCos(a); }
};

// Two draws, a sine and a cosine, and three stores to single per leg; nothing else.
template <typename Trig>
void LegFloor(benchmark::State& state) {
    DerivedSeeds seeds(1);  // a new seed for every pass, as the time of day would give
    MersenneRandom random(seeds);
    random.Reseed();
    const Trig trig;
    float heading = 0;
    float x = 0;
    float y = 0;
    for (auto _ : state) {
        for (std::int64_t leg = 0; leg < kDefaultRunLegs; ++leg) {
            const std::int32_t r = random.RandomBelow(20);
            const std::int32_t s = random.RandomBelow(2);
            heading = StoreSingle(heading + (2 * s - 1) * (r * 0.01L));
            const SineCosine sc = trig(heading);
            x = StoreSingle(sc.sine * 240 + x);
            y = StoreSingle(sc.cosine * 240 + y);
        }
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
    state.counters["legs/s"] = benchmark::Counter(
        static_cast<double>(kDefaultRunLegs * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(LegFloor, X87SinCos)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(LegFloor, LibrarySinCos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
