// The whole program for one test: both windows from the start-up, a results file in a fresh
// directory, seeded draws, and every failure that reaches the exception display recorded.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/start_up.h"
#include "simulation/random_source.h"
#include "simulation/results_file.h"
#include "simulation/run_parameters.h"

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ostrane {

// A new seed for every pass, the same sequence in every test.
class CountingSeeds final : public SeedSource {
public:
    std::uint32_t NextSeed() override { return ++seed_; }

private:
    std::uint32_t seed_ = 0;
};

// Records the texts that the exception display receives while it lives.
class ShownFailures {
public:
    ShownFailures();
    ~ShownFailures();
    ShownFailures(const ShownFailures&) = delete;
    ShownFailures& operator=(const ShownFailures&) = delete;

    QStringList texts;
    QStringList captions;
};

class ProgramTest : public testing::Test {
protected:
    ProgramTest();

    TSettingsform& Settings() { return *windows_.settings; }
    TSeeForm& Viewer() { return *windows_.viewer; }
    template <typename Control>
    Control* Find(const char* name) {
        Control* control = Settings().findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // Focuses the box, selects its text with Ctrl+A and types `keys` over it, key by key.
    void TypeInto(QWidget* box, const QString& keys);
    // The same with one paste from the clipboard.
    void PasteInto(QWidget* box, const QString& text);
    void Click(QWidget* control);
    // Fewer trials make a run quick.
    void UseTrials(const char* trials) { TypeInto(Settings().NofTrialsEdit, trials); }
    std::string ResultsPath() const { return resultsPath_; }
    // The lines of the results file, or none when it cannot be read.
    QStringList ResultLines() const;

    ShownFailures failures_;
    QTemporaryDir directory_;
    std::string resultsPath_;
    RunParameters parameters_;
    CountingSeeds seeds_;
    MersenneRandom random_{seeds_};
    ResultsFile results_;
    ProgramWindows windows_;
};

}  // namespace ostrane
