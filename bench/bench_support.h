// What the benchmarks share: the default run and ports that cost nothing.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "simulation/quiet_ports.h"
#include "simulation/random_source.h"
#include "simulation/run_parameters.h"
#include "simulation/sweep.h"

namespace ostrane::bench {

// 100 trials x 5 cells x the legs of the 12-, 14- and 16-hour passes at 120 s.
inline constexpr std::int64_t kDefaultRunLegs = 100 * 5 * (360 + 420 + 480);

// The settings window's initial values.
inline RunParameters DefaultParameters(TurnAlgorithm algo, bool displayTracks) {
    RunParameters p;
    p.Speed = 2;
    p.TurnInt = 120;
    p.Compass = 45;
    p.NofTrials = 100;
    p.Algo = algo;
    p.DisplayTracks = displayTracks;
    return p;
}

// Keeps every DMG, so that the optimiser cannot drop the work behind it.
class KeptResults final : public ResultsSink {
public:
    void OpenResults() override {}
    void WriteCell(const CellResult& cell) override { benchmark::DoNotOptimize(cell.DMG); }
    void CloseResults() override {}
    void AbandonResults() noexcept override {}
};

}  // namespace ostrane::bench
