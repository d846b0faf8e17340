#pragma once
// The rules of one guessing round: the countdown, "正确" and "跳过" with the
// growing skip penalties, "犯规" (a skip under the same rules that is
// recorded as a foul and, by the round's foul rule, may cost a point), the
// score, the end at zero and the exhausted play
// order. It knows no windows: it deals from the play order, asks for cues and
// reports every change to the listener it is given (the game's fan-out to its
// views), which makes its own texts.
//
// Failures are exceptions thrown where the action has to stop, so whatever
// the action did before stays done (a word already on display stays there).
// Game runs every call inside its guard.

#include "common/clock.h"
#include "cues/cue.h"
#include "game/game_listener.h"
#include "game/review.h"
#include "words/play_order.h"
#include "words/word_entry.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace caici {

enum class RoundPhase {
    idle,     // no round yet
    running,  // from the start until the countdown reaches zero
    over,     // the countdown reached zero; the final score is on display
    closed,   // the round's window was closed
};

// What a foul costs: the same as a skip (its place among the growing
// penalties), or that and one point off the score.
enum class FoulRule { asSkip, alsoPoint };

// What the round last put on display.
enum class WordLine { idle, word, exhaustion, finalScore };

struct RoundState {
    RoundPhase phase = RoundPhase::idle;
    WordLine line = WordLine::idle;
    std::int32_t remainingSeconds = 0;
    // Wider than the 32 bits of a points field, so that no sum of them wraps.
    std::int64_t score = 0;
    std::int32_t skipCount = 0;
    // The entry whose word is on display while the line is a word.
    WordEntry currentEntry;
    bool countdownRunning = false;
    // The countdown held and the word hidden until the host goes on.
    bool paused = false;
    bool correctEnabled = true;
    bool skipEnabled = true;
};

class RoundEngine {
public:
    // A press this soon after a new line appeared is a bounce or a double
    // click, not a verdict on a word nobody has seen yet.
    static constexpr std::chrono::milliseconds pressGuard{300};

    // Everything given outlives the engine.
    RoundEngine(GameListener& events, WordLists& playOrder, CueSink& cues, MonotonicClock clock);

    // A new round: score and skips 0, both buttons on.
    void reset();
    // Deals and shows the first word and starts the countdown of the given
    // length; fouls follow foulRule for the whole round. Throws EListError on
    // an empty play order.
    void begin(std::int32_t countdownSeconds, FoulRule foulRule = FoulRule::asSkip);

    void tick();
    void correct();
    void skip();
    // The word on display ends as a foul: taken, refused or penalised exactly
    // as a skip would be.
    void foul();
    // The round's window was closed: the round stops where it is.
    void close();
    // Holds the countdown and takes no presses, or goes on; only a running
    // round pauses.
    void setPaused(bool paused);

    const RoundState& state() const { return state_; }
    // Every word the round has shown, in order, with what became of it.
    const std::vector<ReviewEntry>& record() const { return record_; }

private:
    bool bounced() const;
    // A skip or a foul: the word on display ends without a point.
    void pass(Verdict verdict);
    void showNextWord();
    void showExhaustion();
    void credit(std::int32_t points);
    // What became of the word shown at index.
    void recordOutcome(std::size_t index, Verdict verdict, std::int32_t penalty = 0, std::int32_t pointsOff = 0);
    void endRound();
    void setCountdownRunning(bool running);
    void setControls(bool correct, bool skip);

    GameListener& events_;
    WordLists& playOrder_;
    CueSink& cues_;
    MonotonicClock clock_;
    RoundState state_;
    FoulRule foulRule_ = FoulRule::asSkip;
    std::vector<ReviewEntry> record_;
    std::chrono::milliseconds lineShownAt_{};
};

}  // namespace caici
