// The random-walk sweep: fifteen cells of soak hours (12, 14, 16) by turn range (0 to 40 percent),
// NofTrials tracks each, one CellResult per cell.
#pragma once

#include <cstdint>
#include <string_view>

#include "random_source.h"
#include "run_parameters.h"

namespace ostrane {

// The result of one sweep cell, fields in the order of the results file's columns.
struct CellResult {
    std::int32_t Algo;       // the TurnAlgorithm value
    std::int32_t SwimCount;  // SoakHrs x 3600 / TurnInt, rounded to nearest, ties to even
    float SoakHrs;           // 12, 14 or 16
    std::int32_t TurnRange;  // 0, 10, 20, 30 or 40
    long double DMG;         // mean net displacement over the nominal path SoakHrs x 3600 x Speed
};

// Where the tracks are drawn; coordinates are pixels with y growing downward.
class TrackPlotter {
public:
    virtual ~TrackPlotter() = default;
    // Moves the pen to (px, py) without drawing.
    virtual void StartTrack(std::int32_t px, std::int32_t py) = 0;
    // Draws from the pen to (px, py) in the colour of trial (1 or more) and leaves the pen there.
    virtual void DrawLeg(std::int32_t px, std::int32_t py, std::int32_t trial) = 0;
};

// Shows the run status and has it on screen before returning.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void ShowStatus(std::string_view text) = 0;
};

// Receives the cell results of a run.
class ResultsSink {
public:
    virtual ~ResultsSink() = default;
    virtual void OpenResults() = 0;
    virtual void WriteCell(const CellResult& cell) = 0;
    virtual void CloseResults() = 0;
    // A run failed after OpenResults: keep what can be kept and let go of the output. Never throws.
    virtual void AbandonResults() noexcept = 0;
};

// Sees every finished track's net displacement, beside the sweep's own sum.
class TrackObserver {
public:
    virtual ~TrackObserver() = default;
    virtual void TrackFinished(const RunParameters& parameters, long double displacement) = 0;
};

struct SweepPorts {
    TrackPlotter& plotter;
    StatusDisplay& status;
    ResultsSink& results;
    RandomSource& random;
    TrackObserver* observer = nullptr;  // optional
};

// Runs the fifteen cells on `parameters` (Speed, TurnInt, Compass, NofTrials, Algo,
// DisplayTracks) and leaves SoakHrs, TurnRange and TotalDist at the last pass and cell. A failure
// ends the run where it arises; the results are abandoned on the way out.
void RunSweep(RunParameters& parameters, const SweepPorts& ports);

}  // namespace ostrane
