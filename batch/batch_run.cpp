#include "batch_run.h"

#include <memory>
#include <optional>
#include <string>

#include "cell_table.h"
#include "progress.h"
#include "simulation/box_access.h"
#include "simulation/float_checks.h"
#include "simulation/message_text.h"
#include "simulation/number_text.h"
#include "simulation/parameter_handlers.h"
#include "simulation/quiet_ports.h"
#include "simulation/random_source.h"
#include "simulation/results_file.h"
#include "simulation/sweep.h"
#include "simulation/text_readers.h"

namespace ostrane::batch {

namespace {

constexpr const char* kProgram = "ostrane-batch: ";

struct EnteredValue {
    const char* option;
    Box box;
    const std::string& text;
};

// Enters the values into the settings window's boxes, so its own handlers limit them, and warns
// for each value that was changed. Returns false, having said why, for a value they cannot store.
bool EnterValues(const BatchOptions& options, RunParameters& p, std::ostream& err) {
    StandaloneBoxes boxes;
    ParameterHandlers handlers(p, boxes);
    handlers.FormCreate();
    const EnteredValue values[] = {
        {"--speed", Box::SpeedEdit, options.speed},
        {"--turn-interval", Box::TurnIntEdit, options.turnInterval},
        {"--bias", Box::CompassEdit, options.bias},
        {"--trials", Box::NofTrialsEdit, options.trials},
    };
    for (const EnteredValue& value : values) {
        try {
            boxes.Enter(value.box, value.text);
        } catch (const FloatingPointError& e) {
            err << kProgram << value.option << ' ' << value.text << ": "
                << MessageForDisplay(e.what()) << '\n';
            return false;
        }
        std::string used;
        if (value.box == Box::SpeedEdit) {
            if (StoreSingle(TextToReal(value.text)) != p.Speed) {
                used = RealToText(p.Speed);
            }
        } else if (const std::string shown = boxes.Text(value.box);
                   TextToInt(value.text) != TextToInt(shown)) {
            used = shown;
        }
        if (!used.empty()) {
            err << kProgram << "warning: " << value.option << ' ' << value.text
                << " is out of range; using " << used << '\n';
        }
    }
    return true;
}

}  // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err, bool showProgress) {
    RunParameters p;
    if (!EnterValues(options, p, err)) {
        return kExitRefused;
    }
    p.Algo = options.algorithm;
    p.DisplayTracks = false;

    std::unique_ptr<SeedSource> seeds;
    if (options.seed) {
        seeds = std::make_unique<DerivedSeeds>(*options.seed);
    } else {
        seeds = std::make_unique<TimeOfDaySeeds>();
    }
    MersenneRandom random(*seeds);
    ResultsFile file(options.output);
    CellTable table(file, out);
    std::optional<ProgressLine> progress;
    std::optional<BothObservers> both;
    TrackObserver* observer = &table;
    if (showProgress) {
        progress.emplace(err, p);
        both.emplace(table, *progress);
        observer = &*both;
        table.BeforeEachRow([&] { progress->Clear(); });
    }
    NoTrackPlotter plotter;
    NoStatusDisplay status;
    try {
        RunSweep(p, SweepPorts{plotter, status, table, random, observer});
    } catch (const std::exception& e) {
        if (progress) {
            progress->Clear();
        }
        out.flush();
        err << kProgram << MessageForDisplay(e.what()) << '\n';
        return kExitRunFailed;
    }
    return kExitDone;
}

}  // namespace ostrane::batch
