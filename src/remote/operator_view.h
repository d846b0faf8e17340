#pragma once
// What a phone shows the operator: the round as the big screen shows it
// (phase, word and points, time, score, skips, which buttons take presses),
// the teams of a match, and the review of a finished round with the same
// toggles as the big screen. A fresh phone, or one that has just
// reconnected, gets the whole view at once; after that, a new view after
// every change.

#include "game/review.h"
#include "game/round_engine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

class Game;

struct OperatorView {
    RoundPhase phase = RoundPhase::idle;
    WordLine line = WordLine::idle;
    std::string word;
    // None while no word is on display.
    std::optional<std::int32_t> points;
    // The word's forbidden words, in 禁词模式.
    std::vector<std::string> forbidden;
    std::int32_t seconds = 0;
    std::int64_t score = 0;
    std::int32_t skips = 0;
    // The buttons the game takes presses of now (Game::available()).
    bool correctEnabled = false;
    bool skipEnabled = false;
    bool foulEnabled = false;
    bool startEnabled = false;
    bool busy = false;
    // 禁词模式: the forbidden words and "犯规" are shown.
    bool forbiddenMode = false;
    // The flashes of the change this view follows: points just credited, and
    // seconds a skip just took; 0 when there was none.
    std::int32_t gained = 0;
    std::int32_t penalty = 0;
    // In a match: the team playing the round (or the last one, whose review
    // is open), and the team the next start is for.
    std::optional<std::string> team;
    std::optional<std::string> nextTeam;
    // The round that just ended, until the host confirms it.
    std::optional<Review> review;
    // The phone may add tonight's words now (between rounds only).
    bool tonightOpen = false;
};

// The game as it stands, without flashes.
OperatorView operatorView(const Game& game);

}  // namespace caici
