#include "batch_options.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace ostrane::batch {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign and decimal digits, within 32 bits.
bool IsWholeInteger(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return false;
    }
    for (char c : digits) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() &&
           value <= std::int64_t{std::numeric_limits<std::int32_t>::max()} + (text[0] == '-');
}

// An optional sign, digits with an optional point (at least one digit), an optional exponent.
bool IsWholeReal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            ++i;
        }
        const std::size_t first = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
        }
        if (i == first) {
            return false;
        }
    }
    return i == text.size();
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

TurnAlgorithm AlgorithmNamed(std::string_view name) {
    if (name == "random") {
        return TurnAlgorithm::RandomTurn;
    }
    if (name == "ahead") {
        return TurnAlgorithm::AheadBias;
    }
    if (name == "directional") {
        return TurnAlgorithm::DirectionalBias;
    }
    throw UsageError("--algorithm: unknown algorithm " + Quoted(name) +
                     " (expected random, ahead or directional)");
}

std::uint64_t SeedOf(std::string_view text) {
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw UsageError("--seed: " + Quoted(text) +
                         " is not a whole number from 0 to 18446744073709551615");
    }
    return seed;
}

}  // namespace

BatchOptions ParseArguments(std::span<const std::string_view> arguments) {
    BatchOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> inlineValue;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != name.npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto value = [&]() -> std::string_view {
            if (inlineValue) {
                return *inlineValue;
            }
            if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--")) {
                throw UsageError(std::string(name) + ": missing value");
            }
            return arguments[++i];
        };
        const auto flag = [&] {
            if (inlineValue) {
                throw UsageError(std::string(name) + " takes no value");
            }
        };
        const auto integer = [&](std::string& field) {
            const std::string_view text = value();
            if (!IsWholeInteger(text)) {
                throw UsageError(std::string(name) + ": " + Quoted(text) +
                                 " is not a whole number");
            }
            field = text;
        };
        if (name == "--speed") {
            const std::string_view text = value();
            if (!IsWholeReal(text)) {
                throw UsageError("--speed: " + Quoted(text) + " is not a number");
            }
            options.speed = text;
        } else if (name == "--turn-interval") {
            integer(options.turnInterval);
        } else if (name == "--bias") {
            integer(options.bias);
        } else if (name == "--trials") {
            integer(options.trials);
        } else if (name == "--algorithm") {
            options.algorithm = AlgorithmNamed(value());
        } else if (name == "--output") {
            options.output = value();
            if (options.output.empty()) {
                throw UsageError("--output: the path is empty");
            }
        } else if (name == "--seed") {
            options.seed = SeedOf(value());
        } else if (name == "--quiet") {
            flag();
            options.quiet = true;
        } else if (name == "--help") {
            flag();
            options.action = BatchOptions::Action::Help;
        } else if (name == "--version") {
            flag();
            options.action = BatchOptions::Action::Version;
        } else {
            throw UsageError("unknown option " + Quoted(arguments[i]) + " (see --help)");
        }
    }
    return options;
}

std::string HelpText() {
    return "Usage: ostrane-batch [options]\n"
           "\n"
           "Runs one sweep of the random-walk simulation, as the Run button of the windowed\n"
           "program does, with drawing off: soak hours 12, 14 and 16 by turn ranges 0 to 40\n"
           "percent, writing one line per cell to the results file and a table to standard\n"
           "output. Values out of range are brought into range as the settings window does,\n"
           "with a warning.\n"
           "\n"
           "Options:\n"
           "  --speed M_PER_S        swimming speed in metres per second (default 2.0;\n"
           "                         at least 0.01)\n"
           "  --turn-interval S      seconds between turns (default 120; 2 to 28800)\n"
           "  --bias DEG             bias direction in whole degrees (default 45; 360 or\n"
           "                         more becomes 0)\n"
           "  --trials N             tracks per cell (default 100; at least 2)\n"
           "  --algorithm NAME       random, ahead or directional (default ahead)\n"
           "  --output PATH          the results file (default DmgOut.txt in the current\n"
           "                         directory)\n"
           "  --seed N               make the run reproducible from N (default: the time\n"
           "                         of day at each pass, as the windowed program does)\n"
           "  --quiet                no progress line\n"
           "  --help                 show this text\n"
           "  --version              show the version\n"
           "\n"
           "Reals in the results file use \".\" as the decimal separator.\n"
           "Exit status: 0 done, 1 the run failed, 2 the command line was refused.\n";
}

std::string VersionText() {
    return std::string("ostrane-batch ") + OSTRANE_VERSION + "\n";
}

}  // namespace ostrane::batch
