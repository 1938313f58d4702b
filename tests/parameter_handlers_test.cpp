#include "simulation/parameter_handlers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "simulation/box_access.h"
#include "simulation/float_checks.h"
#include "simulation/run_parameters.h"

namespace ostrane {
namespace {

// Records every text that actually reaches a box.
class RecordingBoxes : public StandaloneBoxes {
public:
    std::vector<std::pair<Box, std::string>> writes;

private:
    void WriteText(Box box, std::string_view text) override {
        writes.emplace_back(box, std::string(text));
        StandaloneBoxes::WriteText(box, text);
    }
};

TEST(BoxAccess, ADifferentTextRunsTheHandlerBeforeTheSetReturns) {
    StandaloneBoxes boxes;
    std::vector<std::string> seen;
    boxes.SetChangeHandler(Box::CompassEdit, [&] { seen.push_back(boxes.Text(Box::CompassEdit)); });
    boxes.SetText(Box::CompassEdit, "45");  // the initial text: nothing happens
    EXPECT_TRUE(seen.empty());
    boxes.SetText(Box::CompassEdit, "90");
    EXPECT_EQ(seen, std::vector<std::string>{"90"});
    boxes.SetText(Box::TTTmBox, "1");  // no handler
    EXPECT_EQ(boxes.Text(Box::TTTmBox), "1");
}

TEST(BoxAccess, AFailingHandlerLeavesTheNewTextAndReachesTheCaller) {
    StandaloneBoxes boxes;
    boxes.SetChangeHandler(Box::NofTrialsEdit, [] { throw std::runtime_error("boom"); });
    EXPECT_THROW(boxes.SetText(Box::NofTrialsEdit, "7"), std::runtime_error);
    EXPECT_EQ(boxes.Text(Box::NofTrialsEdit), "7");
}

class HandlersTest : public testing::Test {
protected:
    HandlersTest() { handlers.FormCreate(); }

    // The user replaces the box's text; returns the failure message, or "" when none.
    std::string Enter(Box box, const std::string& text) {
        try {
            boxes.Enter(box, text);
        } catch (const FloatingPointError& e) {
            return e.what();
        }
        return "";
    }

    std::string Text(Box box) const { return boxes.Text(box); }

