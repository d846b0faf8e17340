#pragma once
// The whole program with its outside world replaced by recorders: the error
// box, the audio library (which notes every cue played), the audio start-up
// messages and the guessing window's boxes. The windows, the word library
// and its reader process are the real ones.

#include "app/program.h"
#include "common/error_guard.h"
#include "cues/audio_library.h"
#include "cues/cue_player.h"
#include "round/window_dialogs.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace caici::testing {

class CollectingReporter : public ErrorReporter {
public:
    void reportError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// What the recording audio library saw, shared with the test after the
// library itself has moved into the start window.
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

// Answers every box at once, as an operator pressing OK would.
class AnsweringDialogs : public WindowDialogs {
public:
    struct Box {
        QString caption;
        QString text;
    };
    void information(QWidget*, const QString& caption, const QString& text) override {
        boxes.push_back({caption, text});
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    void openUrl(const QUrl&) override {}
    std::vector<Box> boxes;
};

// The bundled game folder, ending with "/".
QString gameFolder();
QString readerPath();

class ProgramHarness {
public:
    // Creates the program over baseFolder; configure, if given, sets up the
    // audio log before the start window starts the cue player.
    explicit ProgramHarness(const QString& baseFolder = gameFolder(),
                            const std::function<void(AudioLog&)>& configure = {});

    // Creates the windows; throws what the program's creation throws.
    void create();

    Program& program() { return *program_; }
    TForm1& form1() { return program_->form1(); }
    TForm2& form2() { return program_->form2(); }
    TForm3& form3() { return program_->form3(); }

    // Shows the start window as the program start does and waits until it is
    // on screen.
    void showStartWindow();
    // The word display's line as the round last set it.
    std::string wordLine();

    QString baseFolder;
    CollectingReporter errors;
    RecordingStartupMessages startupMessages;
    std::shared_ptr<AudioLog> audio = std::make_shared<AudioLog>();
    std::shared_ptr<AnsweringDialogs> dialogs = std::make_shared<AnsweringDialogs>();

private:
    std::unique_ptr<Program> program_;
};

}  // namespace caici::testing
