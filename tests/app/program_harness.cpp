#include "program_harness.h"

#include "fadetext/fade_text.h"

#include <QTest>

#include <gtest/gtest.h>

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

QString gameFolder() {
    return QStringLiteral(CAICI_SOURCE_DIR "/game/");
}

QString readerPath() {
    return QStringLiteral(CAICI_BINARY_DIR "/bin/caici-xlsreader");
}

ProgramHarness::ProgramHarness(const QString& folder, const std::function<void(AudioLog&)>& configure)
    : baseFolder(folder) {
    if (configure) configure(*audio);
}

void ProgramHarness::create() {
    program_ = std::make_unique<Program>(ProgramParts{
        StartWindowParts{baseFolder, readerPath(), errors, std::make_unique<RecordingAudio>(audio), startupMessages},
        dialogs});
}

void ProgramHarness::showStartWindow() {
    program_->showStartWindow();
    form1().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form1()));
}

std::string ProgramHarness::wordLine() {
    const TextLines& lines = form3().aft1->Text().Lines();
    return lines.Empty() ? std::string() : lines.Strings(0);
}

}  // namespace caici::testing
