#pragma once
// The audio library on SDL2_mixer. The output is 16-bit stereo at the rate
// asked for; every stream is decoded in full when it is created (a cue is a
// few seconds long) and owns mixer channel handle - 1, so a replay of a stream
// replaces what that channel was playing and different streams mix.
//
// SDL's audio is one per process: at most one SdlMixerAudio may have its
// output open at a time. Destroying it silences and frees its streams and
// closes the device.

#include "cues/audio_library.h"

#include <memory>
#include <vector>

struct Mix_Chunk;

namespace caici {

class SdlMixerAudio final : public AudioLibrary {
public:
    SdlMixerAudio();
    ~SdlMixerAudio() override;
    SdlMixerAudio(const SdlMixerAudio&) = delete;
    SdlMixerAudio& operator=(const SdlMixerAudio&) = delete;

    LibraryVersion version() const override;
    LibraryVersion requiredVersion() const override;
    // A second call while the output is open changes nothing and succeeds.
    bool init(const OutputFormat& format) override;
    StreamHandle streamCreateFile(const std::string& path) override;
    void channelPlay(StreamHandle stream) override;
    void stopAll() override;

private:
    class OpenOutput;
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const noexcept;
    };

    // Declared before the streams so that the streams are freed first.
    std::unique_ptr<OpenOutput> output_;
    std::vector<std::unique_ptr<Mix_Chunk, ChunkDeleter>> streams_;
};

}  // namespace caici
