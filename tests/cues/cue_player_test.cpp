// The cue player's start-up order, its commands and the mute switch, against
// an audio library that records what it is asked.

#include "audio_test_support.h"
#include "cues/cue_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace caici {
namespace {

struct AudioScript {
    LibraryVersion loaded{2, 6, 2};
    LibraryVersion required{2, 6, 2};
    bool initSucceeds = true;
    std::map<std::string, StreamHandle> streams;  // by path; 0 for any other
    std::vector<std::string> calls;
};

class FakeAudioLibrary final : public AudioLibrary {
public:
    explicit FakeAudioLibrary(AudioScript& script) : script_(script) {}
    LibraryVersion version() const override { return script_.loaded; }
    LibraryVersion requiredVersion() const override { return script_.required; }
    bool init(const OutputFormat& format) override {
        script_.calls.push_back("init " + std::to_string(format.rate) + " " + std::to_string(format.bufferFrames));
        return script_.initSucceeds;
    }
    StreamHandle streamCreateFile(const std::string& path) override {
        script_.calls.push_back("create " + path);
        return script_.streams.contains(path) ? script_.streams.at(path) : 0;
    }
    void channelPlay(StreamHandle stream) override { script_.calls.push_back("play " + std::to_string(stream)); }
    void stopAll() override { script_.calls.push_back("stop all"); }

private:
    AudioScript& script_;
};

class CuePlayerTest : public testing::Test {
protected:
    // A file for every cue under sound/; the fake hands out 11, 12, ... in
    // table order.
    void shipAllCues() {
        StreamHandle next = 11;
        for (const Cue cue : kAllCues) {
            test::writeBytes(test::utf8Path(cuePath(base, cue)), "mp3");
            script.streams[cuePath(base, cue)] = next++;
        }
    }

    // The calls made by the requests, after start-up.
    template <class Requests>
    std::vector<std::string> callsOf(Requests requests) {
        script.calls.clear();
        requests();
        return script.calls;
    }

    test::TempDir dir;
    const std::string base = dir.baseFolder();
    AudioScript script;
    test::RecordingMessages messages;
    CuePlayer player{std::make_unique<FakeAudioLibrary>(script)};
};

TEST_F(CuePlayerTest, StartOpensTheOutputThenLoadsTheCuesInTableOrder) {
    shipAllCues();
    EXPECT_EQ(player.start(base, messages), CueStartup::Ready);

    const std::string sound = base + "sound/";
    EXPECT_EQ(script.calls, (std::vector<std::string>{
                                "init 44100 1024",
                                "create " + sound + "主界面.mp3",
                                "create " + sound + "鼠标放上.mp3",
                                "create " + sound + "开始.mp3",
                                "create " + sound + "yes.mp3",
                                "create " + sound + "no.mp3",
                                "create " + sound + "结束.mp3",
                                "create " + sound + "得分.mp3",
                                "create " + sound + "倒数.mp3",
                            }));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CuePlayerTest, EachRequestPlaysItsOwnCue) {
    shipAllCues();
    player.start(base, messages);
    const struct {
        Cue cue;
        const char* expected;
    } cases[] = {
        {Cue::MainWindow, "play 11"}, {Cue::Hover, "play 12"}, {Cue::Start, "play 13"}, {Cue::Yes, "play 14"},
        {Cue::No, "play 15"},         {Cue::End, "play 16"},   {Cue::Score, "play 17"}, {Cue::Tick, "play 18"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(callsOf([&] { player.play(c.cue); }), std::vector<std::string>{c.expected});
    }
}

TEST_F(CuePlayerTest, TheVersionMustMatchInMajorAndMinorOnly) {
    const struct {
        LibraryVersion loaded;
        bool accepted;
    } cases[] = {
        {{2, 6, 2}, true},  {{2, 6, 0}, true},  {{2, 6, 9}, true},  {{2, 8, 2}, false},
        {{2, 4, 2}, false}, {{3, 6, 2}, false}, {{1, 6, 2}, false}, {{0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.loaded.major << "." << c.loaded.minor << "." << c.loaded.patch);
        AudioScript local;
        local.loaded = c.loaded;
        test::RecordingMessages shown;
        CuePlayer checked(std::make_unique<FakeAudioLibrary>(local));

        const CueStartup outcome = checked.start(base, shown);

        if (c.accepted) {
            EXPECT_EQ(outcome, CueStartup::Ready);
            EXPECT_TRUE(shown.shown.empty());
        } else {
            // Nothing else happens: the program ends.
            EXPECT_EQ(outcome, CueStartup::IncorrectVersion);
            EXPECT_EQ(shown.shown, std::vector<std::string>{"version: An incorrect version of SDL2_mixer was loaded"});
            EXPECT_TRUE(local.calls.empty());
        }
    }
}

// Without output the program goes on, and the cues are still asked for.
TEST_F(CuePlayerTest, InitFailureIsShownOnceAndTheCuesAreStillLoaded) {
    shipAllCues();
    script.initSucceeds = false;

    EXPECT_EQ(player.start(base, messages), CueStartup::AudioUnavailable);

    EXPECT_EQ(messages.shown, std::vector<std::string>{"init: Error initializing audio!"});
    EXPECT_EQ(script.calls.size(), 1u + kAllCues.size());
    EXPECT_EQ(callsOf([&] { player.play(Cue::Yes); }), std::vector<std::string>{"play 14"});
}

// A missing file is not even offered to the library; neither it nor an
// undecodable one is reported, and the other cues play.
TEST_F(CuePlayerTest, MissingAndUndecodableCuesAreSilentAndTheOthersPlay) {
    shipAllCues();
    script.streams[cuePath(base, Cue::Yes)] = 0;
    std::filesystem::remove(test::utf8Path(cuePath(base, Cue::End)));

    EXPECT_EQ(player.start(base, messages), CueStartup::Ready);

    EXPECT_EQ(std::count(script.calls.begin(), script.calls.end(), "create " + cuePath(base, Cue::End)), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(callsOf([&] {
                  player.play(Cue::Yes);
                  player.play(Cue::No);
                  player.play(Cue::End);
                  player.play(Cue::Score);
              }),
              (std::vector<std::string>{"play 0", "play 15", "play 0", "play 17"}));
}

// The tick came later than the other cues: a base folder from before it has
// no such file, and the game starts and plays the rest as ever.
TEST_F(CuePlayerTest, AFolderWithoutTheTickStartsAndPlaysTheOtherCues) {
    shipAllCues();
    std::filesystem::remove(test::utf8Path(cuePath(base, Cue::Tick)));

    EXPECT_EQ(player.start(base, messages), CueStartup::Ready);

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(callsOf([&] {
                  player.play(Cue::Tick);
                  player.play(Cue::End);
              }),
              (std::vector<std::string>{"play 0", "play 16"}));
}

TEST_F(CuePlayerTest, MuteSilencesWhatSoundsAndEveryRequestUntilUnmute) {
    shipAllCues();
    player.start(base, messages);
    EXPECT_FALSE(player.muted());

    EXPECT_EQ(callsOf([&] {
                  player.mute();
                  player.play(Cue::Yes);
                  player.play(Cue::End);
                  player.play(Cue::Hover);
              }),
              std::vector<std::string>{"stop all"});
    EXPECT_TRUE(player.muted());

    player.unmute();
    EXPECT_FALSE(player.muted());
    EXPECT_EQ(callsOf([&] { player.play(Cue::Yes); }), std::vector<std::string>{"play 14"});
}

}  // namespace
}  // namespace caici
