#include "parameter_handlers.h"

#include <string>

#include "float_checks.h"
#include "number_text.h"
#include "text_readers.h"

namespace ostrane {

namespace {

constexpr std::int32_t kMinTurnInt = 2;
constexpr std::int32_t kMaxTurnInt = 28800;
constexpr std::int32_t kMaxCompass = 359;
constexpr std::int32_t kMaxTurnRange = 100;
constexpr std::int32_t kMinNofTrials = 2;
constexpr long double kMinRealEntry = 0.01L;  // the extended nearest 0.01

// A real box's value as stored: "Floating point overflow" before anything else happens.
float ReadSingle(const BoxAccess& boxes, Box box) {
    return StoreSingle(TextToReal(boxes.Text(box)));
}

// The distance read-out in kilometres.
std::string KmText(float totalDist) {
    return RealToText(totalDist * 0.001L);
}

}  // namespace

ParameterHandlers::ParameterHandlers(RunParameters& parameters, BoxAccess& boxes)
    : parameters_(parameters), boxes_(boxes) {
    boxes_.SetChangeHandler(Box::SpeedEdit, [this] { SpeedEditChange(); });
    boxes_.SetChangeHandler(Box::TurnIntEdit, [this] { TurnIntEditChange(); });
    boxes_.SetChangeHandler(Box::CompassEdit, [this] { CompassEditChange(); });
    boxes_.SetChangeHandler(Box::TurnRangeEdit, [this] { TurnRangeEditChange(); });
    boxes_.SetChangeHandler(Box::SoakHrsEdit, [this] { SoakHrsEditChange(); });
    boxes_.SetChangeHandler(Box::NofTrialsEdit, [this] { NofTrialsEditChange(); });
}

void ParameterHandlers::DeriveTotalDist() {
    // The product of two singles and 3600 is exact in extended; the store rounds it once.
    parameters_.TotalDist =
        StoreSingle(static_cast<long double>(parameters_.SoakHrs) * parameters_.Speed * 3600);
}

void ParameterHandlers::ShowTrackLength() {
    boxes_.SetText(Box::TTTmBox, KmText(parameters_.TotalDist));
}

void ParameterHandlers::ShowTurns() {
    const long double turns =
        Divide(static_cast<long double>(parameters_.SoakHrs) * 3600, parameters_.TurnInt);
    boxes_.SetText(Box::NofTurnsBox, IntToText(TruncToInt(turns)));
}

void ParameterHandlers::SpeedEditChange() {
    float v = ReadSingle(boxes_, Box::SpeedEdit);
    if (v < kMinRealEntry) {
        v = StoreSingle(kMinRealEntry);
    }
    parameters_.Speed = v;
    DeriveTotalDist();
    ShowTrackLength();
}

void ParameterHandlers::SoakHrsEditChange() {
    float v = ReadSingle(boxes_, Box::SoakHrsEdit);
    if (v < kMinRealEntry) {
        v = 1;
    }
    parameters_.SoakHrs = v;
    DeriveTotalDist();
    ShowTrackLength();
    ShowTurns();
}

void ParameterHandlers::TurnIntEditChange() {
    std::int32_t n = TextToInt(boxes_.Text(Box::TurnIntEdit));
    if (n < kMinTurnInt) {
        n = kMinTurnInt;
    }
    if (n > kMaxTurnInt) {
        n = kMaxTurnInt;
    }
    parameters_.TurnInt = n;
    boxes_.SetText(Box::TurnIntEdit, IntToText(n));
    ShowTurns();
}

void ParameterHandlers::CompassEditChange() {
    std::int32_t n = TextToInt(boxes_.Text(Box::CompassEdit));
    if (n > kMaxCompass) {
        n = 0;
    }
    parameters_.Compass = n;
    boxes_.SetText(Box::CompassEdit, IntToText(n));
}

void ParameterHandlers::TurnRangeEditChange() {
    std::int32_t n = TextToInt(boxes_.Text(Box::TurnRangeEdit));
    if (n > kMaxTurnRange) {
        n = kMaxTurnRange;
    }
    parameters_.TurnRange = n;
    boxes_.SetText(Box::TurnRangeEdit, IntToText(n));
}

void ParameterHandlers::NofTrialsEditChange() {
    std::int32_t n = TextToInt(boxes_.Text(Box::NofTrialsEdit));
    if (n < kMinNofTrials) {
        n = kMinNofTrials;
    }
    parameters_.NofTrials = n;
    boxes_.SetText(Box::NofTrialsEdit, IntToText(n));
}

void ParameterHandlers::FormCreate() {
    parameters_.TurnInt = 120;
    SpeedEditChange();
    SoakHrsEditChange();
    TurnIntEditChange();
    CompassEditChange();
    TurnRangeEditChange();
    NofTrialsEditChange();
    ShowTrackLength();
    ShowTurns();
}

void ParameterHandlers::SetVariables() {
    SpeedEditChange();
    TurnIntEditChange();
    CompassEditChange();
    SoakHrsEditChange();
    NofTrialsEditChange();
    DeriveTotalDist();
    ShowTrackLength();
    ShowTurns();
}

}  // namespace ostrane
