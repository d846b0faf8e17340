#include "round/round_engine.h"

#include "common/number_text.h"
#include "words/word_entry.h"

#include <utility>

namespace caici {
namespace {

const std::string kLinePrefix = "<Title1><Center>";
const std::string kExhaustionLine = kLinePrefix + "词库清零";
const std::string kIdleLine = kLinePrefix + "Velmarin出品";
const std::string kSkipCaption = "跳过";
const std::string kEndCaption = "提示";
const std::string kEndText = "本轮猜词已经结束！\r\n\r\n在屏幕上点击右键，结束退出本轮，然后开始下一轮比赛竞猜！";
const std::string kResetNumber = "000";
// Blanks the score flash of a skip, so a "+N" still on screen goes.
const std::string kBlankFlash = "  ";

// The skips accepted before one that is free.
constexpr std::int32_t kFreeSkips = 2;
// A skip is accepted while remaining seconds - skip count stays at this.
constexpr std::int64_t kSkipFloor = 10;
constexpr std::int32_t kEndCueSeconds = 6;

}  // namespace

RoundEngine::RoundEngine(const RoundParts& parts, WordLists& playOrder, MessagePump pump)
    : parts_(parts), playOrder_(playOrder), pump_(std::move(pump)) {}

void RoundEngine::resetForStart() {
    phase_ = RoundPhase::starting;
    skipCount_ = 0;
    score_ = 0;
    setCorrectEnabled(true);
    setSkipEnabled(true);
}

void RoundEngine::startRound() {
    // Running from here on: should the deal or a conversion fail, the window
    // is open and its buttons answer as in any running round.
    phase_ = RoundPhase::running;
    parts_.window.showWindow();
    showNextWord();
    remainingSeconds_ = strToInt(parts_.countdownSetting.text());
    parts_.scoreDisplay.setText(kResetNumber);
    setCountdownRunning(true);
}

void RoundEngine::tick() {
    if (!countdownRunning_ || phase_ == RoundPhase::starting) return;
    if (pump_) pump_();
    // A close or a start handled by the pump has taken this tick's place.
    if (!countdownRunning_ || phase_ == RoundPhase::starting) return;

    // In 64 bits: a countdown set to the lowest 32-bit value must end, not wrap.
    const std::int64_t left = std::int64_t{remainingSeconds_} - 1;
    if (left == kEndCueSeconds) parts_.cues.run(CueCommand::N3);
    if (left > 0) {
        remainingSeconds_ = static_cast<std::int32_t>(left);
        parts_.timeDisplay.setText(threeDigits(left));
    } else {
        endRound();
    }
}

void RoundEngine::correct() {
    if (!correctEnabled_ || phase_ == RoundPhase::starting) return;
    parts_.cues.run(CueCommand::yes1);
    if (playOrder_.count() == 0) {
        // The last word still counts; the exhaustion line itself is worth nothing.
        if (wordLine_ == WordLine::word) credit(currentPoints_);
        showExhaustion();
        return;
    }
    const std::int32_t credited = currentPoints_;
    showNextWord();
    credit(credited);
}

void RoundEngine::skip() {
    if (!skipEnabled_ || phase_ == RoundPhase::starting) return;
    parts_.cues.run(CueCommand::no1);
    if (std::int64_t{remainingSeconds_} - skipCount_ < kSkipFloor) {
        setSkipEnabled(false);
        return;
    }
    if (playOrder_.count() == 0) {
        showExhaustion();
        return;
    }
    if (skipCount_ >= kFreeSkips) {
        // The guard above leaves at least 10 seconds after this.
        remainingSeconds_ -= skipCount_;
        parts_.penaltyFlash.setText("-" + std::to_string(skipCount_));
        parts_.penaltyFlash.show();
        parts_.penaltyFlash.startTimer();
    }
    ++skipCount_;
    parts_.skipCaption.setText(kSkipCaption + "[" + std::to_string(skipCount_) + "]");
    showNextWord();
    parts_.scoreFlash.setText(kBlankFlash);
    parts_.scoreFlash.startTimer();
}

void RoundEngine::closeWindow() {
    // A round closed early stops: it must not play its end cue, take the
    // final score into a hidden display or raise the end message unseen.
    setCountdownRunning(false);
    parts_.skipCaption.setText(kSkipCaption);
    parts_.wordDisplay.setLine(kIdleLine);
    wordLine_ = WordLine::idle;
    phase_ = RoundPhase::closed;
}

void RoundEngine::showNextWord() {
    currentEntry_ = playOrder_.deal();
    const EntryFields fields(currentEntry_);
    parts_.wordDisplay.setLine(kLinePrefix + fields.at(0));
    wordLine_ = WordLine::word;
    currentPoints_ = strToInt(fields.at(1));
}

void RoundEngine::showExhaustion() {
    parts_.wordDisplay.setLine(kExhaustionLine);
    wordLine_ = WordLine::exhaustion;
    currentPoints_ = 0;
}

void RoundEngine::credit(std::int32_t points) {
    score_ += points;
    parts_.scoreDisplay.setText(threeDigits(score_));
    parts_.scoreFlash.setText("+" + std::to_string(points));
    parts_.scoreFlash.show();
    parts_.scoreFlash.startTimer();
}

void RoundEngine::endRound() {
    setCountdownRunning(false);
    remainingSeconds_ = 0;
    parts_.timeDisplay.setText(kResetNumber);
    parts_.wordDisplay.setLine(kLinePrefix + std::to_string(score_) + " 分");
    wordLine_ = WordLine::finalScore;
    parts_.cues.run(CueCommand::N4);
    setCorrectEnabled(false);
    setSkipEnabled(false);
    parts_.scoreDisplay.setText(kResetNumber);
    phase_ = RoundPhase::over;
    parts_.window.showEndMessage(kEndCaption, kEndText);
}

void RoundEngine::setCountdownRunning(bool running) {
    if (countdownRunning_ == running) return;
    countdownRunning_ = running;
    parts_.countdownTimer.setEnabled(running);
}

void RoundEngine::setCorrectEnabled(bool enabled) {
    correctEnabled_ = enabled;
    parts_.correctButton.setEnabled(enabled);
}

void RoundEngine::setSkipEnabled(bool enabled) {
    skipEnabled_ = enabled;
    parts_.skipButton.setEnabled(enabled);
}

}  // namespace caici
