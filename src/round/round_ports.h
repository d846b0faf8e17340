#pragma once
// What the round engine reads from and writes into the world around it. The
// guessing window implements these over its widgets and timers, the start
// window over its command menu, the rules dialog over its seconds field; tests
// implement them as fakes. Every text is UTF-8 and is shown exactly as given.

#include <string>

namespace caici {

// The word display aft1: its lines are replaced by the one line of markup.
class WordDisplay {
public:
    virtual ~WordDisplay() = default;
    virtual void setLine(const std::string& markup) = 0;
};

// A text shown as it stands: the time display Label3, the score display
// Label2, the caption of the skip button btn2.
class TextDisplay {
public:
    virtual ~TextDisplay() = default;
    virtual void setText(const std::string& text) = 0;
};

// Something the round switches on and off: the buttons btn1 and btn2, the
// countdown timer tmr1. The engine enables the countdown only while it is
// stopped, so a running countdown keeps its rhythm across a restart; the
// timer's ticks come back as RoundEngine::tick().
class Switch {
public:
    virtual ~Switch() = default;
    virtual void setEnabled(bool enabled) = 0;
};

// A flash label with the timer that hides it: the score flash Label5 with
// tmr3, the penalty flash Label6 with tmr2. Starting a timer that is already
// running must not restart its period; the window's timer handler hides the
// label and stops the timer.
class FlashLabel {
public:
    virtual ~FlashLabel() = default;
    virtual void setText(const std::string& text) = 0;
    virtual void show() = 0;
    virtual void startTimer() = 0;
};

// The cue entries of the start window's command menu pm1.
enum class CueCommand { yes1, no1, N3, N4 };

// Runs one cue command; it starts a sound and returns at once.
class CueCommands {
public:
    virtual ~CueCommands() = default;
    virtual void run(CueCommand command) = 0;
};

// The countdown setting: the text of the rules dialog's seconds field edt1,
// read at every start of a round.
class CountdownSetting {
public:
    virtual ~CountdownSetting() = default;
    virtual std::string text() const = 0;
};

// The guessing window itself.
class RoundWindow {
public:
    virtual ~RoundWindow() = default;
    // Shows the window without making it modal, in its current windowed or
    // full-screen mode.
    virtual void showWindow() = 0;
    // The end-of-round box: modal, information icon, one OK button, above all
    // other windows. Returns when the operator confirms it.
    virtual void showEndMessage(const std::string& caption, const std::string& text) = 0;
};

// The parts of the world one round engine talks to; all outlive the engine.
struct RoundParts {
    RoundWindow& window;
    WordDisplay& wordDisplay;
    TextDisplay& timeDisplay;
    TextDisplay& scoreDisplay;
    Switch& correctButton;
    Switch& skipButton;
    TextDisplay& skipCaption;
    FlashLabel& scoreFlash;
    FlashLabel& penaltyFlash;
    Switch& countdownTimer;
    CueCommands& cues;
    CountdownSetting& countdownSetting;
};

}  // namespace caici
