#pragma once
// A real guessing window, offscreen, showing a game over a library of the
// test's own words, dealt in the library's order; the dialogs are fakes the
// tests answer, and failures of the window's own handlers are collected.
// Tests reach the window's parts as a host's tools do: a button by its
// caption, a display by its name.

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fadetext/fade_text.h"
#include "answering_dialogs.h"
#include "game_fixture.h"
#include "temporary_settings.h"
#include "round/guessing_window.h"
#include "round/guessing_window_menu.h"

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

struct FakeErrors : ErrorReporter {
    std::vector<std::string> reported;
    void reportError(const std::string& text) override { reported.push_back(text); }
};

class WindowTest : public GameFixture, public ::testing::Test {
protected:
    explicit WindowTest(std::vector<WordEntry> library = numberedWords(60)) {
        dealInOrder(std::move(library));
        window = std::make_unique<TForm3>(
            GuessingWindowParts{QString::fromStdString(gameFolderPath()), *game, settings.settings, errors, dialogs});
    }

    // The start of a game as the start label runs it.
    void startRound() { start(game->countdownSeconds()); }

    std::string shownWord() const { return round().currentEntry.word; }
    int shownPoints() const { return round().currentEntry.points; }
    std::string wordLine() const { return window->wordLine(); }
    std::string text(const QLabel& label) const { return label.text().toStdString(); }
    std::string text(const QPushButton& button) const { return button.text().toStdString(); }

    template <class Part = QLabel>
    Part& part(const char* name) const {
        auto* found = window->findChild<Part*>(QString::fromLatin1(name));
        if (found == nullptr) throw std::runtime_error(std::string("no part named ") + name);
        return *found;
    }
    // The button whose caption begins with caption ("跳过" also finds "跳过[2]").
    QPushButton& button(const char* caption) const {
        for (QPushButton* found : window->findChildren<QPushButton*>()) {
            if (found->text().startsWith(QString::fromUtf8(caption))) return *found;
        }
        throw std::runtime_error(std::string("no button ") + caption);
    }
    QPushButton& correctButton() const { return button("正确"); }
    QPushButton& skipButton() const { return button("跳过"); }
    QLabel& timeDisplay() const { return part("Label3"); }
    QLabel& scoreDisplay() const { return part("Label2"); }
    QLabel& scoreFlash() const { return part("Label5"); }
    QLabel& penaltyFlash() const { return part("Label6"); }
    // Presses a round's button as the host does, and lets the press guard
    // run out.
    void press(QPushButton& button) {
        QTest::mouseClick(&button, Qt::LeftButton);
        later();
    }
    // A flash goes by itself, soon after it showed.
    static bool goesAway(const QWidget& flash) {
        return QTest::qWaitFor([&] { return !flash.isVisible(); }, 2000);
    }
    // The cues played so far, by name.
    Log cues() const { return log.since(0, "cue "); }

    TemporarySettings settings;
    FakeErrors errors;
    std::shared_ptr<AnsweringDialogs> dialogs = std::make_shared<AnsweringDialogs>();
    std::unique_ptr<TForm3> window;
};

}  // namespace caici::testing
