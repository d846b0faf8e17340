#include "workbook/reader_process.h"
#include "workbook/reader_location.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

namespace caici {
namespace {

using namespace std::chrono_literals;
using testing::ScratchFolder;

struct RunResult {
    std::string output;
};

RunResult run(const std::string& reader, std::chrono::milliseconds timeout = 5000ms) {
    RunResult result;
    runReader(reader, "/nonexistent/words.xls", ReaderLimits{timeout},
              [&](std::string_view bytes) { result.output.append(bytes); });
    return result;
}

ReaderFailure failureOf(const std::string& reader, std::chrono::milliseconds timeout = 5000ms) {
    try {
        run(reader, timeout);
    } catch (const EReaderFailed& error) {
        return error.failure();
    }
    ADD_FAILURE() << "the reader did not fail";
    return ReaderFailure::notStarted;
}

// The pid a stand-in reader wrote, and whether that process is gone.
bool processGone(const ScratchFolder& folder) {
    std::ifstream in(folder.path() / "pid");
    pid_t pid = 0;
    in >> pid;
    EXPECT_GT(pid, 0);
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

TEST(RunReader, PassesTheWholeOutputOnAndGivesTheWorkbookPath) {
    ScratchFolder folder;
    const std::string reader = folder.script("reader", "printf 'path=%s' \"$1\"; head -c 300000 /dev/zero");
    const RunResult result = run(reader);
    EXPECT_EQ(result.output.substr(0, 27), "path=/nonexistent/words.xls");
    EXPECT_EQ(result.output.size(), 27u + 300000u);
}

struct ExitCase {
    const char* body;
    ReaderFailure failure;
};

// However the reader ends, anything but exit status 0 is a failure.
TEST(RunReader, EveryBadEndIsAFailureOfItsKind) {
    ScratchFolder folder;
    const ExitCase cases[] = {
        {"exit 1", ReaderFailure::unreadable},
        {"exit 5", ReaderFailure::crashed},
        {"printf partial; kill -SEGV $$", ReaderFailure::crashed},
        {"kill -KILL $$", ReaderFailure::crashed},
        {"kill -XCPU $$", ReaderFailure::crashed},
    };
    for (const auto& c : cases) EXPECT_EQ(failureOf(folder.script("reader", c.body)), c.failure) << c.body;
    EXPECT_EQ(failureOf((folder.path() / "no-such-reader").string()), ReaderFailure::notStarted);
}

// A reader that hangs is killed at the deadline and reaped. (The deadline
// leaves a loaded machine time to start the stand-in.)
TEST(RunReader, AHangingReaderIsKilledAtTheDeadline) {
    ScratchFolder folder;
    const std::string reader = folder.script("reader", "echo $$ > \"$(dirname \"$0\")/pid\"; exec sleep 30");
    try {
        runReader(reader, "x", ReaderLimits{1500ms}, [](std::string_view) {});
        FAIL() << "the reader did not time out";
    } catch (const EReaderFailed& error) {
        EXPECT_EQ(error.failure(), ReaderFailure::timedOut);
    }
    EXPECT_TRUE(processGone(folder));
}

// Closing the output does not count as finishing.
TEST(RunReader, AReaderThatClosesItsOutputButRunsOnTimesOut) {
    ScratchFolder folder;
    const std::string reader =
        folder.script("reader", "echo $$ > \"$(dirname \"$0\")/pid\"; exec >&-; exec sleep 30");
    EXPECT_EQ(failureOf(reader, 1500ms), ReaderFailure::timedOut);
    EXPECT_TRUE(processGone(folder));
}

// An error of the consumer ends the reader and reaches the caller unchanged.
TEST(RunReader, AnErrorWhileConsumingStopsTheReader) {
    ScratchFolder folder;
    const std::string reader =
        folder.script("reader", "echo $$ > \"$(dirname \"$0\")/pid\"; while true; do echo data; done");
    EXPECT_THROW(runReader(reader, "x", ReaderLimits{}, [](std::string_view) { throw std::runtime_error("bad bytes"); }),
                 std::runtime_error);
    EXPECT_TRUE(processGone(folder));
}

TEST(ReaderLocation, IsInTheFolderOfTheRunningProgram) {
    const std::string path = readerBesideRunningProgram();
    EXPECT_EQ(std::filesystem::path(path).filename(), "caici-xlsreader");
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(path).parent_path(),
                                            std::filesystem::read_symlink("/proc/self/exe").parent_path()));
}

// Only a program known by its absolute path has a folder to look in.
TEST(ReaderLocation, IsBesideAnAbsoluteProgramPathOnly) {
    EXPECT_EQ(readerBeside("/usr/games/caici"), "/usr/games/caici-xlsreader");
    EXPECT_EQ(readerBeside("/opt/游戏 目录/caici-wordlib"), "/opt/游戏 目录/caici-xlsreader");
    for (const char* program : {"", "caici", "./caici", "bin/caici", "../caici"}) {
        EXPECT_EQ(readerBeside(program), "") << program;
    }
}

// A reader named by a relative path resolves in the current directory, where
// a planted program could wait: it is refused, and nothing runs.
TEST(RunReader, RefusesAReaderThatIsNotNamedByAnAbsolutePath) {
    ScratchFolder folder;
    const std::string planted = folder.script("caici-xlsreader", "touch \"$(dirname \"$0\")/ran\"");
    const std::string relative = std::filesystem::relative(planted).string();
    ASSERT_FALSE(relative.empty());
    ASSERT_NE(relative.front(), '/');
    for (const std::string& reader : {relative, std::string("caici-xlsreader"), std::string()}) {
        EXPECT_EQ(failureOf(reader), ReaderFailure::notStarted) << reader;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "ran"));
}

}  // namespace
}  // namespace caici
