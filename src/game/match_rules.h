#pragma once
// How a match is played as a show: the kind of every pass, whether every
// pass plays the same words again, how the match ends (a number of passes or
// a target score), whether a final closes it, the teams' colours and their
// players. Plain values, checked here once for every view that sets them up.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

// What the actor may do in a round.
enum class RoundKind : std::uint8_t {
    describe,   // "描述": talk about the word without saying it
    act,        // "比划": act it out without a sound
    oneWord,    // "一个词": one word per clue
    sounds,     // "声音": sounds only, no words
    forbidden,  // "禁词": describe without the word's forbidden words
};

inline constexpr std::size_t roundKindCount = 5;

enum class MatchEnd : std::uint8_t {
    passes,       // every team plays the set number of passes
    targetScore,  // passes go on until a team has reached the target at a pass's end
};

inline constexpr std::int64_t minTargetScore = 1;
inline constexpr std::int64_t maxTargetScore = 999;
inline constexpr std::size_t maxPlayersPerTeam = 12;
// In characters as the host sees them (Unicode code points).
inline constexpr std::size_t maxPlayerNameLength = 16;

// A team's colour, as the place of a colour in teamPalette.
inline constexpr std::size_t teamPaletteSize = 8;
// Colours that people with the common colour-vision deficiencies tell apart
// (the Okabe–Ito set), as 0xRRGGBB; teams take them in order by default.
inline constexpr std::uint32_t teamPalette[teamPaletteSize] = {0xE69F00, 0x56B4E9, 0x009E73, 0xF0E442,
                                                                0x0072B2, 0xD55E00, 0xCC79A7, 0x999999};

struct MatchTeam {
    std::string name;
    // A place in teamPalette.
    std::size_t colour = 0;
    // Who acts, in turn; empty when the host named nobody.
    std::vector<std::string> players;
};

struct MatchRules {
    // The kind of pass 1, 2, …; passes past the list play its last kind.
    // Empty: every pass is 描述.
    std::vector<RoundKind> kinds;
    // "每轮同一批词": every pass deals the words of the first pass again.
    bool sameWords = false;
    MatchEnd end = MatchEnd::passes;
    // MatchEnd::passes: how many passes.
    int passes = 3;
    // MatchEnd::targetScore: "目标分".
    std::int64_t targetScore = 10;
    // "决赛": the top two play one more round each, shorter, for double points.
    bool final = false;
};

struct MatchSetup {
    std::vector<MatchTeam> teams;
    MatchRules rules;
};

// The kind of pass (from 1) under rules.
RoundKind kindOfPass(const MatchRules& rules, int pass);

// What is wrong with a match's set-up, beside its team names (see
// teamNamesProblem): a target score out of range, 禁词 among the kinds when
// no word in play has forbidden words, a player's name empty, too long or
// given twice in one team, too many players.
struct MatchSetupProblem {
    enum class Fault : std::uint8_t {
        targetScore,
        forbiddenWithoutWords,
        playerEmpty,
        playerTooLong,
        playerDuplicate,
        tooManyPlayers,
    };
    Fault fault = Fault::targetScore;
    // The team and the player at fault, counted from 0, and the name as given.
    std::size_t team = 0;
    std::size_t player = 0;
    std::string name;
};

std::optional<MatchSetupProblem> matchSetupProblem(const MatchSetup& setup, bool wordsHaveForbidden);

}  // namespace caici
