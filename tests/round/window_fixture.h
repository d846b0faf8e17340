#pragma once
// A real guessing window, offscreen, with fakes for everything outside it:
// the cue commands, the sound switch, the countdown text, the error box and
// the dialogs (which the tests answer). The play order holds a known library
// shuffled from a fixed seed.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/random_source.h"
#include "fadetext/fade_text.h"
#include "round/guessing_window.h"
#include "round/guessing_window_menu.h"
#include "words/play_order.h"

namespace caici::testing {

// Lets window-system events run until the condition holds, for at most a
// second: a platform may deliver a window's new geometry some time after the
// request.
template <class Condition>
bool settles(Condition condition) {
    QDeadlineTimer deadline(1000);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(5);
    }
    return true;
}

struct FakeCues : CueCommands {
    std::vector<CueCommand> played;
    void run(CueCommand command) override { played.push_back(command); }
};

struct FakeSound : SoundSwitch {
    std::vector<bool> switched;
    void setSoundOn(bool on) override { switched.push_back(on); }
};

struct FakeCountdown : CountdownSetting {
    std::string value = "90";
    std::string text() const override { return value; }
};

struct FakeErrors : ErrorReporter {
    std::vector<std::string> reported;
    void reportError(const std::string& text) override { reported.push_back(text); }
};

struct FakeDialogs : WindowDialogs {
    struct Box {
        QString caption;
        QString text;
    };
    std::vector<Box> boxes;
    std::vector<QColor> chooserStarts;
    std::optional<QColor> answer;
    std::vector<QUrl> opened;

    void information(QWidget*, const QString& caption, const QString& text) override {
        boxes.push_back({caption, text});
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override {
        chooserStarts.push_back(initial);
        return answer;
    }
    void openUrl(const QUrl& url) override { opened.push_back(url); }
};

class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(std::vector<std::string> library = defaultLibrary()) {
        words.replaceLibrary(std::move(library));
        RandomSource random(12345);
        words.shuffle({}, random);
        window = std::make_unique<TForm3>(GuessingWindowParts{
            QStringLiteral(CAICI_SOURCE_DIR "/game/"), words, cues, sound, countdown, errors, dialogs});
    }

    static std::vector<std::string> defaultLibrary() {
        std::vector<std::string> entries;
        for (int i = 0; i < 60; ++i) entries.push_back("词" + std::to_string(i) + "|" + std::to_string(i % 3 + 1));
        return entries;
    }

    // The start of a game as the start window runs it.
    void startRound() {
        window->engine().resetForStart();
        window->engine().startRound();
    }

    // The entry that the next deal takes.
    std::string nextEntry() const { return words.lst2().back(); }
    static std::string wordOf(const std::string& entry) { return entry.substr(0, entry.find('|')); }
    static int pointsOf(const std::string& entry) { return std::stoi(entry.substr(entry.find('|') + 1)); }

    std::string wordLine() const { return window->aft1->Text().Lines().Strings(0); }
    std::string text(const QLabel* label) const { return label->text().toStdString(); }
    std::string text(const QPushButton* button) const { return button->text().toStdString(); }

    WordLists words;
    FakeCues cues;
    FakeSound sound;
    FakeCountdown countdown;
    FakeErrors errors;
    std::shared_ptr<FakeDialogs> dialogs = std::make_shared<FakeDialogs>();
    std::unique_ptr<TForm3> window;
};

}  // namespace caici::testing
