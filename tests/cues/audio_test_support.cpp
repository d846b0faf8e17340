#include "audio_test_support.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include <unistd.h>

namespace caici::test {
namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "caici-cues-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::baseFolder() const {
    const std::u8string text = path_.u8string();
    return std::string(text.begin(), text.end()) + "/";
}

std::filesystem::path utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string wavBytes(const std::vector<Frame>& frames) {
    const auto dataBytes = static_cast<std::uint32_t>(frames.size() * sizeof(Frame));
    std::string out = "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);          // format block size
    putLe(out, 1, 2);           // PCM
    putLe(out, 2, 2);           // channels
    putLe(out, kRate, 4);       // frames per second
    putLe(out, kRate * 4, 4);   // bytes per second
    putLe(out, 4, 2);           // bytes per frame
    putLe(out, 16, 2);          // bits per sample
    out += "data";
    putLe(out, dataBytes, 4);
    for (const Frame& frame : frames) {
        putLe(out, static_cast<std::uint16_t>(frame.left), 2);
        putLe(out, static_cast<std::uint16_t>(frame.right), 2);
    }
    return out;
}

void shipCues(const std::string& baseFolder) {
    std::filesystem::create_directories(utf8Path(baseFolder + "sound"));
    for (const Cue cue : kAllCues) {
        std::filesystem::copy_file(utf8Path(cuePath(CAICI_SOURCE_DIR "/game/", cue)),
                                   utf8Path(cuePath(baseFolder, cue)));
    }
}

std::vector<Frame> numberedFrames(std::size_t count) {
    std::vector<Frame> frames(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = static_cast<std::uint32_t>(i + 1);
        frames[i] = {static_cast<std::int16_t>(number & 0x7FFF), static_cast<std::int16_t>(number >> 15)};
    }
    return frames;
}

NumberedRuns numberedRuns(const std::vector<Frame>& frames) {
    NumberedRuns runs;
    std::uint32_t last = 0;  // the number of the frame before, 0 outside a run
    for (const Frame& frame : frames) {
        const auto number = static_cast<std::uint32_t>(static_cast<std::uint16_t>(frame.left)) |
                            (static_cast<std::uint32_t>(static_cast<std::uint16_t>(frame.right)) << 15);
        if (number == 0) {
            last = 0;
        } else if (number == 1) {
            runs.lengths.push_back(1);
            last = 1;
        } else if (last != 0 && number == last + 1) {
            ++runs.lengths.back();
            last = number;
        } else {
            ++runs.strayFrames;
            last = 0;
        }
    }
    return runs;
}

int peakOf(const std::vector<Frame>& frames, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, frames.size()); ++i) {
        peak = std::max({peak, std::abs(int{frames[i].left}), std::abs(int{frames[i].right})});
    }
    return peak;
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        previous_ = old;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (previous_) {
        setenv(name_.c_str(), previous_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

DiskOutput::DiskOutput(const std::filesystem::path& file, Pace pace)
    : file_(file),
      driver_("SDL_AUDIODRIVER", "disk"),
      target_("SDL_DISKAUDIOFILE", file.string()),
      delay_("SDL_DISKAUDIODELAY", pace == Pace::Fast ? "1" : "23") {}

const std::vector<Frame>& DiskOutput::frames() {
    std::ifstream in(file_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(frames_.size() * sizeof(Frame)));
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A frame the driver is still writing is read next time.
    const std::size_t complete = bytes.size() / sizeof(Frame);
    if (complete > 0) {
        const std::size_t old = frames_.size();
        frames_.resize(old + complete);
        std::memcpy(frames_.data() + old, bytes.data(), complete * sizeof(Frame));
    }
    return frames_;
}

bool DiskOutput::waitUntil(const std::function<bool(const std::vector<Frame>&)>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done(frames())) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool DiskOutput::waitForMore(std::size_t count) {
    const std::size_t target = frameCount() + count;
    return waitUntil([target](const std::vector<Frame>& frames) { return frames.size() >= target; });
}

bool DiskOutput::waitForLevel(std::size_t from, int level) {
    std::size_t scanned = from;
    return waitUntil([&](const std::vector<Frame>& frames) {
        const bool reached = peakOf(frames, scanned) >= level;
        scanned = std::max(scanned, frames.size());
        return reached;
    });
}

}  // namespace caici::test
