#include "simulation/sweep.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "simulation/float_checks.h"
#include "simulation/heading_rules.h"
#include "sweep_fakes.h"

namespace ostrane {
namespace {

using namespace testing_fakes;

// Records every track's TotalDist as the sweep has it when the track ends.
class PassRecorder : public TrackObserver {
public:
    void TrackFinished(const RunParameters& p, long double displacement) override {
        totalDists.push_back(p.TotalDist);
        displacements.push_back(displacement);
    }
    std::vector<float> totalDists;
    std::vector<long double> displacements;
};

class SweepTest : public testing::Test {
protected:
    void Run() { RunSweep(parameters, SweepPorts{plotter, status, results, random, &observer}); }

    // The first track of each pass.
    const Track& FirstTrackOfPass(int pass) const {
        return plotter.tracks[static_cast<std::size_t>(pass * 5 * parameters.NofTrials)];
    }

    CallLog log;
    RecordingPlotter plotter{&log};
    RecordingStatus status{&log};
    RecordingResults results{&log};
    ScriptedRandom random{&log};
    PassRecorder observer;
    RunParameters parameters = DefaultParameters(TurnAlgorithm::AheadBias, 2);
};

TEST_F(SweepTest, ACompleteRunCallsItsPortsInOrder) {
    parameters.TurnInt = 28800;
    Run();
    std::vector<std::string> expected{"OpenResults"};
    for (const char* countdown : {"6", "5", "4"}) {
        expected.push_back("Reseed");
        expected.push_back(std::string("Status:* Running * ") + countdown);
        for (int cell = 0; cell < 5; ++cell) {
            expected.insert(expected.end(), {"StartTrack", "StartTrack", "WriteCell"});
        }
    }
    expected.insert(expected.end(), {"Status: FINISHED ", "CloseResults"});
    EXPECT_EQ(log.entries, expected);

    ASSERT_EQ(results.cells.size(), 15u);
    for (std::size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(results.cells[i].SoakHrs, 12.0f + 2 * static_cast<float>(i / 5)) << i;
        EXPECT_EQ(results.cells[i].TurnRange, 10 * static_cast<int>(i % 5)) << i;
        EXPECT_EQ(results.cells[i].Algo, 1);
    }
    // Trial numbers start again at 1 in every cell.
    for (std::size_t t = 0; t < plotter.tracks.size(); ++t) {
        for (const Leg& leg : plotter.tracks[t].legs) {
            EXPECT_EQ(leg.trial, static_cast<int>(t % 2) + 1);
        }
    }
}

TEST_F(SweepTest, LeavesTheLastPassAndCellBehind) {
    Run();
    EXPECT_EQ(parameters.SoakHrs, 16.0f);
    EXPECT_EQ(parameters.TurnRange, 40);
    EXPECT_EQ(parameters.TotalDist, 115200.0f);
    EXPECT_EQ(parameters.Speed, 2.0f);
    EXPECT_EQ(parameters.TurnInt, 120);
}

struct DrawCase {
    TurnAlgorithm algo;
    std::vector<std::int32_t> firstCell;   // the bounds of one track of TurnRange 0
    std::vector<std::int32_t> secondCell;  // and of TurnRange 10
};

class DrawOrderTest : public SweepTest, public testing::WithParamInterface<DrawCase> {};

TEST_P(DrawOrderTest, EachTrackDrawsItsHeadingThenEachLeg) {
    parameters.Algo = GetParam().algo;
    parameters.TurnInt = 28800;  // one leg per track in the first pass
    Run();
    std::vector<std::int32_t> expected;
    for (const auto* cell : {&GetParam().firstCell, &GetParam().secondCell}) {
        for (int trial = 0; trial < 2; ++trial) {
            expected.insert(expected.end(), cell->begin(), cell->end());
        }
    }
    ASSERT_GE(random.bounds.size(), expected.size());
    EXPECT_EQ(
        std::vector<std::int32_t>(random.bounds.begin(), random.bounds.begin() + expected.size()),
        expected);
    const std::size_t perLeg = GetParam().firstCell.size() - 1;
    // Per track 1 + perLeg x legs draws; legs are 1, 1 and 2 in the three passes.
    EXPECT_EQ(random.bounds.size(), 10 * ((1 + perLeg) + (1 + perLeg) + (1 + 2 * perLeg)));
}

INSTANTIATE_TEST_SUITE_P(
    Algorithms, DrawOrderTest,
    testing::Values(DrawCase{TurnAlgorithm::RandomTurn, {6283, 6283}, {6283, 6283}},
                    DrawCase{TurnAlgorithm::AheadBias, {6283, 0, 2}, {6283, 10, 2}},
                    DrawCase{TurnAlgorithm::DirectionalBias, {6283, 0, 2}, {6283, 10, 2}}));

TEST_F(SweepTest, NoTurnSwimsStraightAlongTheInitialHeading) {
    Run();  // every draw 0: heading 0, down the y axis, and no turn
    const std::int32_t legCounts[] = {360, 420, 480};
    for (int pass = 0; pass < 3; ++pass) {
        const Track& track = FirstTrackOfPass(pass);
        EXPECT_EQ(track.startX, 300);
        EXPECT_EQ(track.startY, 300);
        ASSERT_EQ(track.legs.size(), static_cast<std::size_t>(legCounts[pass]));
        EXPECT_EQ(track.legs.back().px, 300);
        EXPECT_EQ(track.legs.back().py, 600);
    }
    // 240 m legs exactly: every track ends TotalDist from its start, so DMG is 1.
    for (const CellResult& cell : results.cells) {
        EXPECT_EQ(cell.DMG, 1.0L);
    }
}

TEST_F(SweepTest, DirectionalBiasWithoutTurnsFollowsTheBias) {
    parameters.Algo = TurnAlgorithm::DirectionalBias;
    parameters.Compass = 90;  // to the right
    Run();
    const Track& track = plotter.tracks.front();
    EXPECT_EQ(track.legs.back().px, 600);
    EXPECT_EQ(track.legs.back().py, 300);
    EXPECT_NEAR(static_cast<double>(results.cells.front().DMG), 1.0, 1e-6);
}

struct PassCase {
    const char* name;
    float speed;
    std::int32_t turnInt;
    std::int32_t legs[3];
    float totalDist[3];
    std::int32_t swimCount[3];
    std::int32_t startPixel[3];  // -1: not checked
};

class PassSetUpTest : public SweepTest, public testing::WithParamInterface<PassCase> {};

TEST_P(PassSetUpTest, DerivesLegsDistancesAndCounts) {
    const PassCase& c = GetParam();
    parameters.Speed = c.speed;
    parameters.TurnInt = c.turnInt;
    Run();
    for (int pass = 0; pass < 3; ++pass) {
        const Track& track = FirstTrackOfPass(pass);
        EXPECT_EQ(track.legs.size(), static_cast<std::size_t>(c.legs[pass])) << pass;
        EXPECT_EQ(observer.totalDists[static_cast<std::size_t>(pass * 10)], c.totalDist[pass])
            << pass;
        EXPECT_EQ(results.cells[static_cast<std::size_t>(pass * 5)].SwimCount, c.swimCount[pass])
            << pass;
        if (c.startPixel[pass] >= 0) {
            EXPECT_EQ(track.startX, c.startPixel[pass]) << pass;
            EXPECT_EQ(track.startY, c.startPixel[pass]) << pass;
        }
    }
}

constexpr float kMinSpeed = 0.00999999977648258209228515625f;

INSTANTIATE_TEST_SUITE_P(
    Parameters, PassSetUpTest,
    testing::Values(
        PassCase{"Default",
                 2,
                 120,
                 {360, 420, 480},
                 {86400, 100800, 115200},
                 {360, 420, 480},
                 {300, 300, 300}},
        // 43200 / 7 = 6171.4 legs of 14 m, but the 16-hour quotient 8228.57 rounds up.
        PassCase{"Seven",
                 2,
                 7,
                 {6171, 7200, 8228},
                 {86394, 100800, 115192},
                 {6171, 7200, 8229},
                 {-1, -1, 299}},
        // 1.5 legs: one swum, two counted (ties to even).
        PassCase{"Longest", 2, 28800, {1, 1, 2}, {57600, 57600, 115200}, {2, 2, 2}, {-1, -1, -1}},
        PassCase{
            "HalfEven", 2, 3456, {12, 14, 16}, {82944, 96768, 110592}, {12, 15, 17}, {-1, -1, -1}},
        PassCase{
            "HalfOdd", 2, 3200, {13, 15, 18}, {83200, 96000, 115200}, {14, 16, 18}, {-1, -1, -1}},
        PassCase{"Slowest",
                 kMinSpeed,
                 2,
                 {21600, 25200, 28800},
                 {432, 504, 576},
                 {21600, 25200, 28800},
                 {299, 299, 299}}),
    [](const testing::TestParamInfo<PassCase>& info) { return std::string(info.param.name); });

class OneLegTest : public SweepTest, public testing::WithParamInterface<TurnAlgorithm> {};

TEST_P(OneLegTest, OneLegTracksGetTheLegOverTheNominalPath) {
    FixedSeeds seeds(99);
    MersenneRandom mersenne(seeds);
    parameters.Algo = GetParam();
    parameters.TurnInt = 28800;
    parameters.NofTrials = 10;
    RunSweep(parameters, SweepPorts{plotter, status, results, mersenne});
    // Each displacement is the 57600 m leg, off by the rounding of a single near 1e5 (< 0.01 m).
    for (int cell = 0; cell < 5; ++cell) {
        EXPECT_NEAR(static_cast<double>(results.cells[cell].DMG), 2.0 / 3, 1e-6);
        EXPECT_NEAR(static_cast<double>(results.cells[cell + 5].DMG), 4.0 / 7, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Algorithms, OneLegTest,
                         testing::Values(TurnAlgorithm::RandomTurn, TurnAlgorithm::AheadBias,
                                         TurnAlgorithm::DirectionalBias));

TEST_F(SweepTest, DrawingOffStillStartsTracksAndGivesTheSameResults) {
    FixedSeeds seeds(1234);
    MersenneRandom drawn(seeds);
    MersenneRandom hidden(seeds);
    parameters.NofTrials = 3;
    RunParameters shown = parameters;
    RunSweep(shown, SweepPorts{plotter, status, results, drawn});

    RecordingPlotter quiet;
    RecordingResults quietResults;
    parameters.DisplayTracks = false;
    RunSweep(parameters, SweepPorts{quiet, status, quietResults, hidden});

    ASSERT_EQ(quiet.tracks.size(), 45u);
    for (const Track& track : quiet.tracks) {
        EXPECT_TRUE(track.legs.empty());
    }
    ASSERT_EQ(quietResults.cells.size(), results.cells.size());
    for (std::size_t i = 0; i < results.cells.size(); ++i) {
        EXPECT_EQ(quietResults.cells[i].DMG, results.cells[i].DMG) << i;
    }
    EXPECT_LT(results.cells[1].DMG, 1.0L);  // real turns, not straight lines
}

TEST_F(SweepTest, LegLengthTooLargeFailsBeforeThePassStatus) {
    parameters.Speed = FLT_MAX;
    try {
        Run();
        FAIL() << "no failure";
    } catch (const FloatingPointError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(log.entries, (std::vector<std::string>{"OpenResults", "AbandonResults"}));
}

TEST_F(SweepTest, AFailureMidRunEndsItAndAbandonsTheResults) {
    plotter.failAtLeg = 360 * 2 * 3 + 5;  // in the fourth cell of the first pass
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(results.cells.size(), 3u);
    EXPECT_EQ(status.texts, std::vector<std::string>{"* Running * 6"});
    EXPECT_EQ(log.entries.back(), "AbandonResults");
    EXPECT_EQ(parameters.SoakHrs, 12.0f);
    EXPECT_EQ(parameters.TurnRange, 30);
}

TEST_F(SweepTest, AFailedOpenRunsNothing) {
    results.failOpen = true;
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(log.entries, std::vector<std::string>{"OpenResults"});
    EXPECT_EQ(parameters.SoakHrs, 24.0f);
}

TEST(AheadBiasHeading, OnlyAHeadingAboveTwoPiIsReducedAndOnlyOnce) {
    const float belowTwoPi = std::nextafter(static_cast<float>(kTwoPi), 0.0f);
    ASSERT_LT(belowTwoPi, kTwoPi);
    EXPECT_EQ(AheadBiasHeading(belowTwoPi, 0), belowTwoPi);

    const float aboveTwoPi = std::nextafter(belowTwoPi, 10.0f);
    ASSERT_GT(aboveTwoPi, kTwoPi);
    EXPECT_EQ(AheadBiasHeading(aboveTwoPi, 0), StoreSingle(aboveTwoPi - kTwoPi));

    EXPECT_EQ(AheadBiasHeading(6.2f, 0.39L * kPi),
              StoreSingle(StoreSingle(6.2L + 0.39L * kPi) - kTwoPi));
    const float twice = AheadBiasHeading(13.0f, 0);
    EXPECT_GT(twice, kTwoPi);  // 13 - 2 pi, not reduced again
    EXPECT_EQ(twice, StoreSingle(13.0L - kTwoPi));
}

TEST(AheadBiasHeading, NegativeHeadingsAreNeverRaised) {
    EXPECT_EQ(AheadBiasHeading(-0.1f, -0.39L * kPi), StoreSingle(-0.1f - 0.39L * kPi));
    EXPECT_EQ(AheadBiasHeading(-1000.0f, 0), -1000.0f);
}

}  // namespace
}  // namespace ostrane
