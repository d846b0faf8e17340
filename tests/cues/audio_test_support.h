#pragma once
// Helpers for the sound tests: scratch folders, WAV files with known samples,
// and SDL's disk driver, which writes the mixed output (16-bit stereo frames)
// to a file instead of a sound card.

#include "cues/cue_player.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace caici::test {

inline constexpr int kRate = 44100;
inline constexpr int kAudible = 1000;  // about -30 dBFS: a cue, not decoder noise

struct Frame {
    std::int16_t left = 0;
    std::int16_t right = 0;
    friend bool operator==(const Frame&, const Frame&) = default;
};

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // As the game passes a base folder: UTF-8, ending with "/".
    std::string baseFolder() const;

private:
    std::filesystem::path path_;
};

std::filesystem::path utf8Path(const std::string& text);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);
// A 16-bit stereo WAV file at kRate.
std::string wavBytes(const std::vector<Frame>& frames);
// Copies the cues shipped in game/sound/ into baseFolder + "sound/".
void shipCues(const std::string& baseFolder);

// Frame i carries the number i + 1 (low 15 bits left, the rest right), so the
// output tells which frame of a cue was heard when, and never reads as silence.
std::vector<Frame> numberedFrames(std::size_t count);
struct NumberedRuns {
    std::vector<std::uint32_t> lengths;  // stretches counting up from 1
    std::size_t strayFrames = 0;         // sound in no run: two copies summed, say
};
NumberedRuns numberedRuns(const std::vector<Frame>& frames);

int peakOf(const std::vector<Frame>& frames, std::size_t from = 0, std::size_t to = SIZE_MAX);

struct RecordingMessages : CueStartupMessages {
    std::vector<std::string> shown;
    void showIncorrectVersion(const std::string& text) override { shown.push_back("version: " + text); }
    void showAudioInitFailed(const std::string& text) override { shown.push_back("init: " + text); }
};

// Sets an environment variable for the object's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// The driver writes a 1024-frame buffer per interval whether or not the test
// keeps up: Fast (1 ms) hears seconds of sound in milliseconds; RealTime
// (23 ms) suits a test that acts while a sound still plays.
enum class Pace { Fast, RealTime };

// Routes the audio output opened during the object's lifetime into a file;
// SDL reads the variables when its audio starts, so create this first.
class DiskOutput {
public:
    DiskOutput(const std::filesystem::path& file, Pace pace);

    // Everything written so far, read incrementally: at the fast pace the file
    // grows by megabytes a second.
    const std::vector<Frame>& frames();
    std::size_t frameCount() { return frames().size(); }

    // Polls until done(frames) holds; false after five seconds.
    bool waitUntil(const std::function<bool(const std::vector<Frame>&)>& done);
    bool waitForMore(std::size_t count);
    bool waitForLevel(std::size_t from, int level);

private:
    std::filesystem::path file_;
    ScopedEnv driver_;
    ScopedEnv target_;
    ScopedEnv delay_;
    std::vector<Frame> frames_;
};

// Routes the output to a driver that does not exist, so opening it fails.
struct NoOutput {
    ScopedEnv driver{"SDL_AUDIODRIVER", "no-such-driver"};
};

}  // namespace caici::test
