#include "game/round_engine.h"

#include <utility>

namespace caici {
namespace {

// The skips accepted before one that is free.
constexpr std::int32_t kFreeSkips = 2;
// A skip is accepted while remaining seconds - skip count stays at this.
constexpr std::int64_t kSkipFloor = 10;
constexpr std::int32_t kEndCueSeconds = 6;

}  // namespace

RoundEngine::RoundEngine(GameListener& events, WordLists& playOrder, CueSink& cues, MonotonicClock clock)
    : events_(events), playOrder_(playOrder), cues_(cues), clock_(std::move(clock)) {}

void RoundEngine::reset() {
    state_.skipCount = 0;
    state_.score = 0;
    setControls(true, true);
}

void RoundEngine::begin(std::int32_t countdownSeconds, FoulRule foulRule) {
    foulRule_ = foulRule;
    // Running from here on: should the deal fail, the window is open and its
    // buttons answer as in any running round.
    state_.phase = RoundPhase::running;
    record_.clear();
    if (state_.paused) {
        state_.paused = false;
        events_.pausedChanged(false);
    }
    events_.roundStarted();
    showNextWord();
    state_.remainingSeconds = countdownSeconds;
    setCountdownRunning(true);
}

void RoundEngine::tick() {
    if (!state_.countdownRunning) return;

    // In 64 bits: a countdown set to the lowest 32-bit value must end, not wrap.
    const std::int64_t left = std::int64_t{state_.remainingSeconds} - 1;
    if (left == kEndCueSeconds) cues_.play(Cue::End);
    if (left > 0) {
        state_.remainingSeconds = static_cast<std::int32_t>(left);
        events_.timeChanged(state_.remainingSeconds);
    } else {
        endRound();
    }
}

void RoundEngine::correct() {
    if (!state_.correctEnabled || state_.paused || bounced()) return;
    cues_.play(Cue::Yes);
    const bool wordShown = state_.line == WordLine::word && !record_.empty();
    const std::size_t shown = record_.size() - 1;
    if (playOrder_.count() == 0) {
        // The last word still counts; the exhaustion line itself is worth nothing.
        if (wordShown) {
            recordOutcome(shown, Verdict::correct);
            credit(state_.currentEntry.points);
        }
        showExhaustion();
        return;
    }
    const std::int32_t credited = wordShown ? state_.currentEntry.points : 0;
    showNextWord();
    if (wordShown) recordOutcome(shown, Verdict::correct);
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
    if (!state_.skipEnabled || state_.paused || bounced()) return;
    cues_.play(Cue::No);
    if (std::int64_t{state_.remainingSeconds} - state_.skipCount < kSkipFloor) {
        setControls(state_.correctEnabled, false);
        events_.skipRefused();
        return;
    }
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
    if (wordShown) recordOutcome(record_.size() - 1, verdict, penalty, pointsOff);
    events_.skipTaken(state_.skipCount, penalty);
    if (pointsOff > 0) credit(-pointsOff);
    if (playOrder_.count() == 0) {
        showExhaustion();
    } else {
        showNextWord();
    }
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
    // The word comes back into sight: a press needs the usual moment after.
    if (!paused) lineShownAt_ = clock_();
    events_.pausedChanged(paused);
}

bool RoundEngine::bounced() const {
    return state_.line != WordLine::idle && clock_() - lineShownAt_ < pressGuard;
}

void RoundEngine::showNextWord() {
    state_.currentEntry = playOrder_.deal();
    state_.line = WordLine::word;
    lineShownAt_ = clock_();
    record_.push_back({state_.currentEntry, Verdict::missed, Verdict::missed, 0});
    events_.wordShown(state_.currentEntry);
}

void RoundEngine::showExhaustion() {
    state_.line = WordLine::exhaustion;
    state_.currentEntry = {};
    lineShownAt_ = clock_();
    events_.libraryExhausted();
}

void RoundEngine::recordOutcome(std::size_t index, Verdict verdict, std::int32_t penalty, std::int32_t pointsOff) {
    record_[index].asPlayed = record_[index].verdict = verdict;
    record_[index].penalty = penalty;
    record_[index].pointsOff = pointsOff;
}

void RoundEngine::credit(std::int32_t points) {
    state_.score += points;
    events_.scoreChanged(state_.score, points);
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

void RoundEngine::begin(const RoundRules& rules) {
    begin(rules.countdownSeconds, rules.foulRule);
    state_.rules = rules;
}

void RoundEngine::endCard() {}

}  // namespace caici
