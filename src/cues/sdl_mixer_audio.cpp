#include "cues/sdl_mixer_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <stdexcept>

namespace caici {
namespace {

struct OutputUnavailable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace

// The audio subsystem and the mixer's device, held together: both are opened
// by the constructor or neither is.
class SdlMixerAudio::OpenOutput {
public:
    explicit OpenOutput(const OutputFormat& format) {
        // SDL would otherwise take over SIGINT and SIGTERM, and the game
        // could no longer be ended by the desktop or a plain kill.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            throw OutputUnavailable(SDL_GetError());
        }
        // No format changes allowed: when the device differs, SDL converts
        // behind the mixer, which keeps the requested buffer and so the
        // latency of a cue.
        if (Mix_OpenAudioDevice(format.rate, AUDIO_S16SYS, 2, format.bufferFrames, nullptr, 0) != 0) {
            const std::string error = SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            throw OutputUnavailable(error);
        }
    }

    ~OpenOutput() {
        Mix_CloseAudio();
        // Unloads the decoders that loading the streams brought in.
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    OpenOutput(const OpenOutput&) = delete;
    OpenOutput& operator=(const OpenOutput&) = delete;
};

void SdlMixerAudio::ChunkDeleter::operator()(Mix_Chunk* chunk) const noexcept {
    // Halts the channel that plays it first.
    Mix_FreeChunk(chunk);
}

SdlMixerAudio::SdlMixerAudio() = default;

SdlMixerAudio::~SdlMixerAudio() = default;

LibraryVersion SdlMixerAudio::version() const {
    const SDL_version* linked = Mix_Linked_Version();
    return {linked->major, linked->minor, linked->patch};
}

LibraryVersion SdlMixerAudio::requiredVersion() const {
    SDL_version built;
    SDL_MIXER_VERSION(&built);
    return {built.major, built.minor, built.patch};
}

bool SdlMixerAudio::init(const OutputFormat& format) {
    if (output_) {
        return true;
    }
    try {
        output_ = std::make_unique<OpenOutput>(format);
    } catch (const OutputUnavailable&) {
        return false;
    }
    return true;
}

StreamHandle SdlMixerAudio::streamCreateFile(const std::string& path) {
    if (!output_) {
        return 0;
    }
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    // The loader closes the file whether it succeeds or not.
    std::unique_ptr<Mix_Chunk, ChunkDeleter> stream(Mix_LoadWAV_RW(file, 1));
    if (!stream) {
        return 0;
    }
    streams_.push_back(std::move(stream));
    const int channels = static_cast<int>(streams_.size());
    if (Mix_AllocateChannels(-1) < channels) {
        Mix_AllocateChannels(channels);
    }
    return static_cast<StreamHandle>(channels);
}

void SdlMixerAudio::channelPlay(StreamHandle stream) {
    if (stream == 0 || stream > streams_.size()) {
        return;
    }
    // Playing on a busy channel replaces what it plays: the restart.
    Mix_PlayChannel(static_cast<int>(stream - 1), streams_[stream - 1].get(), 0);
}

void SdlMixerAudio::stopAll() {
    if (output_) {
        Mix_HaltChannel(-1);
    }
}

}  // namespace caici
