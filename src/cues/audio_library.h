#pragma once
// The audio library as the cue player sees it: four operations with fixed
// contracts (the library's version, opening the output, one decoded stream
// per file, playing a stream with restart) plus silencing everything that
// sounds, for the sound switch. The game plays through SdlMixerAudio; tests
// put a fake in its place.

#include <cstdint>
#include <string>

namespace caici {

// 0 means "no stream": creating one failed, or was never tried. Playing it
// makes no sound.
using StreamHandle = std::uint32_t;

struct LibraryVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;

    friend bool operator==(const LibraryVersion&, const LibraryVersion&) = default;
};

struct OutputFormat {
    int rate = 44100;         // samples per second
    int bufferFrames = 1024;  // frames mixed per pass: the delay before a cue is heard
};

class AudioLibrary {
public:
    virtual ~AudioLibrary() = default;

    // The library actually loaded into the process.
    virtual LibraryVersion version() const = 0;
    // The library the program was built against.
    virtual LibraryVersion requiredVersion() const = 0;

    // Opens the default output device; false when there is none to be had.
    virtual bool init(const OutputFormat& format) = 0;

    // Decodes the whole file (UTF-8 path) into a stream of its own; 0 when the
    // file cannot be read or decoded, or when the output is not open.
    virtual StreamHandle streamCreateFile(const std::string& path) = 0;

    // Starts the stream from its beginning and returns at once; a stream that
    // is still sounding starts over. Each stream sounds on a channel of its
    // own, so different streams mix. Unknown handles and 0 are ignored.
    virtual void channelPlay(StreamHandle stream) = 0;

    // Silences every stream that is sounding now.
    virtual void stopAll() = 0;
};

}  // namespace caici
