#pragma once
// The rules of one guessing round: the countdown, "正确" and "跳过" with the
// growing skip penalties, "犯规" (a skip under the same rules that is
// recorded as a foul and, by the round's foul rule, may cost a point), the
// score, the end at zero and the exhausted play
// order; and what a show adds: the rule card's 3-2-1 before the first word,
// the skip cap, a final's double points, a tick in the last ten seconds and
// the time every word took to its verdict. It knows no windows: it deals from the play order, asks for cues and
// reports every change to the listener it is given (the game's fan-out to its
// views), which makes its own texts.
//
// Failures are exceptions thrown where the action has to stop, so whatever
// the action did before stays done (a word already on display stays there).
// Game runs every call inside its guard.

#include "common/clock.h"
#include "cues/cue.h"
#include "game/game_listener.h"
#include "game/match_rules.h"
#include "game/review.h"
#include "words/play_order.h"
#include "words/word_entry.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace caici {

enum class RoundPhase {
    idle,     // no round yet
    card,     // the rule card counts 3-2-1; the countdown starts when it ends
    running,  // from the start until the countdown reaches zero
    over,     // the countdown reached zero; the final score is on display
    closed,   // the round's window was closed
};

// What a foul costs: the same as a skip (its place among the growing
// penalties), or that and one point off the score.
enum class FoulRule { asSkip, alsoPoint };

// What a round is played under, fixed at its start.
struct RoundRules {
    std::int32_t countdownSeconds = 90;
    FoulRule foulRule = FoulRule::asSkip;
    // "跳过上限": how many skips (fouls among them) the round takes; nothing
    // for no cap. At the cap "跳过" is off for the rest of the round.
    std::optional<std::int32_t> skipCap;
    RoundKind kind = RoundKind::describe;
    // Every word's points count twice (a match's final).
    bool doublePoints = false;
    // "最后十秒提示": a tick in each of the last ten seconds.
    bool lastSecondsCue = true;
    // The rule card's 3-2-1 before the first word; 0 for none.
    std::int32_t cardSeconds = 0;
    // The round deals from a set of words that may be used up already (a
    // pass of "每轮同一批词"): an empty play order then shows exhaustion
    // instead of failing.
    bool fixedWords = false;
};

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
    // The round's rules as it began.
    RoundRules rules;
    // What the rule card's count shows while the phase is card.
    std::int32_t cardSeconds = 0;
    // "跳过" is off because the round took as many skips as its cap allows.
    bool skipCapReached = false;
    // A skip or a foul was refused for lack of time: both stay off.
    bool refusedForTime = false;
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
    // A round under rules: with a card, the card comes first (its count runs
    // on tick()) and the first word when it ends or is cut short. card is
    // what the views are shown (cardShown) while it counts.
    void begin(const RoundRules& rules, const RoundCard& card = {});
    // The card ends now: the first word and the countdown.
    void endCard();

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
    // The first word and the countdown.
    void play();
    void tickCard();
    // What the word on display has been up for, its pauses left out.
    std::int64_t wordMilliseconds() const;
    void noteSkipCap();
    // A skip or a foul: the word on display ends without a point.
    void pass(Verdict verdict);
    void showNextWord();
    void showExhaustion();
    void credit(std::int64_t points);
    // What became of the word shown at index.
    void recordOutcome(std::size_t index, Verdict verdict, std::int64_t milliseconds, std::int32_t penalty = 0,
                       std::int32_t pointsOff = 0);
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
    // The word on display: when it appeared, and how long the round has
    // been held since.
    std::chrono::milliseconds wordShownAt_{};
    std::chrono::milliseconds wordPaused_{};
    std::chrono::milliseconds pausedAt_{};
};

}  // namespace caici
