#pragma once
// The cue player: the game's sound. The game starts it before any window is
// shown (library version, output, the cues, in that order) and plays
// every cue through it: the main-window and hover cues for the start window,
// the start cue and the cues of a round itself. Every play request returns at once and restarts its cue if it still
// sounds; different cues sound together. A cue whose file is missing or cannot
// be decoded is silent, without a word. The sound switch of the guessing
// window mutes and unmutes all cues; sound is on at the start.

#include "cues/audio_library.h"
#include "cues/cue.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace caici {

inline constexpr std::string_view kIncorrectVersionText = "An incorrect version of SDL2_mixer was loaded";
inline constexpr std::string_view kAudioInitFailedText = "Error initializing audio!";

enum class CueStartup {
    Ready,             // output open, every cue whose file decodes is loaded
    AudioUnavailable,  // no output: the program goes on without sound
    IncorrectVersion,  // the program must end now, with a failure status
};

// How the start-up messages reach the user.
class CueStartupMessages {
public:
    virtual ~CueStartupMessages() = default;
    // Before any window is shown: a box of its own with an error icon, no
    // owner and the platform's default caption. start() then returns
    // CueStartup::IncorrectVersion and has done nothing else.
    virtual void showIncorrectVersion(const std::string& text) = 0;
    // The application's plain message dialog, captioned with the application
    // title; the start-up goes on.
    virtual void showAudioInitFailed(const std::string& text) = 0;
};

class CuePlayer : public CueSink {
public:
    explicit CuePlayer(std::unique_ptr<AudioLibrary> audio);

    // Run once, with the base folder ending in "/". Messages are shown before
    // it returns.
    CueStartup start(std::string_view baseFolder, CueStartupMessages& messages);

    void play(Cue cue) override;

    // Muting silences what sounds and every later request until unmute().
    void mute();
    void unmute();
    bool muted() const { return muted_; }

private:
    std::unique_ptr<AudioLibrary> audio_;
    std::array<StreamHandle, kAllCues.size()> streams_{};
    bool muted_ = false;
};

}  // namespace caici
