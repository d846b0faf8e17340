#include "game/round_engine.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace caici {
namespace {

// The skips accepted before one that is free.
constexpr std::int32_t kFreeSkips = 2;
// A skip is accepted while remaining seconds - skip count stays at this.
constexpr std::int64_t kSkipFloor = 10;
constexpr std::int32_t kEndCueSeconds = 6;
// "最后十秒提示": a tick at each of these last seconds.
constexpr std::int64_t kTickCueSeconds = 10;

}  // namespace

RoundEngine::RoundEngine(GameListener& events, WordLists& playOrder, CueSink& cues, MonotonicClock clock)
    : events_(events), playOrder_(playOrder), cues_(cues), clock_(std::move(clock)) {}

void RoundEngine::reset() {
    state_.skipCount = 0;
    state_.score = 0;
    setControls(true, true);
}

void RoundEngine::begin(std::int32_t countdownSeconds, FoulRule foulRule) {
    RoundRules rules;
    rules.countdownSeconds = countdownSeconds;
    rules.foulRule = foulRule;
    begin(rules);
}

void RoundEngine::begin(const RoundRules& rules, const RoundCard& card) {
    state_.rules = rules;
    foulRule_ = rules.foulRule;
    state_.refusedForTime = false;
    state_.skipCapReached = false;
    record_.clear();
    if (state_.paused) {
        state_.paused = false;
        events_.pausedChanged(false);
    }
    if (rules.cardSeconds <= 0) {
        // Running from here on: should the deal fail, the window is open and
        // its buttons answer as in any running round.
        state_.phase = RoundPhase::running;
        state_.cardSeconds = 0;
        events_.roundStarted();
        noteSkipCap();
        play();
        return;
    }
    state_.phase = RoundPhase::card;
    state_.line = WordLine::idle;
    state_.cardSeconds = rules.cardSeconds;
    events_.roundStarted();
    noteSkipCap();
    events_.cardShown(card);
    // The card's count runs on the countdown's ticks.
    setCountdownRunning(true);
}

void RoundEngine::endCard() {
    if (state_.phase != RoundPhase::card) return;
    state_.phase = RoundPhase::running;
    state_.cardSeconds = 0;
    cues_.play(Cue::Start);
    play();
    events_.timeChanged(state_.remainingSeconds);
}

void RoundEngine::play() {
    if (state_.rules.fixedWords && playOrder_.count() == 0) {
        showExhaustion();
    } else {
        showNextWord();
    }
    state_.remainingSeconds = state_.rules.countdownSeconds;
    setCountdownRunning(true);
}

void RoundEngine::tickCard() {
    if (--state_.cardSeconds > 0) {
        events_.cardTimeChanged(state_.cardSeconds);
    } else {
        endCard();
    }
}

void RoundEngine::tick() {
    if (!state_.countdownRunning) return;
    if (state_.phase == RoundPhase::card) {
        tickCard();
        return;
    }

    // In 64 bits: a countdown set to the lowest 32-bit value must end, not wrap.
    const std::int64_t left = std::int64_t{state_.remainingSeconds} - 1;
    if (state_.rules.lastSecondsCue && left > 0 && left <= kTickCueSeconds) cues_.play(Cue::Tick);
    if (left == kEndCueSeconds) cues_.play(Cue::End);
    if (left > 0) {
        state_.remainingSeconds = static_cast<std::int32_t>(left);
        events_.timeChanged(state_.remainingSeconds);
    } else {
        endRound();
    }
}

void RoundEngine::correct() {
    if (state_.phase != RoundPhase::running || !state_.correctEnabled || state_.paused || bounced()) return;
    cues_.play(Cue::Yes);
    const bool wordShown = state_.line == WordLine::word && !record_.empty();
    const std::size_t shown = record_.size() - 1;
    const std::int64_t took = wordMilliseconds();
    // A final's word counts twice, live as in the review.
    const std::int64_t factor = state_.rules.doublePoints ? 2 : 1;
    if (playOrder_.count() == 0) {
        // The last word still counts; the exhaustion line itself is worth nothing.
        if (wordShown) {
            recordOutcome(shown, Verdict::correct, took);
            credit(state_.currentEntry.points * factor);
        }
        showExhaustion();
        return;
    }
    const std::int64_t credited = wordShown ? state_.currentEntry.points * factor : 0;
    showNextWord();
    if (wordShown) recordOutcome(shown, Verdict::correct, took);
    credit(credited);
}

void RoundEngine::skip() {
    pass(Verdict::skipped);
}

void RoundEngine::foul() {
    pass(Verdict::foul);
}

