// ostrane: the settings window and the track viewer of the random-walk sweep.
#include <QApplication>

#include "settings/platform/decimal_separator.h"
#include "settings/start_up.h"
#include "simulation/random_source.h"
#include "simulation/results_file.h"
#include "simulation/run_parameters.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ostrane::FollowSystemDecimalSeparator();
    ostrane::RunParameters parameters;
    ostrane::TimeOfDaySeeds seeds;
    ostrane::MersenneRandom random(seeds);
    ostrane::ResultsFile results;
    const ostrane::ProgramWindows windows = ostrane::StartUp(parameters, random, results);
    return QApplication::exec();
}
