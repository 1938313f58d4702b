// The one parameter set that describes a run.
#pragma once

#include <cstdint>

namespace ostrane {

// The turn rule of a run; the value is the item index of the window's algorithm group and the
// Algo column of the results file.
enum class TurnAlgorithm : std::int32_t {
    RandomTurn = 0,       // "Random"
    AheadBias = 1,        // "Random with ahead bias"
    DirectionalBias = 2,  // "Random with directional bias"
};

// Zero until the settings window's creation fills it. The ranges hold once the field's change
// handler has run; the sweep overwrites SoakHrs, TurnRange and TotalDist for each pass and cell.
struct RunParameters {
    float TotalDist = 0;         // metres; > 0
    float Speed = 0;             // metres per second; >= the single nearest 0.01
    float SoakHrs = 0;           // hours; >= the smallest single above 0.01
    std::int32_t TurnInt = 0;    // seconds between turns; 2 to 28800
    std::int32_t TurnRange = 0;  // percent of a half turn; <= 100, may be negative
    std::int32_t Compass = 0;    // bias direction in whole degrees; <= 359, may be negative
    std::int32_t NofTrials = 0;  // tracks per sweep cell; >= 2
    TurnAlgorithm Algo = TurnAlgorithm::RandomTurn;  // set when a run starts
    bool DisplayTracks = false;                      // set when a run starts
};

}  // namespace ostrane
