// One whole sweep from the command line, through the same sweep and results file as the window.
#pragma once

#include <ostream>

#include "batch_options.h"

namespace ostrane::batch {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitRefused = 2;

// Runs the sweep the options describe: the table goes to out; warnings, failures and, when
// showProgress, the progress line go to err. Returns the exit status.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err, bool showProgress);

}  // namespace ostrane::batch
