// The audio library on SDL2_mixer, and the cue player on it, heard through
// SDL's disk driver: what a player of the game would hear.

#include "audio_test_support.h"
#include "cues/cue_player.h"
#include "cues/sdl_mixer_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace caici {
namespace {

using test::DiskOutput;
using test::Frame;
using test::kAudible;
using test::numberedFrames;
using test::numberedRuns;
using test::Pace;

constexpr std::size_t kLongCue = test::kRate * 10;
constexpr std::size_t kBuffersInFlight = 4096;  // written after a call that changes the sound

// A numbered cue started, then started again while it still sounds: the
// output holds a cut-off first run and a second run from the beginning, never
// the two summed.
TEST(SdlMixerAudio, ReplayStartsASoundingStreamOverFromItsBeginning) {
    test::TempDir dir;
    DiskOutput output(dir.path() / "output.raw", Pace::RealTime);
    SdlMixerAudio audio;
    ASSERT_TRUE(audio.init(OutputFormat{}));
    test::writeBytes(dir.path() / "long.wav", test::wavBytes(numberedFrames(kLongCue)));
    const StreamHandle cue = audio.streamCreateFile((dir.path() / "long.wav").string());
    const auto runs = [&](std::size_t count) {
        return output.waitUntil([count](const auto& frames) {
            const auto found = numberedRuns(frames);
            return found.lengths.size() == count && found.lengths.back() > 2048;
        });
    };

    audio.channelPlay(cue);
    ASSERT_TRUE(runs(1));
    audio.channelPlay(cue);
    ASSERT_TRUE(runs(2));

    const auto heard = numberedRuns(output.frames());
    EXPECT_LT(heard.lengths.at(0), kLongCue);
    EXPECT_EQ(heard.strayFrames, 0u);
}

TEST(SdlMixerAudio, DifferentStreamsSoundTogether) {
    test::TempDir dir;
    DiskOutput output(dir.path() / "output.raw", Pace::Fast);
    SdlMixerAudio audio;
    ASSERT_TRUE(audio.init(OutputFormat{}));
    test::writeBytes(dir.path() / "low.wav", test::wavBytes(std::vector<Frame>(kLongCue, Frame{1000, 1000})));
    test::writeBytes(dir.path() / "high.wav", test::wavBytes(std::vector<Frame>(kLongCue, Frame{2000, 2000})));

    audio.channelPlay(audio.streamCreateFile((dir.path() / "low.wav").string()));
    audio.channelPlay(audio.streamCreateFile((dir.path() / "high.wav").string()));

    EXPECT_TRUE(output.waitUntil(
        [](const auto& frames) { return std::count(frames.begin(), frames.end(), Frame{3000, 3000}) > 4096; }));
}

// Files the decoder cannot take give no stream, and spoil nothing for the next.
TEST(SdlMixerAudio, UnreadableFilesGiveNoStream) {
    test::TempDir dir;
    DiskOutput output(dir.path() / "output.raw", Pace::Fast);
    SdlMixerAudio audio;
    ASSERT_TRUE(audio.init(OutputFormat{}));
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty.mp3", ""},
        {"junk.mp3", std::string(4000, '\x5a')},
        {"id3_tag_then_junk.mp3", std::string("ID3\x03\0\0\0\0\0\x0a", 10) + std::string(3000, '\x11')},
        {"wav_header_cut_short.wav", test::wavBytes(numberedFrames(100)).substr(0, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeBytes(dir.path() / c.name, c.bytes);
        EXPECT_EQ(audio.streamCreateFile((dir.path() / c.name).string()), 0u);
    }
    EXPECT_EQ(audio.streamCreateFile((dir.path() / "missing.mp3").string()), 0u);
    EXPECT_EQ(audio.streamCreateFile(dir.path().string()), 0u);

    test::writeBytes(dir.path() / "good.wav", test::wavBytes(numberedFrames(100)));
    EXPECT_EQ(audio.streamCreateFile((dir.path() / "good.wav").string()), 1u);
}

TEST(SdlMixerAudio, WithoutAnOutputNothingLoadsAndNothingBreaks) {
    test::TempDir dir;
    test::writeBytes(dir.path() / "cue.wav", test::wavBytes(numberedFrames(100)));
    const test::NoOutput noOutput;
    SdlMixerAudio audio;

    EXPECT_FALSE(audio.init(OutputFormat{}));
    EXPECT_EQ(audio.streamCreateFile((dir.path() / "cue.wav").string()), 0u);
    audio.channelPlay(1);
    audio.stopAll();
}

class CuePlayerOutputTest : public testing::Test {
protected:
    // The loudest sample of the half second after request().
    template <class Request>
    int peakAfter(Request request) {
        const std::size_t mark = output.frameCount();
        request();
        output.waitForMore(test::kRate / 2);
        return test::peakOf(output.frames(), mark);
    }

    template <class Request>
    bool heardAfter(Request request) {
        const std::size_t mark = output.frameCount();
        request();
        return output.waitForLevel(mark, kAudible);
    }

    test::TempDir dir;
    test::TempDir outputDir;
    DiskOutput output{outputDir.path() / "output.raw", Pace::Fast};
    test::RecordingMessages messages;
    CuePlayer player{std::make_unique<SdlMixerAudio>()};
};

TEST_F(CuePlayerOutputTest, WithoutASoundFolderTheGameStartsSilentlyAndSaysNothing) {
    EXPECT_EQ(player.start(dir.baseFolder(), messages), CueStartup::Ready);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(peakAfter([&] {
                  player.play(Cue::MainWindow);
                  player.play(Cue::Hover);
                  player.play(Cue::Start);
                  player.play(Cue::Yes);
                  player.play(Cue::No);
                  player.play(Cue::End);
                  player.play(Cue::Score);
              }),
              0);
}

TEST_F(CuePlayerOutputTest, ADamagedCueIsSilentAndTheOthersSound) {
    test::shipCues(dir.baseFolder());
    test::writeBytes(test::utf8Path(cuePath(dir.baseFolder(), Cue::Yes)), std::string(6000, '\x42'));

    ASSERT_EQ(player.start(dir.baseFolder(), messages), CueStartup::Ready);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(peakAfter([&] { player.play(Cue::Yes); }), 0);
    EXPECT_TRUE(heardAfter([&] { player.play(Cue::No); }));
}

TEST_F(CuePlayerOutputTest, MutedCuesAreSilentAndMutingCutsTheCountdownShort) {
    test::shipCues(dir.baseFolder());
    ASSERT_EQ(player.start(dir.baseFolder(), messages), CueStartup::Ready);

    ASSERT_TRUE(heardAfter([&] { player.play(Cue::End); }));
    player.mute();
    const std::size_t muted = output.frameCount() + kBuffersInFlight;
    // Long enough for the next tick of the countdown.
    ASSERT_TRUE(output.waitForMore(test::kRate * 3 / 2));
    EXPECT_EQ(test::peakOf(output.frames(), muted), 0);

    EXPECT_EQ(peakAfter([&] { player.play(Cue::Yes); }), 0);
    player.unmute();
    EXPECT_TRUE(heardAfter([&] { player.play(Cue::Yes); }));
}

TEST(CuePlayerOutput, WithoutAnOutputDeviceTheGameSaysSoOnceAndGoesOn) {
    test::TempDir dir;
    test::shipCues(dir.baseFolder());
    const test::NoOutput noOutput;
    test::RecordingMessages messages;
    CuePlayer player(std::make_unique<SdlMixerAudio>());

    EXPECT_EQ(player.start(dir.baseFolder(), messages), CueStartup::AudioUnavailable);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"init: Error initializing audio!"});
    player.play(Cue::Yes);
    player.mute();
    player.unmute();
    player.play(Cue::Score);
}

}  // namespace
}  // namespace caici
