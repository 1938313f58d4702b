// A seeded run is pinned to the byte: any change to the draws, the arithmetic or the texts shows
// here. On a deliberate change, the failure prints the new file to paste in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "simulation/random_source.h"
#include "simulation/results_file.h"
#include "simulation/sweep.h"
#include "sweep_fakes.h"

namespace ostrane {
namespace {

struct GoldenCase {
    TurnAlgorithm algo;
    const char* file;  // with "\n" for each CR LF
};

class GoldenRunTest : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenRunTest, ASeededRunWritesTheKnownFile) {
    char pattern[] = "/tmp/ostrane-golden-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    const std::filesystem::path path = dir / "DmgOut.txt";
    RunParameters p;
    p.Speed = 1.25f;
    p.TurnInt = 600;
    p.Compass = 300;
    p.NofTrials = 3;
    p.Algo = GetParam().algo;
    p.DisplayTracks = true;
    DerivedSeeds seeds(2026);
    MersenneRandom random(seeds);
    ResultsFile file(path.string());
    testing_fakes::RecordingPlotter plotter;
    testing_fakes::RecordingStatus status;
    RunSweep(p, SweepPorts{plotter, status, file, random});

    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    std::string expected;
    for (const char* c = GetParam().file; *c != '\0'; ++c) {
        expected += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    }
    EXPECT_EQ(content.str(), expected);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Algorithms, GoldenRunTest,
                         testing::Values(GoldenCase{TurnAlgorithm::RandomTurn,
                                                    "Algo,SwimCount,SoakHrs,TurnRange,DMG\n"
                                                    "0,72,12,0,0.110440200617284\n"
                                                    "0,72,12,10,0.0947557026427469\n"
                                                    "0,72,12,20,0.0713617078993056\n"
                                                    "0,72,12,30,0.0530959261670525\n"
                                                    "0,72,12,40,0.184201135706019\n"
                                                    "0,84,14,0,0.0856516358713624\n"
                                                    "0,84,14,10,0.107154534556878\n"
                                                    "0,84,14,20,0.093598400297619\n"
                                                    "0,84,14,30,0.0758286416997354\n"
                                                    "0,84,14,40,0.0574438709077381\n"
                                                    "0,96,16,0,0.0705667453342014\n"
                                                    "0,96,16,10,0.0767903917100694\n"
                                                    "0,96,16,20,0.086974193431713\n"
                                                    "0,96,16,30,0.117097023292824\n"
                                                    "0,96,16,40,0.0703372893156829\n"},
                                         GoldenCase{TurnAlgorithm::AheadBias,
                                                    "Algo,SwimCount,SoakHrs,TurnRange,DMG\n"
                                                    "1,72,12,0,1.00000125385802\n"
                                                    "1,72,12,10,0.925798032407407\n"
                                                    "1,72,12,20,0.580841772762346\n"
                                                    "1,72,12,30,0.420352961033951\n"
                                                    "1,72,12,40,0.33177555941358\n"
                                                    "1,84,14,0,0.999999669312169\n"
                                                    "1,84,14,10,0.926088624338624\n"
                                                    "1,84,14,20,0.482314318783069\n"
                                                    "1,84,14,30,0.369101727843915\n"
                                                    "1,84,14,40,0.201597800925926\n"
                                                    "1,96,16,0,1\n"
                                                    "1,96,16,10,0.839714554398148\n"
                                                    "1,96,16,20,0.558583369502315\n"
                                                    "1,96,16,30,0.308835611979167\n"
                                                    "1,96,16,40,0.205991174768519\n"},
                                         GoldenCase{TurnAlgorithm::DirectionalBias,
                                                    "Algo,SwimCount,SoakHrs,TurnRange,DMG\n"
                                                    "2,72,12,0,1.00000048225309\n"
                                                    "2,72,12,10,0.987114101080247\n"
                                                    "2,72,12,20,0.947594714506173\n"
                                                    "2,72,12,30,0.886826871141975\n"
                                                    "2,72,12,40,0.76466512345679\n"
                                                    "2,84,14,0,1.0000005787037\n"
                                                    "2,84,14,10,0.985882523148148\n"
                                                    "2,84,14,20,0.941260830026455\n"
                                                    "2,84,14,30,0.869163607804233\n"
                                                    "2,84,14,40,0.740685681216931\n"
                                                    "2,96,16,0,1.00000014467593\n"
                                                    "2,96,16,10,0.986611183449074\n"
                                                    "2,96,16,20,0.940653284143519\n"
                                                    "2,96,16,30,0.861847439236111\n"
                                                    "2,96,16,40,0.801816189236111\n"}));

}  // namespace
}  // namespace ostrane
