// The command line of ostrane-batch.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "simulation/run_parameters.h"

namespace ostrane::batch {

// A command line that cannot be run; what() names the option and the text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct BatchOptions {
    enum class Action { Run, Help, Version };

    Action action = Action::Run;
    // The values as texts, checked to be wholly numbers; they go through the settings window's own
    // change handlers, which bring them into range.
    std::string speed = "2.0";         // metres per second
    std::string turnInterval = "120";  // seconds
    std::string bias = "45";           // degrees
    std::string trials = "100";        // tracks per cell
    TurnAlgorithm algorithm = TurnAlgorithm::AheadBias;
    std::string output = "DmgOut.txt";
    std::optional<std::uint64_t> seed;
    bool quiet = false;
};

// Throws UsageError for an unknown option, a missing value, a value that is not wholly a number,
// or an unknown algorithm.
BatchOptions ParseArguments(std::span<const std::string_view> arguments);

std::string HelpText();
std::string VersionText();

}  // namespace ostrane::batch
