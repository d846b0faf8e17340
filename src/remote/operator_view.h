#pragma once
// What a phone shows the operator: the round as the big screen shows it
// (phase, word and points, time, score, skips, which buttons take presses,
// the rule card before the round), the teams of a match with their colours,
// and the review of a finished round with the same toggles as the big
// screen. A fresh phone, or one that has just reconnected, gets the whole
// view at once; after that, a new view after every change.

#include "game/match.h"
#include "game/review.h"
#include "game/round_card.h"
#include "game/round_engine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

class Game;

// A team as the phone names it: its name beside a mark of its colour.
struct TeamMark {
    std::string name;
    // 0xRRGGBB, from teamPalette.
    std::uint32_t colour = 0;
};

// The rule card while it is up.
struct CardView {
    RoundCard card;
    // The team about to play; none outside a match.
    std::optional<TeamMark> team;
    // What the card's count shows: 3, 2, 1.
    std::int32_t seconds = 0;
};

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
    // "跳过" is off because the round took as many skips as its cap allows,
    // which the phone says under the button.
    bool skipCapReached = false;
    // In a match: the team playing the round (or the last one, whose review
    // is open), and the team the next start is for.
    std::optional<TeamMark> team;
    std::optional<TeamMark> nextTeam;
    // Before the round's first word.
    std::optional<CardView> card;
    // The round that just ended, until the host confirms it.
    std::optional<Review> review;
    // The phone may add tonight's words now (between rounds only).
    bool tonightOpen = false;
};

// The game as it stands, without flashes.
OperatorView operatorView(const Game& game);

// Team team (from 0) of match with its colour; none outside a match or for
// a place the match does not have.
std::optional<TeamMark> teamMark(const std::optional<Match>& match, int team);
// card as it shows seconds, its team named as match names it.
CardView cardView(const RoundCard& card, std::int32_t seconds, const std::optional<Match>& match);

}  // namespace caici
