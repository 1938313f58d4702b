// The progress line of a long batch run, redrawn in place on a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

#include "simulation/sweep.h"

namespace ostrane::batch {

class ProgressLine : public TrackObserver {
public:
    using Clock = std::chrono::steady_clock;

    // Weighs each track by its legs, so the percentage follows the time a run takes.
    ProgressLine(std::ostream& err, const RunParameters& parameters);
    ~ProgressLine() override { Clear(); }

    void TrackFinished(const RunParameters& parameters, long double displacement) override;

    // Removes the line, if one was shown.
    void Clear();

private:
    std::ostream& err_;
    std::int32_t turnInt_;
    double totalLegs_ = 0;
    double legsDone_ = 0;
    std::int64_t tracksDone_ = 0;
    Clock::time_point start_;
    Clock::time_point lastShown_;
    bool shown_ = false;
};

// Passes every finished track to two observers.
class BothObservers : public TrackObserver {
public:
    BothObservers(TrackObserver& first, TrackObserver& second) : first_(first), second_(second) {}
    void TrackFinished(const RunParameters& p, long double displacement) override {
        first_.TrackFinished(p, displacement);
        second_.TrackFinished(p, displacement);
    }

private:
    TrackObserver& first_;
    TrackObserver& second_;
};

}  // namespace ostrane::batch
