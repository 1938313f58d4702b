// Ports for a run that nobody watches: no tracks drawn, no status shown.
#pragma once

#include <cstdint>
#include <string_view>

#include "sweep.h"

namespace ostrane {

class NoTrackPlotter final : public TrackPlotter {
public:
    void StartTrack(std::int32_t, std::int32_t) override {}
    void DrawLeg(std::int32_t, std::int32_t, std::int32_t) override {}
};

class NoStatusDisplay final : public StatusDisplay {
public:
    void ShowStatus(std::string_view) override {}
};

}  // namespace ostrane
