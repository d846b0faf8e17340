// The cues shipped in game/sound/, played by the cue player through
// SDL's disk driver: each is there under its fixed name, small, unclipped, as
// long as its event wants and as loud as the others.

#include "audio_test_support.h"
#include "cues/cue_player.h"
#include "cues/sdl_mixer_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace caici {
namespace {

using test::Frame;

double decibels(double level) {
    return 20.0 * std::log10(level / 32768.0);
}

// The highest RMS level over any 400 ms, as the script that makes the cues
// measures loudness. The cues are mono: the left channel tells.
double loudness(const std::vector<Frame>& frames) {
    const std::size_t window = test::kRate * 2 / 5;
    double sum = 0;
    double best = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double entering = frames[i].left;
        sum += entering * entering;
        if (i >= window) {
            const double leaving = frames[i - window].left;
            sum -= leaving * leaving;
        }
        best = std::max(best, sum);
    }
    return decibels(std::sqrt(best / static_cast<double>(window)));
}

class ShippedCuesTest : public testing::Test {
protected:
    void SetUp() override {
        test::shipCues(dir.baseFolder());
        ASSERT_EQ(player.start(dir.baseFolder(), messages), CueStartup::Ready);
    }

    // What the output played for the cue, from its first to its last sound.
    std::vector<Frame> hear(Cue cue, double longest) {
        const std::size_t mark = output.frameCount();
        player.play(cue);
        output.waitForLevel(mark, test::kAudible);
        output.waitForMore(static_cast<std::size_t>(longest * test::kRate));
        const auto& frames = output.frames();
        const auto sounding = [](const Frame& frame) { return frame != Frame{}; };
        const auto first = std::find_if(frames.begin() + static_cast<std::ptrdiff_t>(mark), frames.end(), sounding);
        const auto last = std::find_if(frames.rbegin(), std::make_reverse_iterator(first), sounding).base();
        return {first, last};
    }

    test::TempDir dir;
    test::TempDir outputDir;
    test::DiskOutput output{outputDir.path() / "output.raw", test::Pace::Fast};
    test::RecordingMessages messages;
    CuePlayer player{std::make_unique<SdlMixerAudio>()};
};

TEST_F(ShippedCuesTest, AreSmallUnclippedAsLongAsTheirEventAndEquallyLoud) {
    const struct {
        Cue cue;
        double minSeconds;
        double maxSeconds;
    } cases[] = {
        {Cue::MainWindow, 1.0, 3.0}, {Cue::Hover, 0.05, 0.3}, {Cue::Start, 0.8, 2.5}, {Cue::Yes, 0.3, 1.2},
        {Cue::No, 0.2, 0.8},         {Cue::End, 6.0, 7.5},    {Cue::Score, 1.5, 3.5}, {Cue::Tick, 0.1, 0.4},
    };
    std::vector<double> levels;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(cueFileName(c.cue)));
        EXPECT_LT(std::filesystem::file_size(test::utf8Path(cuePath(CAICI_SOURCE_DIR "/game/", c.cue))), 100 * 1024u);

        const auto frames = hear(c.cue, c.maxSeconds + 0.5);
        const double seconds = static_cast<double>(frames.size()) / test::kRate;
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        EXPECT_LT(decibels(test::peakOf(frames)), -1.0);  // clear of full scale
        levels.push_back(loudness(frames));
    }
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LT(*loudest - *quietest, 1.0) << "quietest " << *quietest << " dB, loudest " << *loudest << " dB";
}

// The countdown starts at 6 seconds left: a tick in each of the six seconds,
// quiet between the ticks, and the final tone when the time is up.
TEST_F(ShippedCuesTest, TheCountdownTicksOncePerSecondAndEndsInAFinalTone) {
    const auto frames = hear(Cue::End, 8.0);
    const auto peakBetween = [&](double from, double to) {
        return test::peakOf(frames, static_cast<std::size_t>(from * test::kRate),
                            static_cast<std::size_t>(to * test::kRate));
    };
    for (int second = 0; second < 6; ++second) {
        SCOPED_TRACE(second);
        EXPECT_GE(peakBetween(second, second + 0.15), test::kAudible);
        EXPECT_LE(peakBetween(second + 0.3, second + 0.95), 30);
    }
    EXPECT_GE(peakBetween(6.0, 6.5), test::kAudible);
}

}  // namespace
}  // namespace caici
