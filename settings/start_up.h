// The program's start-up, once the application object exists.
#pragma once

#include <memory>

#include "displayf/displayf.h"
#include "settings/settings.h"

namespace ostrane {

// Both windows, in the order of their creation; they live as long as this object.
struct ProgramWindows {
    std::unique_ptr<TSettingsform> settings;
    std::unique_ptr<TSeeForm> viewer;
};

// Creates the settings window (FormCreate runs), then the viewer, which shows itself first; then
// shows and activates the settings window with the focus in SpeedEdit and its text selected. The
// settings window's OnActivate follows once the message loop handles the activation.
ProgramWindows StartUp(RunParameters& parameters, RandomSource& random, ResultsSink& results);

}  // namespace ostrane
