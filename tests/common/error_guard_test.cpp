#include "common/error_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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

}  // namespace
}  // namespace caici
