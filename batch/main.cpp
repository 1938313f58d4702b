// ostrane-batch: one sweep from the command line, without windows.
#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "batch_options.h"
#include "batch_run.h"

int main(int argc, char** argv) {
    using namespace ostrane::batch;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    BatchOptions options;
    try {
        options = ParseArguments(arguments);
    } catch (const UsageError& e) {
        std::cerr << "ostrane-batch: " << e.what() << '\n';
        return kExitRefused;
    }
    switch (options.action) {
        case BatchOptions::Action::Help:
            std::cout << HelpText();
            return kExitDone;
        case BatchOptions::Action::Version:
            std::cout << VersionText();
            return kExitDone;
        case BatchOptions::Action::Run:
            break;
    }
    const bool showProgress = !options.quiet && isatty(STDERR_FILENO) == 1;
    return RunBatch(options, std::cout, std::cerr, showProgress);
}
