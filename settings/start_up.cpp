#include "start_up.h"

namespace ostrane {

ProgramWindows StartUp(RunParameters& parameters, RandomSource& random, ResultsSink& results) {
    ProgramWindows windows;
    windows.settings = std::make_unique<TSettingsform>(parameters, random, results);
    windows.viewer = std::make_unique<TSeeForm>();
    TSettingsform& settings = *windows.settings;
    settings.show();
    settings.activateWindow();
    settings.SpeedEdit->setFocus();
    settings.SpeedEdit->selectAll();
    return windows;
}

}  // namespace ostrane
