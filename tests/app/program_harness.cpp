#include "program_harness.h"

#include "fadetext/fade_text.h"

#include <QTest>

#include <gtest/gtest.h>


namespace caici::testing {

QString gameFolder() {
    return QStringLiteral(CAICI_SOURCE_DIR "/game/");
}

std::string readerPath() {
    return CAICI_BINARY_DIR "/bin/caici-xlsreader";
}

ProgramHarness::ProgramHarness(const QString& folder, const std::function<void(AudioLog&)>& configure)
    : baseFolder(folder) {
    if (configure) configure(*audio);
}

void ProgramHarness::create() {
    program_ = std::make_unique<Program>(ProgramParts{baseFolder, readerPath(), errors,
                                                      std::make_unique<RecordingAudio>(audio), startupMessages,
                                                      dialogs, [this] { return now; }, settings.file,
                                                      settings.folder.filePath(QStringLiteral("history.db")),
                                                      settings.folder.filePath(QStringLiteral("library/")),
                                                      settings.folder.filePath(QStringLiteral("tonight.json"))});
}

void ProgramHarness::showStartWindow() {
    program_->showStartWindow();
    form1().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form1()));
}

std::string ProgramHarness::wordLine() {
    const TextLines& lines = form3().findChild<TCnAAFadeText*>()->Text().Lines();
    return lines.Empty() ? std::string() : lines.Strings(0);
}

}  // namespace caici::testing
