#pragma once
// The whole program with its outside world replaced by recorders: the error
// box, the audio library (which notes every cue played), the audio start-up
// messages and the guessing window's boxes. The windows, the word library
// and its reader process are the real ones.

#include "app/program.h"
#include "common/error_guard.h"
#include "recording_audio.h"
#include "temporary_settings.h"
#include "answering_dialogs.h"

#include <QString>

#include <chrono>
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

// The bundled game folder, ending with "/".
QString gameFolder();
std::string readerPath();

class ProgramHarness {
public:
    // Creates the program over baseFolder; configure, if given, sets up the
    // audio log before the start window starts the cue player.
    explicit ProgramHarness(const QString& baseFolder = gameFolder(),
                            const std::function<void(AudioLog&)>& configure = {});

    // Creates the windows; throws what the program's creation throws.
    void create();

    Program& program() { return *program_; }
    Game& game() { return program_->game(); }
    TForm1& form1() { return program_->form1(); }
    TForm2& form2() { return program_->form2(); }
    TForm3& form3() { return program_->form3(); }

    // Shows the start window as the program start does and waits until it is
    // on screen.
    void showStartWindow();
    // The word display's line as the round last set it.
    std::string wordLine();

    QString baseFolder;
    TemporarySettings settings;
    CollectingReporter errors;
    RecordingStartupMessages startupMessages;
    std::shared_ptr<AudioLog> audio = std::make_shared<AudioLog>();
    std::shared_ptr<AnsweringDialogs> dialogs = std::make_shared<AnsweringDialogs>();
    // The time the game sees; later() lets the press guard run out.
    std::chrono::milliseconds now{1'000'000};
    void later() { now += std::chrono::milliseconds(1000); }

private:
    std::unique_ptr<Program> program_;
};

}  // namespace caici::testing