void RoundEngine::pass(Verdict verdict) {
    // A foul follows the skip's rules, its refusal for time included:
    // otherwise saying a forbidden word on purpose would be a free skip.
    // At the skip cap a foul is still called: a rule broken in front of the
    // room cannot be let pass.
    const bool open = state_.skipEnabled || (verdict == Verdict::foul && state_.skipCapReached);
    if (state_.phase != RoundPhase::running || !open || state_.refusedForTime || state_.paused || bounced()) return;
    cues_.play(Cue::No);
    if (std::int64_t{state_.remainingSeconds} - state_.skipCount < kSkipFloor) {
        state_.refusedForTime = true;
        setControls(state_.correctEnabled, false);
        events_.skipRefused();
        return;
    }
    const std::int64_t took = wordMilliseconds();
    const bool wordShown = state_.line == WordLine::word && !record_.empty();
    // Skipping the last word only tells that the library is out; a foul on
    // it still stands, being a rule broken in front of the room.
    if (playOrder_.count() == 0 && !(verdict == Verdict::foul && wordShown)) {
        showExhaustion();
        return;
    }
    std::int32_t penalty = 0;
    if (state_.skipCount >= kFreeSkips) {
        // The guard above leaves at least 10 seconds after this.
        penalty = state_.skipCount;
        state_.remainingSeconds -= penalty;
    }
    ++state_.skipCount;
    const std::int32_t pointsOff = verdict == Verdict::foul && foulRule_ == FoulRule::alsoPoint ? 1 : 0;
    if (wordShown) recordOutcome(record_.size() - 1, verdict, took, penalty, pointsOff);
    events_.skipTaken(state_.skipCount, penalty);
    if (pointsOff > 0) credit(-pointsOff);
    if (playOrder_.count() == 0) {
        showExhaustion();
    } else {
        showNextWord();
    }
    noteSkipCap();
}

void RoundEngine::noteSkipCap() {
    const auto cap = state_.rules.skipCap;
    if (state_.skipCapReached || !cap || state_.skipCount < *cap) return;
    state_.skipCapReached = true;
    setControls(state_.correctEnabled, false);
}

void RoundEngine::close() {
    // A round closed early stops: it must not play its end cue, take the
    // final score into a hidden display or raise the end message unseen.
    setCountdownRunning(false);
    state_.line = WordLine::idle;
    state_.phase = RoundPhase::closed;
    state_.paused = false;
    events_.roundClosed();
}

void RoundEngine::setPaused(bool paused) {
    if (paused == state_.paused || state_.phase != RoundPhase::running) return;
    state_.paused = paused;
    setCountdownRunning(!paused);
    if (paused) {
        pausedAt_ = clock_();
    } else {
        wordPaused_ += clock_() - pausedAt_;
        // The word comes back into sight: a press needs the usual moment after.
        lineShownAt_ = clock_();
    }
    events_.pausedChanged(paused);
}

bool RoundEngine::bounced() const {
    return state_.line != WordLine::idle && clock_() - lineShownAt_ < pressGuard;
}

void RoundEngine::showNextWord() {
    state_.currentEntry = playOrder_.deal();
    state_.line = WordLine::word;
    lineShownAt_ = wordShownAt_ = clock_();
    wordPaused_ = {};
    record_.push_back({state_.currentEntry, Verdict::missed, Verdict::missed, 0});
    events_.wordShown(state_.currentEntry);
}

void RoundEngine::showExhaustion() {
    state_.line = WordLine::exhaustion;
    state_.currentEntry = {};
    lineShownAt_ = clock_();
    events_.libraryExhausted();
}

std::int64_t RoundEngine::wordMilliseconds() const {
    return (clock_() - wordShownAt_ - wordPaused_).count();
}

void RoundEngine::recordOutcome(std::size_t index, Verdict verdict, std::int64_t milliseconds, std::int32_t penalty,
                                std::int32_t pointsOff) {
    record_[index].asPlayed = record_[index].verdict = verdict;
    record_[index].milliseconds = milliseconds;
    record_[index].penalty = penalty;
    record_[index].pointsOff = pointsOff;
}

void RoundEngine::credit(std::int64_t points) {
    state_.score += points;
    // What a view shows as the gain; the total keeps every point.
    const auto gained = std::clamp<std::int64_t>(points, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max());
    events_.scoreChanged(state_.score, static_cast<std::int32_t>(gained));
}

void RoundEngine::endRound() {
    setCountdownRunning(false);
    state_.remainingSeconds = 0;
    events_.timeChanged(0);
    state_.line = WordLine::finalScore;
    cues_.play(Cue::Score);
    setControls(false, false);
    state_.phase = RoundPhase::over;
    events_.roundOver(state_.score, state_.skipCount);
}

void RoundEngine::setCountdownRunning(bool running) {
    if (state_.countdownRunning == running) return;
    state_.countdownRunning = running;
    events_.countdownChanged(running);
}

void RoundEngine::setControls(bool correct, bool skip) {
    state_.correctEnabled = correct;
    state_.skipEnabled = skip;
    events_.controlsChanged(correct, skip);
}

}  // namespace caici
