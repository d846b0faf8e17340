#include "cues/cue_player.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace caici {
namespace {

bool sameRelease(const LibraryVersion& loaded, const LibraryVersion& required) {
    // A patch release keeps the interface; major and minor must match.
    return loaded.major == required.major && loaded.minor == required.minor;
}

bool isFile(const std::string& utf8Path) {
    std::error_code ignored;
    const std::u8string path(utf8Path.begin(), utf8Path.end());
    return std::filesystem::is_regular_file(std::filesystem::path(path), ignored);
}

}  // namespace

CuePlayer::CuePlayer(std::unique_ptr<AudioLibrary> audio) : audio_(std::move(audio)) {}

CueStartup CuePlayer::start(std::string_view baseFolder, CueStartupMessages& messages) {
    if (!sameRelease(audio_->version(), audio_->requiredVersion())) {
        messages.showIncorrectVersion(std::string(kIncorrectVersionText));
        return CueStartup::IncorrectVersion;
    }

    auto outcome = CueStartup::Ready;
    if (!audio_->init(OutputFormat{})) {
        messages.showAudioInitFailed(std::string(kAudioInitFailedText));
        outcome = CueStartup::AudioUnavailable;
    }

    // Loaded even without output: a library that can still deliver a cue
    // then does.
    for (std::size_t i = 0; i < kAllCues.size(); ++i) {
        const std::string path = cuePath(baseFolder, kAllCues[i]);
        if (isFile(path)) {
            streams_[i] = audio_->streamCreateFile(path);
        }
    }
    return outcome;
}

void CuePlayer::play(Cue cue) {
    if (muted_) {
        return;
    }
    audio_->channelPlay(streams_[static_cast<std::size_t>(cue)]);
}

void CuePlayer::mute() {
    muted_ = true;
    audio_->stopAll();
}

void CuePlayer::unmute() {
    muted_ = false;
}

}  // namespace caici