    RunParameters parameters;
    RecordingBoxes boxes;
    ParameterHandlers handlers{parameters, boxes};
};

TEST_F(HandlersTest, CreationFillsTheParametersAndReadOutsOnly) {
    EXPECT_EQ(parameters.Speed, 2.0f);
    EXPECT_EQ(parameters.TurnInt, 120);
    EXPECT_EQ(parameters.Compass, 45);
    EXPECT_EQ(parameters.TurnRange, 25);
    EXPECT_EQ(parameters.SoakHrs, 24.0f);
    EXPECT_EQ(parameters.NofTrials, 100);
    EXPECT_EQ(parameters.TotalDist, 172800.0f);
    EXPECT_EQ(Text(Box::TTTmBox), "172.8");
    EXPECT_EQ(Text(Box::NofTurnsBox), "720");
    for (const auto& [box, text] : boxes.writes) {
        EXPECT_TRUE(box == Box::TTTmBox || box == Box::NofTurnsBox) << text;
    }
}

struct SpeedCase {
    const char* text;
    float speed;
    float totalDist;
    const char* km;
};

class SpeedEntryTest : public HandlersTest, public testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedEntryTest, StoresSpeedAndKeepsTheTypedText) {
    const SpeedCase& c = GetParam();
    EXPECT_EQ(Enter(Box::SpeedEdit, c.text), "");
    EXPECT_EQ(parameters.Speed, c.speed);
    EXPECT_EQ(parameters.TotalDist, c.totalDist);
    EXPECT_EQ(Text(Box::TTTmBox), c.km);
    EXPECT_EQ(Text(Box::SpeedEdit), c.text);
}

constexpr float kNearestHundredth = 0.00999999977648258209228515625f;

INSTANTIATE_TEST_SUITE_P(Texts, SpeedEntryTest,
                         testing::Values(SpeedCase{"", kNearestHundredth, 864, "0.864"},
                                         SpeedCase{"0.01", kNearestHundredth, 864, "0.864"},
                                         SpeedCase{"0", kNearestHundredth, 864, "0.864"},
                                         SpeedCase{"-5", kNearestHundredth, 864, "0.864"},
                                         SpeedCase{"$10", kNearestHundredth, 864, "0.864"},
                                         SpeedCase{"0.3", 0.300000011920928955078125f,
                                                   25920.001953125f, "25.920001953125"},
                                         SpeedCase{"1e3", 1000, 86400000, "86400"},
                                         SpeedCase{"2.5x", 25, 2160000, "2160"},
                                         SpeedCase{"2.5 ", 25, 2160000, "2160"},
                                         SpeedCase{"1,5", 1, 86400, "86.4"},
                                         SpeedCase{" 2.5", 2.5f, 216000, "216"}));

struct SoakCase {
    const char* text;
    float soakHrs;
    float totalDist;
    const char* km;
    const char* turns;
};

class SoakEntryTest : public HandlersTest, public testing::WithParamInterface<SoakCase> {};

TEST_P(SoakEntryTest, StoresSoakHoursAndBothReadOuts) {
    const SoakCase& c = GetParam();
    EXPECT_EQ(Enter(Box::SoakHrsEdit, c.text), "");
    EXPECT_EQ(parameters.SoakHrs, c.soakHrs);
    EXPECT_EQ(parameters.TotalDist, c.totalDist);
    EXPECT_EQ(Text(Box::TTTmBox), c.km);
    EXPECT_EQ(Text(Box::NofTurnsBox), c.turns);
    EXPECT_EQ(Text(Box::SoakHrsEdit), c.text);
}

INSTANTIATE_TEST_SUITE_P(Texts, SoakEntryTest,
                         testing::Values(SoakCase{"", 1, 7200, "7.2", "30"},
                                         SoakCase{"0.01", 1, 7200, "7.2", "30"},
                                         SoakCase{"0.011", 0.010999999940395355224609375f,
                                                  79.19999694824219f, "0.0791999969482422", "0"},
                                         SoakCase{"12", 12, 86400, "86.4", "360"}));

struct IntegerCase {
    Box box;
    const char* text;
    int value;
    const char* shown;
};

class IntegerEntryTest : public HandlersTest, public testing::WithParamInterface<IntegerCase> {
protected:
    int Field(Box box) const {
        switch (box) {
            case Box::TurnIntEdit:
                return parameters.TurnInt;
            case Box::CompassEdit:
                return parameters.Compass;
            case Box::TurnRangeEdit:
                return parameters.TurnRange;
            default:
                return parameters.NofTrials;
        }
    }
};

TEST_P(IntegerEntryTest, StoresTheLimitedValueAndNormalisesTheBox) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(Enter(c.box, c.text), "");
    EXPECT_EQ(Field(c.box), c.value);
    EXPECT_EQ(Text(c.box), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerEntryTest,
    testing::Values(
        IntegerCase{Box::TurnIntEdit, "", 2, "2"}, IntegerCase{Box::TurnIntEdit, "1", 2, "2"},
        IntegerCase{Box::TurnIntEdit, "99999", 28800, "28800"},
        IntegerCase{Box::TurnIntEdit, "$FF", 255, "255"},
        IntegerCase{Box::TurnIntEdit, "0x1F", 2, "2"}, IntegerCase{Box::TurnIntEdit, "1e3", 2, "2"},
        IntegerCase{Box::TurnIntEdit, "007", 7, "7"}, IntegerCase{Box::TurnIntEdit, "+5", 5, "5"},
        IntegerCase{Box::TurnIntEdit, " 12", 12, "12"},
        IntegerCase{Box::TurnIntEdit, "12x", 12, "12"},
        IntegerCase{Box::TurnIntEdit, "$1F", 31, "31"},
        IntegerCase{Box::CompassEdit, "360", 0, "0"}, IntegerCase{Box::CompassEdit, "999", 0, "0"},
        IntegerCase{Box::CompassEdit, "359", 359, "359"},
        IntegerCase{Box::CompassEdit, "-90", -90, "-90"},
        IntegerCase{Box::CompassEdit, "-", 0, "0"}, IntegerCase{Box::CompassEdit, "", 0, "0"},
        IntegerCase{Box::TurnRangeEdit, "150", 100, "100"},
        IntegerCase{Box::TurnRangeEdit, "-50", -50, "-50"},
        IntegerCase{Box::TurnRangeEdit, "+", 0, "0"}, IntegerCase{Box::NofTrialsEdit, "1", 2, "2"},
        IntegerCase{Box::NofTrialsEdit, "0", 2, "2"}, IntegerCase{Box::NofTrialsEdit, "-7", 2, "2"},
        IntegerCase{Box::NofTrialsEdit, "1,000", 2, "2"},
        IntegerCase{Box::NofTrialsEdit, "99999999", 99999999, "99999999"}));

struct TurnsCase {
    const char* text;
    const char* turns;
};

class TurnsReadOutTest : public HandlersTest, public testing::WithParamInterface<TurnsCase> {};

TEST_P(TurnsReadOutTest, TruncatesTheQuotient) {
    EXPECT_EQ(Enter(Box::TurnIntEdit, GetParam().text), "");
    EXPECT_EQ(Text(Box::NofTurnsBox), GetParam().turns);
}

INSTANTIATE_TEST_SUITE_P(Texts, TurnsReadOutTest,
                         testing::Values(TurnsCase{"", "43200"}, TurnsCase{"99999", "3"},
                                         TurnsCase{"7", "12342"}));

TEST_F(HandlersTest, AWriteBackRunsTheHandlerOnceMoreNested) {
    int runs = 0;
    boxes.SetChangeHandler(Box::TurnIntEdit, [&] {
        ++runs;
        handlers.TurnIntEditChange();
    });
    boxes.writes.clear();
    EXPECT_EQ(Enter(Box::TurnIntEdit, "1"), "");
    EXPECT_EQ(runs, 2);  // "1", then the nested pass on "2", whose own set does nothing
    const std::vector<std::pair<Box, std::string>> expected{
        {Box::TurnIntEdit, "1"}, {Box::TurnIntEdit, "2"}, {Box::NofTurnsBox, "43200"}};
    EXPECT_EQ(boxes.writes, expected);

    runs = 0;
    EXPECT_EQ(Enter(Box::TurnIntEdit, "60"), "");
    EXPECT_EQ(runs, 1);  // already normal: the write-back changes nothing
}

TEST_F(HandlersTest, SpeedTooLargeForSingleChangesNothing) {
    EXPECT_EQ(Enter(Box::SpeedEdit, "9e99"), "Floating point overflow");
    EXPECT_EQ(parameters.Speed, 2.0f);
    EXPECT_EQ(parameters.TotalDist, 172800.0f);
    EXPECT_EQ(Text(Box::TTTmBox), "172.8");
}

TEST_F(HandlersTest, DistanceTooLargeForSingleKeepsTheStoredSpeed) {
    EXPECT_EQ(Enter(Box::SpeedEdit, "1e35"), "Floating point overflow");
    EXPECT_EQ(parameters.Speed, 1e35f);
    EXPECT_EQ(parameters.TotalDist, 172800.0f);
    EXPECT_EQ(Text(Box::TTTmBox), "172.8");
}

TEST_F(HandlersTest, TooManyTurnsFailsUntilTheQuotientFits) {
    EXPECT_EQ(Enter(Box::SoakHrsEdit, "1e8"), "Invalid floating point operation");
    EXPECT_EQ(parameters.SoakHrs, 1e8f);
    EXPECT_EQ(parameters.TotalDist, 719999991808.0f);
    EXPECT_EQ(Text(Box::TTTmBox), "719999991.808");
    EXPECT_EQ(Text(Box::NofTurnsBox), "720");

    // Every refresh now fails at the turns read-out of the turn interval, after the speed.
    parameters.Compass = 7;
    try {
        handlers.SetVariables();
        ADD_FAILURE() << "SetVariables did not fail";
    } catch (const FloatingPointError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(parameters.Compass, 7);  // the steps after the failing one did not run

    EXPECT_EQ(Enter(Box::TurnIntEdit, "167"), "Invalid floating point operation");
    EXPECT_EQ(parameters.TurnInt, 167);
    EXPECT_EQ(Text(Box::TurnIntEdit), "167");
    EXPECT_EQ(Text(Box::NofTurnsBox), "720");

    EXPECT_EQ(Enter(Box::TurnIntEdit, "168"), "");
    EXPECT_EQ(Text(Box::NofTurnsBox), "2142857142");
    EXPECT_NO_THROW(handlers.SetVariables());
    EXPECT_EQ(parameters.Compass, 45);
}

TEST_F(HandlersTest, RefreshLeavesTheTurnRangeAlone) {
    // As a run leaves them: the sweep's own soak hours and turn range.
    parameters.SoakHrs = 16;
    parameters.TurnRange = 40;
    EXPECT_EQ(Enter(Box::SpeedEdit, "3"), "");
    EXPECT_EQ(Text(Box::TTTmBox), "172.8");  // 16 h x 3 m/s

    handlers.SetVariables();
    EXPECT_EQ(parameters.TurnRange, 40);
    EXPECT_EQ(parameters.SoakHrs, 24.0f);
    EXPECT_EQ(parameters.TotalDist, 259200.0f);
    EXPECT_EQ(Text(Box::TTTmBox), "259.2");
    EXPECT_EQ(Text(Box::NofTurnsBox), "720");
}

}  // namespace
}  // namespace ostrane
