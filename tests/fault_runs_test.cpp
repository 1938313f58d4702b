// Whole runs against a results file that fails: from the start, in the middle, or because its
// directory goes away while the run writes. One writer serves every run of a test, as in the
// program, and each fault is followed by a run that must succeed once the fault is gone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "simulation/random_source.h"
#include "simulation/results_file.h"
#include "simulation/sweep.h"
#include "sweep_fakes.h"

namespace ostrane {
namespace {

namespace fs = std::filesystem;
using namespace testing_fakes;

constexpr std::int32_t kTrials = 3;
constexpr std::size_t kCells = 15;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A status display that lets a test act at a given status text, as a fault from outside would
// strike while the run shows it.
class HookedStatus : public RecordingStatus {
public:
    void ShowStatus(std::string_view text) override {
        RecordingStatus::ShowStatus(text);
        if (onStatus) {
            onStatus(text);
        }
    }
    std::function<void(std::string_view)> onStatus;
};

// A plotter that lets a test act at the first leg of the run.
class HookedPlotter : public RecordingPlotter {
public:
    void DrawLeg(std::int32_t px, std::int32_t py, std::int32_t trial) override {
        RecordingPlotter::DrawLeg(px, py, trial);
        if (onFirstLeg) {
            std::exchange(onFirstLeg, nullptr)();
        }
    }
    std::function<void()> onFirstLeg;
};

// What a user sees of one run.
struct Outcome {
    std::string message;  // "" when the run succeeded
    std::size_t tracks;
    std::vector<std::string> statuses;
};

// The results file lives in a directory of its own, which a test may take away.
class FaultRunsTest : public testing::Test {
protected:
    FaultRunsTest() { fs::create_directory(out_); }
    ~FaultRunsTest() override {
        std::error_code ignored;
        fs::permissions(out_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }

    Outcome Run() {
        HookedPlotter plotter;
        plotter.onFirstLeg = std::exchange(onFirstLeg_, nullptr);
        HookedStatus status;
        status.onStatus = std::exchange(onStatus_, nullptr);
        FixedSeeds seeds(77);
        MersenneRandom random(seeds);
        RunParameters p = DefaultParameters(TurnAlgorithm::AheadBias, kTrials);
        p.TurnInt = 1200;
        Outcome outcome;
        try {
            RunSweep(p, SweepPorts{plotter, status, file_, random});
        } catch (const std::exception& e) {
            outcome.message = e.what();
        }
        outcome.tracks = plotter.tracks.size();
        outcome.statuses = status.texts;
        EXPECT_FALSE(file_.IsOpen()) << "a run left the results file open";
        return outcome;
    }

    // The file a complete run writes; the seeds are fixed, so every run writes the same.
    std::string CompleteFile() {
        if (complete_.empty()) {
            const Outcome outcome = Run();
            EXPECT_EQ(outcome.message, "");
            complete_ = ReadAll(path_);
            EXPECT_EQ(std::count(complete_.begin(), complete_.end(), '\n'), 16);
        }
        return complete_;
    }

    void ExpectARunSucceeds() {
        const std::string expected = CompleteFile();
        const Outcome outcome = Run();
        EXPECT_EQ(outcome.message, "");
        EXPECT_EQ(outcome.tracks, kCells * kTrials);
        EXPECT_EQ(ReadAll(path_), expected);
    }

    static fs::path MakeTempDirectory() {
        char pattern[] = "/tmp/ostrane-faults-XXXXXX";
        return mkdtemp(pattern);
    }

    fs::path dir_ = MakeTempDirectory();
    fs::path out_ = dir_ / "out";
    fs::path path_ = out_ / "DmgOut.txt";
    ResultsFile file_{path_.string()};
    std::function<void()> onFirstLeg_;
    std::function<void(std::string_view)> onStatus_;
    std::string complete_;
};

// A fault that keeps OpenResults from creating the file, and how it goes away again.
struct OpenFault {
    const char* name;
    const char* message;
    bool earlierFileSurvives;  // whether a file from an earlier run can be there, and must stay
    bool rootIgnores;          // root is not held off by it
    std::function<void(const fs::path& dir, const fs::path& file)> strike;
    std::function<void(const fs::path& dir, const fs::path& file)> clear;
};

// What a fault holds between its strike and its clearing: the other writer's descriptor, and the
// descriptor limit as it was.
int gHolder = -1;
rlimit gDescriptors{};

const OpenFault kOpenFaults[] = {
    {"MissingDirectory", "File not found", false, false,
     [](const fs::path& dir, const fs::path&) { fs::remove(dir); },
     [](const fs::path& dir, const fs::path&) { fs::create_directory(dir); }},
    {"FileWhereTheDirectoryShouldBe", "Invalid filename", false, false,
     [](const fs::path& dir, const fs::path&) {
         fs::remove(dir);
         std::ofstream(dir) << "not a directory";
     },
     [](const fs::path& dir, const fs::path&) {
         fs::remove(dir);
         fs::create_directory(dir);
     }},
    {"LinkLoop", "Invalid filename", false, false,
     [](const fs::path&, const fs::path& file) { fs::create_symlink(file.filename(), file); },
     [](const fs::path&, const fs::path& file) { fs::remove(file); }},
    {"HeldByAnotherWriter", "I/O error 11", true, false,
     [](const fs::path&, const fs::path& file) {
         gHolder = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
         ASSERT_EQ(::flock(gHolder, LOCK_EX), 0);
     },
     [](const fs::path&, const fs::path&) { ::close(gHolder); }},
    {"NoDescriptorLeft", "Too many open files", true, false,
     [](const fs::path& dir, const fs::path&) {
         // UndefinedBehaviorSanitizer needs a descriptor the first time it checks an object's
         // dynamic type: take the path of a failed open once while it still has one.
         try {
             ResultsFile(dir / "missing" / "DmgOut.txt").OpenResults();
         } catch (const std::exception& e) {
             EXPECT_STREQ(e.what(), "File not found");
         }
         // Every descriptor below the lowest free one is in use, so a limit there leaves none.
         const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
         ::close(lowestFree);
         ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &gDescriptors), 0);
         rlimit none = gDescriptors;
         none.rlim_cur = static_cast<rlim_t>(lowestFree);
         ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
     },
     [](const fs::path&, const fs::path&) { ::setrlimit(RLIMIT_NOFILE, &gDescriptors); }},
    {"DirectoryWithoutWritePermission", "File access denied", false, true,
     [](const fs::path& dir, const fs::path&) {
         fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
     },
     [](const fs::path& dir, const fs::path&) { fs::permissions(dir, fs::perms::owner_all); }},
};

void PrintTo(const OpenFault& fault, std::ostream* out) {
    *out << fault.name;
}

class UnwritableFromTheStart : public FaultRunsTest,
                               public testing::WithParamInterface<OpenFault> {};

TEST_P(UnwritableFromTheStart, NothingRunsAndTheNextRunSucceedsOnceTheFaultIsGone) {
    const OpenFault& fault = GetParam();
    if (fault.rootIgnores && ::geteuid() == 0) {
        GTEST_SKIP() << "root creates files in any directory";
    }
    std::string earlier;
    if (fault.earlierFileSurvives) {
        earlier = CompleteFile();
    }
    fault.strike(out_, path_);
    const Outcome failed = Run();
    fault.clear(out_, path_);

    EXPECT_EQ(failed.message, fault.message);
    EXPECT_EQ(failed.tracks, 0u);
    EXPECT_TRUE(failed.statuses.empty());
    if (fault.earlierFileSurvives) {
        EXPECT_EQ(ReadAll(path_), earlier);
    }
    ExpectARunSucceeds();
}

INSTANTIATE_TEST_SUITE_P(Faults, UnwritableFromTheStart, testing::ValuesIn(kOpenFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// Files may grow only to `bytes` while it is in force; a write past it fails with EFBIG instead
// of raising SIGXFSZ. Holds for root as for anyone.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

// The 1-based number of the cell whose line holds byte `offset` of the complete file.
std::size_t CellHolding(const std::string& complete, std::size_t offset) {
    const auto header = complete.find('\n') + 1;
    return static_cast<std::size_t>(
        std::count(complete.begin() + header, complete.begin() + offset, '\n') + 1);
}

TEST_F(FaultRunsTest, ABlockWriteFailingMidRunKeepsTheBlocksBeforeIt) {
    const std::string complete = CompleteFile();
    const std::size_t blocks = 2;
    const std::size_t kept = blocks * ResultsFile::kBufferSize;
    ASSERT_GT(complete.size(), kept + ResultsFile::kBufferSize);
    Outcome failed;
    {
        FileSizeLimit limit(kept);
        failed = Run();
    }
    EXPECT_EQ(failed.message, "I/O error 27");  // EFBIG
    // The run ends at the cell whose line fills the third block: no later cell is swum.
    const std::size_t failingCell = CellHolding(complete, kept + ResultsFile::kBufferSize - 1);
    EXPECT_EQ(failed.tracks, failingCell * kTrials);
    EXPECT_EQ(failed.statuses.size(), (failingCell - 1) / 5 + 1);
    EXPECT_NE(failed.statuses.back(), " FINISHED ");
    EXPECT_EQ(ReadAll(path_), complete.substr(0, kept));

    ExpectARunSucceeds();
}

TEST_F(FaultRunsTest, TheLastWriteFailingComesAfterFinished) {
    const std::string complete = CompleteFile();
    const std::size_t kept = complete.size() / ResultsFile::kBufferSize * ResultsFile::kBufferSize;
    ASSERT_NE(kept, complete.size()) << "no bytes left for the closing write";
    Outcome failed;
    {
        FileSizeLimit limit(kept);
        failed = Run();
    }
    EXPECT_EQ(failed.message, "I/O error 27");
    EXPECT_EQ(failed.tracks, kCells * kTrials);
    EXPECT_EQ(failed.statuses.back(), " FINISHED ");
    EXPECT_EQ(ReadAll(path_), complete.substr(0, kept));

    ExpectARunSucceeds();
}

// The file's directory removed while the run writes into it. The open file outlives its name,
// so the writes themselves succeed; only the closing can tell that the results are gone.
TEST_F(FaultRunsTest, TheDirectoryRemovedDuringARunIsReportedAtTheEnd) {
    onStatus_ = [this](std::string_view text) {
        if (text == "* Running * 5") {
            fs::remove_all(out_);
        }
    };
    const Outcome failed = Run();
    EXPECT_EQ(failed.message, "File not found");
    EXPECT_EQ(failed.tracks, kCells * kTrials);
    EXPECT_EQ(failed.statuses.back(), " FINISHED ");
    EXPECT_FALSE(fs::exists(out_));

    const Outcome stillGone = Run();
    EXPECT_EQ(stillGone.message, "File not found");
    EXPECT_EQ(stillGone.tracks, 0u);

    fs::create_directory(out_);
    ExpectARunSucceeds();
}

TEST_F(FaultRunsTest, ADirectoryRemovedAndMadeAgainDuringARunLeavesNoStaleFile) {
    onFirstLeg_ = [this] {
        fs::remove_all(out_);
        fs::create_directory(out_);
    };
    const Outcome failed = Run();
    EXPECT_EQ(failed.message, "File not found");
    EXPECT_EQ(failed.statuses.back(), " FINISHED ");
    EXPECT_FALSE(fs::exists(path_));

    ExpectARunSucceeds();
}

}  // namespace
}  // namespace ostrane
