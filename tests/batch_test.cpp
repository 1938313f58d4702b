#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch_options.h"
#include "batch_run.h"
#include "simulation/random_source.h"
#include "simulation/results_file.h"
#include "simulation/sweep.h"
#include "sweep_fakes.h"

namespace ostrane::batch {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class BatchTest : public testing::Test {
protected:
    BatchTest() {
        char pattern[] = "/tmp/ostrane-batch-XXXXXX";
        dir_ = mkdtemp(pattern);
        output_ = (dir_ / "DmgOut.txt").string();
    }
    ~BatchTest() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Parses and runs a command line as main does; returns the exit status.
    int Run(std::vector<std::string> words) {
        out_.str("");
        err_.str("");
        words.insert(words.begin(), {"--output", output_});
        const std::vector<std::string_view> arguments(words.begin(), words.end());
        BatchOptions options;
        try {
            options = ParseArguments(arguments);
        } catch (const UsageError& e) {
            err_ << e.what();
            return kExitRefused;
        }
        return RunBatch(options, out_, err_, false);
    }

    fs::path dir_;
    std::string output_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(BatchTest, TheSameSeedGivesTheSameFileAndAnotherSeedAnother) {
    ASSERT_EQ(Run({"--seed", "17", "--trials", "5"}), kExitDone);
    const std::string first = ReadAll(output_);
    ASSERT_EQ(Run({"--seed", "17", "--trials", "5"}), kExitDone);
    EXPECT_EQ(ReadAll(output_), first);
    ASSERT_EQ(Run({"--seed", "18", "--trials", "5"}), kExitDone);
    EXPECT_NE(ReadAll(output_), first);
}

TEST_F(BatchTest, TheFileIsWhatTheSweepWritesWithTheSameSeed) {
    ASSERT_EQ(Run({"--seed", "99", "--trials", "4", "--algorithm", "directional", "--bias", "200",
                   "--speed", "1.5", "--turn-interval", "300"}),
              kExitDone);

    RunParameters p;
    p.Speed = 1.5f;
    p.TurnInt = 300;
    p.Compass = 200;
    p.NofTrials = 4;
    p.Algo = TurnAlgorithm::DirectionalBias;
    DerivedSeeds seeds(99);
    MersenneRandom random(seeds);
    ResultsFile file((dir_ / "direct.txt").string());
    testing_fakes::RecordingPlotter plotter;
    testing_fakes::RecordingStatus status;
    RunSweep(p, SweepPorts{plotter, status, file, random});
    EXPECT_EQ(ReadAll(output_), ReadAll(dir_ / "direct.txt"));
}

TEST(DerivedSeeds, ThePassesOfARunGetDifferentStreams) {
    DerivedSeeds seeds(42);
    MersenneRandom random(seeds);
    std::set<std::vector<int>> streams;
    for (int pass = 0; pass < 3; ++pass) {
        random.Reseed();
        std::vector<int> draws;
        for (int i = 0; i < 20; ++i) {
            draws.push_back(random.RandomBelow(6283));
        }
        streams.insert(draws);
    }
    EXPECT_EQ(streams.size(), 3u);
}

TEST_F(BatchTest, PrintsARowPerCellWithItsStandardError) {
    ASSERT_EQ(Run({"--seed", "3", "--trials", "10", "--turn-interval", "28800"}), kExitDone);
    std::istringstream table(out_.str());
    std::vector<std::string> rows;
    for (std::string row; std::getline(table, row);) {
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[0], "SoakHrs  TurnRange  SwimCount  DMG                SE");
    EXPECT_EQ(rows[1].substr(0, 31), "12       0          2          ");
    EXPECT_EQ(rows[15].substr(0, 31), "16       40         2          ");
    // One-leg tracks all swim the leg length, so the 12-hour cells scatter by rounding only.
    std::istringstream first(rows[1]);
    std::string soak, range, count, dmg;
    double error = 1;
    first >> soak >> range >> count >> dmg >> error;
    EXPECT_LT(error, 1e-6);
    std::istringstream last(rows[15]);
    last >> soak >> range >> count >> dmg >> error;
    EXPECT_GT(error, 1e-3);
}

TEST_F(BatchTest, AClampedValueRunsWithTheClampedValueAndWarns) {
    ASSERT_EQ(Run({"--seed", "1", "--trials", "2", "--turn-interval", "1", "--bias", "400",
                   "--speed", "0.001"}),
              kExitDone);
    const std::string warnings = err_.str();
    EXPECT_NE(warnings.find("--turn-interval 1 is out of range; using 2"), std::string::npos);
    EXPECT_NE(warnings.find("--bias 400 is out of range; using 0"), std::string::npos);
    EXPECT_NE(warnings.find("--speed 0.001 is out of range; using 0.00999999977648258"),
              std::string::npos);
    EXPECT_NE(ReadAll(output_).find("\r\n1,21600,12,0,"), std::string::npos);
}

TEST_F(BatchTest, ValuesInRangeRunWithoutWarnings) {
    ASSERT_EQ(Run({"--seed", "1", "--trials", "2", "--turn-interval", "+0120", "--bias", "-90",
                   "--speed", "0.01"}),
              kExitDone);
    EXPECT_EQ(err_.str(), "");
}

struct RefusedCase {
    std::vector<std::string> words;
    const char* message;
};

class RefusedTest : public BatchTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedTest, RefusesWithoutTouchingTheFile) {
    std::ofstream(output_) << "kept";
    EXPECT_EQ(Run(GetParam().words), kExitRefused);
    EXPECT_NE(err_.str().find(GetParam().message), std::string::npos) << err_.str();
    EXPECT_EQ(ReadAll(output_), "kept");
    EXPECT_EQ(out_.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RefusedTest,
    testing::Values(RefusedCase{{"--speed", "2.5x"}, "--speed: \"2.5x\" is not a number"},
                    RefusedCase{{"--speed", "1,5"}, "--speed: \"1,5\" is not a number"},
                    RefusedCase{{"--speed", ""}, "--speed: \"\" is not a number"},
                    RefusedCase{{"--speed", "."}, "--speed: \".\" is not a number"},
                    RefusedCase{{"--speed", "1e"}, "--speed: \"1e\" is not a number"},
                    RefusedCase{{"--speed=9e99"}, "--speed 9e99: Floating point overflow."},
                    RefusedCase{{"--trials", "12x"}, "--trials: \"12x\" is not a whole number"},
                    RefusedCase{{"--trials", "$FF"}, "--trials: \"$FF\" is not a whole number"},
                    RefusedCase{{"--turn-interval", "2.5"}, "\"2.5\" is not a whole number"},
                    RefusedCase{{"--bias", "99999999999"}, "\"99999999999\" is not a whole number"},
                    RefusedCase{{"--bias"}, "--bias: missing value"},
                    RefusedCase{{"--trials", "--quiet"}, "--trials: missing value"},
                    RefusedCase{{"--frobnicate"}, "unknown option \"--frobnicate\""},
                    RefusedCase{{"extra"}, "unknown option \"extra\""},
                    RefusedCase{{"--quiet=yes"}, "--quiet takes no value"},
                    RefusedCase{{"--algorithm", "spiral"}, "unknown algorithm \"spiral\""},
                    RefusedCase{{"--seed", "-1"}, "--seed: \"-1\" is not a whole number"}));

TEST_F(BatchTest, AnUnwritableFileEndsTheRunWithTheMessage) {
    fs::create_directory(output_);
    EXPECT_EQ(Run({"--trials", "2"}), kExitRunFailed);
    EXPECT_EQ(err_.str(), "ostrane-batch: File access denied.\n");
}

TEST_F(BatchTest, AReadOnlyFileEndsTheRunWithTheMessage) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes read-only files";
    }
    std::ofstream(output_) << "kept";
    fs::permissions(output_, fs::perms::owner_read);
    EXPECT_EQ(Run({"--trials", "2"}), kExitRunFailed);
    EXPECT_EQ(err_.str(), "ostrane-batch: File access denied.\n");
    EXPECT_EQ(ReadAll(output_), "kept");
}

TEST(HelpText, NamesEveryOptionWithItsDefault) {
    const std::string help = HelpText();
    for (const char* expected :
         {"--speed", "default 2.0", "--turn-interval", "default 120", "--bias", "default 45",
          "--trials", "default 100", "--algorithm", "default ahead", "--output", "DmgOut.txt",
          "--seed", "--quiet", "--help", "--version"}) {
        EXPECT_NE(help.find(expected), std::string::npos) << expected;
    }
}

}  // namespace
}  // namespace ostrane::batch
