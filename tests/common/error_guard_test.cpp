#include "common/error_guard.h"
#include "common/message_pump.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace caici {
namespace {

struct RecordingReporter : ErrorReporter {
    std::vector<std::string> texts;
    void reportError(const std::string& text) override { texts.push_back(text); }
};

TEST(ErrorGuard, ShowsTheTextOnceWithAFullStopAndSkipsTheRest) {
    RecordingReporter reporter;
    bool rest = false;
    guarded(reporter, [&] {
        throw std::runtime_error("'abc' is not a valid integer value");
        rest = true;
    });
    EXPECT_FALSE(rest);
    ASSERT_EQ(reporter.texts.size(), 1u);
    EXPECT_EQ(reporter.texts[0], "'abc' is not a valid integer value.");
}

TEST(ErrorGuard, KeepsAnExistingSentenceEnd) {
    EXPECT_EQ(errorBoxText("Invalid line!"), "Invalid line!");
    EXPECT_EQ(errorBoxText("Done."), "Done.");
    EXPECT_EQ(errorBoxText("词库文件已损坏。"), "词库文件已损坏。");
    EXPECT_EQ(errorBoxText("词库文件已损坏"), "词库文件已损坏.");
}

TEST(ErrorGuard, NonStandardExceptionsAreReportedToo) {
    RecordingReporter reporter;
    guarded(reporter, [] { throw 42; });
    ASSERT_EQ(reporter.texts.size(), 1u);
}

TEST(RateLimitedPump, PassesTheFirstCallAndThenAtMostOncePerInterval) {
    int calls = 0;
    RateLimitedPump pump([&] { ++calls; }, std::chrono::milliseconds(50));
    pump();
    pump();
    pump();
    EXPECT_EQ(calls, 1);
}

TEST(RateLimitedPump, PassesAgainOnceTheIntervalHasGone) {
    int calls = 0;
    RateLimitedPump pump([&] { ++calls; }, std::chrono::milliseconds(5));
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    pump();
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace caici
