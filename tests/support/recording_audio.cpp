#include "recording_audio.h"

#include <algorithm>

namespace caici::testing {

int AudioLog::count(const std::string& fileName) const {
    return static_cast<int>(std::count(played.begin(), played.end(), fileName));
}

bool RecordingAudio::init(const OutputFormat&) {
    log_->initCalled = true;
    return log_->outputOpens;
}

StreamHandle RecordingAudio::streamCreateFile(const std::string& path) {
    log_->streams.push_back(path.substr(path.find_last_of('/') + 1));
    return static_cast<StreamHandle>(log_->streams.size());
}

void RecordingAudio::channelPlay(StreamHandle stream) {
    if (stream == 0 || stream > log_->streams.size()) return;
    const std::string name = log_->streams[stream - 1];
    log_->played.push_back(name);
    if (log_->onPlay) log_->onPlay(name);
}

std::string gameFolderPath() {
    return CAICI_SOURCE_DIR "/game/";
}

}  // namespace caici::testing
