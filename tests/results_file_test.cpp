#include "simulation/results_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "simulation/number_text.h"
#include "simulation/random_source.h"
#include "simulation/sweep.h"
#include "sweep_fakes.h"

namespace ostrane {
namespace {

namespace fs = std::filesystem;
using namespace testing_fakes;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

CellResult Cell(int algo, int swimCount, float soakHrs, int turnRange, long double dmg) {
    return CellResult{algo, swimCount, soakHrs, turnRange, dmg};
}

// Runs each test in a directory of its own, which the test may also make the current one.
class ResultsFileTest : public testing::Test {
protected:
    ResultsFileTest() {
        char pattern[] = "/tmp/ostrane-results-XXXXXX";
        dir_ = mkdtemp(pattern);
        path_ = dir_ / "DmgOut.txt";
    }
    ~ResultsFileTest() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
        SetDecimalSeparator('.');
    }

    // A whole scripted run through the sweep with every draw 0; returns the failure, or "".
    std::string RunThrough(ResultsFile& file, RecordingPlotter& plotter) {
        RunParameters p = DefaultParameters(TurnAlgorithm::AheadBias, 2);
        try {
            RunSweep(p, SweepPorts{plotter, status_, file, random_});
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }

    fs::path dir_;
    fs::path path_;
    RecordingStatus status_;
    ScriptedRandom random_;
};

TEST_F(ResultsFileTest, WritesTheHeaderAndOneLinePerCell) {
    ResultsFile file(path_.string());
    file.OpenResults();
    file.WriteCell(Cell(1, 360, 12, 20, 0.04668123456789012L));
    file.WriteCell(Cell(0, 8229, 16, 0, 1.0L));
    file.WriteCell(Cell(2, 2, 14, 40, 4.0L / 7));
    file.CloseResults();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAll(path_),
              "Algo,SwimCount,SoakHrs,TurnRange,DMG\r\n"
              "1,360,12,20,0.0466812345678901\r\n"
              "0,8229,16,0,1\r\n"
              "2,2,14,40,0.571428571428571\r\n");
}

TEST_F(ResultsFileTest, ReachesTheDiskInWholeBlocksUntilClosed) {
    ResultsFile file(path_.string());
    file.OpenResults();
    EXPECT_EQ(fs::file_size(path_), 0u);
    std::string expected = "Algo,SwimCount,SoakHrs,TurnRange,DMG\r\n";
    for (int i = 0; i < 15; ++i) {
        const CellResult cell = Cell(1, 360, 12, 10 * (i % 5), 0.123456789L * i);
        file.WriteCell(cell);
        expected += "1,360,12," + IntToText(cell.TurnRange) + "," + RealToText(cell.DMG) + "\r\n";
        const auto size = fs::file_size(path_);
        EXPECT_EQ(size % ResultsFile::kBufferSize, 0u);
        EXPECT_EQ(size, expected.size() / 128 * 128);
    }
    file.CloseResults();
    EXPECT_EQ(ReadAll(path_), expected);
}

TEST_F(ResultsFileTest, CommaSeparatorGoesIntoTheFile) {
    SetDecimalSeparator(',');
    ResultsFile file(path_.string());
    file.OpenResults();
    file.WriteCell(Cell(1, 360, 12, 0, 0.5L));
    file.CloseResults();
    EXPECT_EQ(ReadAll(path_).substr(38), "1,360,12,0,0,5\r\n");
}

TEST_F(ResultsFileTest, ARunReplacesWhatTheFileHeld) {
    std::ofstream(path_) << std::string(5000, 'x');
    ResultsFile file(path_.string());
    RecordingPlotter plotter;
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(RunThrough(file, plotter), "");
        const std::string content = ReadAll(path_);
        std::vector<std::string> lines;
        std::istringstream in(content);
        for (std::string line; std::getline(in, line);) {
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(line.back(), '\r');
            lines.push_back(line.substr(0, line.size() - 1));
        }
        ASSERT_EQ(lines.size(), 16u);
        EXPECT_EQ(lines[0], "Algo,SwimCount,SoakHrs,TurnRange,DMG");
        EXPECT_EQ(lines[1], "1,360,12,0,1");
        EXPECT_EQ(lines[15], "1,480,16,40,1");
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
    }
}

TEST_F(ResultsFileTest, TheDefaultNameIsInTheCurrentDirectory) {
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    ResultsFile file;
    file.OpenResults();
    file.CloseResults();
    fs::current_path(before);
    EXPECT_EQ(ReadAll(path_), "Algo,SwimCount,SoakHrs,TurnRange,DMG\r\n");
}

// Runs the open and returns its failure.
EInOutError OpenFailure(ResultsFile& file) {
    try {
        file.OpenResults();
    } catch (const EInOutError& e) {
        return e;
    }
    ADD_FAILURE() << "OpenResults did not fail";
    return EInOutError(0, "");
}

