#pragma once
// An audio library that plays nothing and notes every cue asked for, shared
// with the test after the library itself has moved into the game.

#include "cues/audio_library.h"
#include "cues/cue_player.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace caici::testing {

struct AudioLog {
    LibraryVersion loaded{2, 6, 2};
    LibraryVersion required{2, 6, 2};
    bool outputOpens = true;
    bool initCalled = false;
    std::vector<std::string> streams;  // file names, in creation order
    std::vector<std::string> played;   // file names of the cues played
    std::function<void(const std::string&)> onPlay;

    int count(const std::string& fileName) const;
};

class RecordingAudio : public AudioLibrary {
public:
    explicit RecordingAudio(std::shared_ptr<AudioLog> log) : log_(std::move(log)) {}
    LibraryVersion version() const override { return log_->loaded; }
    LibraryVersion requiredVersion() const override { return log_->required; }
    bool init(const OutputFormat&) override;
    StreamHandle streamCreateFile(const std::string& path) override;
    void channelPlay(StreamHandle stream) override;
    void stopAll() override {}

private:
    std::shared_ptr<AudioLog> log_;
};

class RecordingStartupMessages : public CueStartupMessages {
public:
    void showIncorrectVersion(const std::string& text) override { incorrectVersion.push_back(text); }
    void showAudioInitFailed(const std::string& text) override { initFailed.push_back(text); }
    std::vector<std::string> incorrectVersion;
    std::vector<std::string> initFailed;
};

// The bundled game folder, ending with "/": its sound/ holds the cues.
std::string gameFolderPath();

}  // namespace caici::testing
