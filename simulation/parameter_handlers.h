// The change handlers of the settings window's boxes: each reads its box, forces the value into
// range, stores it in RunParameters and refreshes the km and turns read-outs.
#pragma once

#include "box_access.h"
#include "run_parameters.h"

namespace ostrane {

class ParameterHandlers {
public:
    // Registers the six change handlers with the boxes; both must outlive this object.
    ParameterHandlers(RunParameters& parameters, BoxAccess& boxes);
    ParameterHandlers(const ParameterHandlers&) = delete;
    ParameterHandlers& operator=(const ParameterHandlers&) = delete;

    void SpeedEditChange();
    void TurnIntEditChange();
    void CompassEditChange();
    void TurnRangeEditChange();
    void SoakHrsEditChange();
    void NofTrialsEditChange();

    // Sets the km read-out from the stored TotalDist without deriving it again.
    void ShowTrackLength();
    // The creation sequence, run once with the boxes at their initial texts.
    void FormCreate();
    // Brings every field but TurnRange back in line with the boxes, and the read-outs with them.
    void SetVariables();

private:
    void DeriveTotalDist();
    void ShowTurns();

    RunParameters& parameters_;
    BoxAccess& boxes_;
};

}  // namespace ostrane
