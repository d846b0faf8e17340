#pragma once
// What the game tells the views that show it: the guessing window, the start
// window, and whatever else listens (a scoreboard, a phone). Every change of
// the game is one event; a view makes its own texts from the values given and
// may ask Game for the whole state at any time. Events arrive on the thread
// that called into the game, after the game's state has changed, in the order
// the changes happened. A listener must not throw.

#include "game/commands.h"
#include "game/problem.h"
#include "game/round_card.h"
#include "words/word_entry.h"

#include <cstdint>
#include <string>

namespace caici {

class GameListener {
public:
    virtual ~GameListener() = default;

    // A round begins: the guessing window comes up. The first word follows.
    virtual void roundStarted() {}
    // The rule card is up (Game::card()); the first word follows when it ends.
    virtual void cardShown(const RoundCard& /*card*/) {}
    // The card's count shows seconds (3, 2, 1).
    virtual void cardTimeChanged(std::int32_t /*seconds*/) {}
    // A word is on display.
    virtual void wordShown(const WordEntry& /*entry*/) {}
    // A correct answer credited gained points; total is the round's score.
    virtual void scoreChanged(std::int64_t /*total*/, std::int32_t /*gained*/) {}
    // A skip was accepted: skips is the round's count of them, penalty the
    // seconds it took off the clock (0 for the free ones).
    virtual void skipTaken(std::int32_t /*skips*/, std::int32_t /*penalty*/) {}
    // Too little time is left for a skip: skipping stays off for this round.
    virtual void skipRefused() {}
    // The play order ran out; the countdown goes on.
    virtual void libraryExhausted() {}
    // The countdown shows seconds (after a tick, and 0 at the end).
    virtual void timeChanged(std::int32_t /*seconds*/) {}
    // The countdown started or stopped; its ticks come back as Game::tick().
    virtual void countdownChanged(bool /*running*/) {}
    // The host paused the round (the word is to be hidden) or went on.
    virtual void pausedChanged(bool /*paused*/) {}
    // Whether "正确" and "跳过" take presses in this round.
    virtual void controlsChanged(bool /*correct*/, bool /*skip*/) {}
    // The commands the game takes now (Game::available()) have changed; a
    // view greys out the rest.
    virtual void commandsChanged(CommandSet /*available*/) {}
    // 禁词模式 was switched on or off (Game::forbiddenMode()): the forbidden
    // words stand beside the word and "犯规" is offered, or neither.
    virtual void forbiddenModeChanged(bool /*on*/) {}
    // The countdown reached zero.
    virtual void roundOver(std::int64_t /*score*/, std::int32_t /*skips*/) {}
    // The round's window was closed; the round is over for good.
    virtual void roundClosed() {}
    // A start, a load or a shuffle is under way; presses are not taken.
    virtual void busyChanged(bool /*busy*/) {}
    virtual void soundChanged(bool /*on*/) {}
    // A library load ended, well or not: the sheet list may have changed.
    virtual void libraryChanged() {}
    // Tonight's words changed (Game::tonightWords()); the categories and
    // what the next start deals may have changed with them.
    virtual void tonightChanged() {}
    // A match began, ended, or took a round: the standings and whose turn
    // it is may have changed (Game::match()).
    virtual void matchChanged() {}
    // A finished round's review opened, changed or closed (Game::review()).
    virtual void reviewChanged() {}
    // Something the host must be told about, once.
    virtual void error(const Problem& /*problem*/) {}
    // Something the host should know although it stopped nothing (words a
    // load left out of play, a history moved aside), once.
    virtual void warning(const Problem& /*problem*/) {}
};

}  // namespace caici
