#pragma once
// The rules of one guessing round, the game logic of the guessing window
// TForm3: the countdown, the correct and skip actions with their penalties,
// the score, the end of the round and the exhausted play order. It knows no
// widgets; it talks to the RoundParts and deals from the play order.
//
// Failures are exceptions thrown where the action has to stop, so whatever
// the action did before stays done (a word already on display stays there).
// Every handler that calls in must run inside guarded().
//
// A start of a game is split as the start window runs it: resetForStart(),
// then the start window plays its cue and refills the play order (which may
// take a while and lets window messages run), then startRound(). In between
// the engine is in RoundPhase::starting and ignores presses and ticks: they
// would belong neither to the round that was just reset nor to the one not yet
// dealt. The start window must ignore a start while WordLists::busy() or its
// own library load is running.

#include "common/message_pump.h"
#include "round/round_ports.h"
#include "words/play_order.h"

#include <cstdint>
#include <string>

namespace caici {

enum class RoundPhase {
    idle,      // since the window's creation: no round yet
    starting,  // between resetForStart() and startRound()
    running,   // from startRound() until the countdown reaches zero
    over,      // the countdown reached zero; the final score is on display
    closed,    // the window was closed
};

// What the engine last wrote into the word display.
enum class WordLine { idle, word, exhaustion, finalScore };

class RoundEngine {
public:
    // The play order belongs to the start window and outlives the engine. The
    // pump lets pending window messages run at the start of every tick.
    RoundEngine(const RoundParts& parts, WordLists& playOrder, MessagePump pump = {});

    // Steps 1 and 2 of a start: skip count and score 0, both buttons enabled.
    void resetForStart();
    // Steps 4 to 9: show the window, deal and show the first word, read the
    // countdown setting, score display "000", start the countdown. Throws
    // EListError on an empty play order (after the window is shown) or on an
    // entry without points, and EConvertError on points or a countdown
    // setting that are not integers (after the word is shown).
    void startRound();

    // tmr1Timer, every second while the countdown runs.
    void tick();
    // btn1Click.
    void correct();
    // btn2Click.
    void skip();
    // FormClose: every close of the guessing window.
    void closeWindow();

    RoundPhase phase() const { return phase_; }
    WordLine wordLine() const { return wordLine_; }
    std::int32_t remainingSeconds() const { return remainingSeconds_; }
    std::int64_t score() const { return score_; }
    std::int32_t skipCount() const { return skipCount_; }
    const std::string& currentEntry() const { return currentEntry_; }
    std::int32_t currentPoints() const { return currentPoints_; }
    bool countdownRunning() const { return countdownRunning_; }

private:
    void showNextWord();
    void showExhaustion();
    void credit(std::int32_t points);
    void endRound();
    void setCountdownRunning(bool running);
    void setCorrectEnabled(bool enabled);
    void setSkipEnabled(bool enabled);

    RoundParts parts_;
    WordLists& playOrder_;
    MessagePump pump_;

    RoundPhase phase_ = RoundPhase::idle;
    WordLine wordLine_ = WordLine::idle;
    std::int32_t remainingSeconds_ = 0;
    // Wider than the 32 bits of a points field, so that no sum of them wraps.
    std::int64_t score_ = 0;
    std::int32_t skipCount_ = 0;
    std::string currentEntry_;
    std::int32_t currentPoints_ = 0;
    bool countdownRunning_ = false;
    // As the buttons are created.
    bool correctEnabled_ = true;
    bool skipEnabled_ = true;
};

}  // namespace caici