TEST_F(ResultsFileTest, ADirectoryOfThatNameIsAccessDenied) {
    fs::create_directory(path_);
    ResultsFile file(path_.string());
    RecordingPlotter plotter;
    EXPECT_EQ(RunThrough(file, plotter), "File access denied");
    EXPECT_TRUE(plotter.tracks.empty());
    EXPECT_TRUE(status_.texts.empty());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(OpenFailure(file).ErrorCode(), 5);

    fs::remove(path_);
    EXPECT_EQ(RunThrough(file, plotter), "");
}

TEST_F(ResultsFileTest, AReadOnlyFileIsAccessDeniedAndKeepsItsContent) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes read-only files";
    }
    std::ofstream(path_) << "earlier run";
    fs::permissions(path_, fs::perms::owner_read);
    ResultsFile file(path_.string());
    RecordingPlotter plotter;
    EXPECT_EQ(RunThrough(file, plotter), "File access denied");
    EXPECT_TRUE(plotter.tracks.empty());
    EXPECT_EQ(ReadAll(path_), "earlier run");

    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(RunThrough(file, plotter), "");
}

TEST_F(ResultsFileTest, MissingAndMisnamedPlaces) {
    ResultsFile missing((dir_ / "gone" / "DmgOut.txt").string());
    const EInOutError notFound = OpenFailure(missing);
    EXPECT_EQ(notFound.ErrorCode(), 2);
    EXPECT_STREQ(notFound.what(), "File not found");

    std::ofstream(dir_ / "plain") << "";
    ResultsFile underFile((dir_ / "plain" / "DmgOut.txt").string());
    const EInOutError invalid = OpenFailure(underFile);
    EXPECT_EQ(invalid.ErrorCode(), 3);
    EXPECT_STREQ(invalid.what(), "Invalid filename");
}

TEST_F(ResultsFileTest, AFileBeingWrittenByAnotherRunIsRefused) {
    ResultsFile first(path_.string());
    first.OpenResults();
    first.WriteCell(Cell(1, 360, 12, 0, 1));
    ResultsFile second(path_.string());
    const EInOutError busy = OpenFailure(second);
    EXPECT_STREQ(busy.what(), ("I/O error " + std::to_string(EWOULDBLOCK)).c_str());
    first.CloseResults();
    EXPECT_EQ(ReadAll(path_), "Algo,SwimCount,SoakHrs,TurnRange,DMG\r\n1,360,12,0,1\r\n");
    EXPECT_NO_THROW(second.OpenResults());
    second.CloseResults();
}

TEST_F(ResultsFileTest, AFullDiskEndsTheRunAtThatCellAndClosesTheFile) {
    fs::create_symlink("/dev/full", path_);
    ResultsFile file(path_.string());
    RecordingPlotter plotter;
    EXPECT_EQ(RunThrough(file, plotter), "I/O error 28");
    EXPECT_FALSE(file.IsOpen());
    // The 38-byte header and lines of 14 or 15 bytes fill the first block during the seventh cell.
    EXPECT_EQ(plotter.tracks.size(), 7u * 2);
    EXPECT_EQ(status_.texts, (std::vector<std::string>{"* Running * 6", "* Running * 5"}));

    fs::remove(path_);
    EXPECT_EQ(RunThrough(file, plotter), "");
}

TEST_F(ResultsFileTest, AFailureInTheSweepKeepsTheCompletedCellsOnDisk) {
    ResultsFile file(path_.string());
    RecordingPlotter plotter;
    plotter.failAtLeg = 360 * 2 * 2;  // the first leg of the third cell
    EXPECT_EQ(RunThrough(file, plotter), "plotter failed");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAll(path_),
              "Algo,SwimCount,SoakHrs,TurnRange,DMG\r\n1,360,12,0,1\r\n1,360,12,10,1\r\n");
}

TEST(EInOutError, SystemErrorsChooseTheMessage) {
    struct Case {
        int error;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {ENOENT, 2, "File not found"},         {ENOTDIR, 3, "Invalid filename"},
        {ENAMETOOLONG, 3, "Invalid filename"}, {ELOOP, 3, "Invalid filename"},
        {EMFILE, 4, "Too many open files"},    {ENFILE, 4, "Too many open files"},
        {EACCES, 5, "File access denied"},     {EPERM, 5, "File access denied"},
        {EISDIR, 5, "File access denied"},     {EROFS, 5, "File access denied"},
        {ENOSPC, 28, "I/O error 28"},          {EIO, 5, "I/O error 5"},
    };
    for (const Case& c : cases) {
        const EInOutError e = EInOutError::FromErrno(c.error);
        EXPECT_EQ(e.ErrorCode(), c.code) << c.error;
        EXPECT_STREQ(e.what(), c.message) << c.error;
    }
}

}  // namespace
}  // namespace ostrane
