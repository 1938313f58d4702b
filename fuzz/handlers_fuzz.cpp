// The change handlers under arbitrary typing: after the creation sequence, texts go into the six
// entry boxes in any order, with refreshes in between.
//
// Input: one action per line. A line starting with '0' to '5' types the rest of the line into
// SpeedEdit, TurnIntEdit, CompassEdit, TurnRangeEdit, SoakHrsEdit or NofTrialsEdit; a line "S"
// runs SetVariables. Any other first byte picks one of these seven actions by its value.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "simulation/box_access.h"
#include "simulation/float_checks.h"
#include "simulation/number_text.h"
#include "simulation/parameter_handlers.h"
#include "simulation/run_parameters.h"

namespace {

using ostrane::Box;
using ostrane::fuzz::Check;

constexpr Box kEntryBoxes[] = {Box::SpeedEdit,     Box::TurnIntEdit, Box::CompassEdit,
                               Box::TurnRangeEdit, Box::SoakHrsEdit, Box::NofTrialsEdit};
constexpr int kSetVariables = 6;

// Which failures an action can meet. Division by zero is never among them: TurnInt is at least 2
// from the creation sequence on.
struct Failures {
    bool overflow;
    bool invalid;
};

Failures PossibleFailures(int action) {
    switch (action) {
        case 0:  // Speed: too large for single when read or in TotalDist
            return {true, false};
        case 1:  // TurnInt: the turns read-out beyond 32 bits
            return {false, true};
        case 4:  // SoakHrs: both of the above
        case kSetVariables:
            return {true, true};
        default:  // Compass, TurnRange, NofTrials store an integer and nothing else
            return {false, false};
    }
}

int ActionOf(std::string_view line) {
    const char first = line.empty() ? '\0' : line.front();
    if (first >= '0' && first <= '5') {
        return first - '0';
    }
    if (first == 'S') {
        return kSetVariables;
    }
    return static_cast<unsigned char>(first) % 7;
}

// The invariants of the parameter set that hold between any two actions.
void CheckParameters(const ostrane::RunParameters& p, const ostrane::StandaloneBoxes& boxes,
                     std::string_view line) {
    const float smallestSpeed = 0.01f;
    const float smallestSoak = std::nextafter(0.01f, 1.0f);
    Check(std::isfinite(p.Speed) && p.Speed >= smallestSpeed, "Speed in range", line);
    Check(std::isfinite(p.SoakHrs) && p.SoakHrs >= smallestSoak, "SoakHrs in range", line);
    Check(std::isfinite(p.TotalDist) && p.TotalDist > 0, "TotalDist positive", line);
    Check(p.TurnInt >= 2 && p.TurnInt <= 28800, "TurnInt in range", line);
    Check(p.TurnRange <= 100, "TurnRange in range", line);
    Check(p.Compass <= 359, "Compass in range", line);
    Check(p.NofTrials >= 2, "NofTrials in range", line);
    Check(boxes.Text(Box::TurnIntEdit) == ostrane::IntToText(p.TurnInt),
          "TurnIntEdit shows TurnInt", line);
    Check(boxes.Text(Box::CompassEdit) == ostrane::IntToText(p.Compass),
          "CompassEdit shows Compass", line);
    Check(boxes.Text(Box::TurnRangeEdit) == ostrane::IntToText(p.TurnRange),
          "TurnRangeEdit shows TurnRange", line);
    Check(boxes.Text(Box::NofTrialsEdit) == ostrane::IntToText(p.NofTrials),
          "NofTrialsEdit shows NofTrials", line);
    // TotalDist and its read-out change together or not at all.
    Check(boxes.Text(Box::TTTmBox) == ostrane::RealToText(p.TotalDist * 0.001L),
          "TTTmBox shows TotalDist", line);
}

// After an action that ended with the turns read-out, it matches SoakHrs and TurnInt.
void CheckTurns(const ostrane::RunParameters& p, const ostrane::StandaloneBoxes& boxes,
                std::string_view line) {
    const long double turns = std::trunc(static_cast<long double>(p.SoakHrs) * 3600 / p.TurnInt);
    Check(boxes.Text(Box::NofTurnsBox) == ostrane::IntToText(static_cast<std::int32_t>(turns)),
          "NofTurnsBox shows the turns", line);
}

void Act(int action, std::string_view text, ostrane::ParameterHandlers& handlers,
         ostrane::StandaloneBoxes& boxes) {
    if (action == kSetVariables) {
        handlers.SetVariables();
    } else {
        boxes.Enter(kEntryBoxes[action], text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ostrane::RunParameters parameters;
    ostrane::StandaloneBoxes boxes;
    ostrane::ParameterHandlers handlers(parameters, boxes);
    handlers.FormCreate();
    CheckParameters(parameters, boxes, "(creation)");

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);

        const int action = ActionOf(line);
        const std::string_view text = line.empty() ? line : line.substr(1);
        const Failures possible = PossibleFailures(action);
        bool failed = false;
        try {
            Act(action, text, handlers, boxes);
        } catch (const ostrane::FloatingPointError& e) {
            const std::string_view message = e.what();
            Check((possible.overflow && message == ostrane::kOverflowMessage) ||
                      (possible.invalid && message == ostrane::kInvalidOperationMessage),
                  "only the failures this action can meet", line);
            failed = true;
        } catch (...) {
            ostrane::fuzz::Broken("something other than a floating-point failure escaped", line);
        }
        CheckParameters(parameters, boxes, line);
        if (action == 0 || action == 4) {
            Check(boxes.Text(kEntryBoxes[action]) == text, "a real box keeps what was typed", line);
        }
        if (!failed && (action == 1 || action == 4 || action == kSetVariables)) {
            CheckTurns(parameters, boxes, line);
        }
    }
    return 0;
}
