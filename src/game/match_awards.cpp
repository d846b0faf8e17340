#include "game/match.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace caici {
namespace {

// The middle value; of an even count, the mean of the two in the middle.
std::int64_t medianOf(std::vector<std::int64_t> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

// Everyone whose figure is the best (several when equal); players without a
// figure take no part.
std::vector<PlayerAward> awardedFor(const std::vector<PlayerStats>& players,
                                    const std::function<std::optional<std::int64_t>(const PlayerStats&)>& figure,
                                    bool higherWins) {
    std::vector<PlayerAward> awards;
    std::optional<std::int64_t> best;
    for (const PlayerStats& player : players) {
        const auto value = figure(player);
        if (!value) continue;
        if (!best || (higherWins ? *value > *best : *value < *best)) {
            best = value;
            awards.clear();
        }
        if (*value == *best) {
            awards.push_back({player.player, player.team, player.points, player.medianMilliseconds.value_or(0)});
        }
    }
    return awards;
}

}  // namespace

std::vector<PlayerStats> Match::playerStats() const {
    std::vector<PlayerStats> players;
    std::vector<std::vector<std::int64_t>> times;
    for (std::size_t team = 0; team < setup_.teams.size(); ++team) {
        for (const std::string& name : setup_.teams[team].players) {
            players.push_back({static_cast<int>(team), name});
            times.emplace_back();
        }
    }
    for (const MatchRound& round : rounds_) {
        const auto found = std::find_if(players.begin(), players.end(), [&](const PlayerStats& player) {
            return player.team == round.team && player.player == round.actor;
        });
        if (round.actor.empty() || found == players.end()) continue;
        ++found->roundsActed;
        // Tie-break rounds order tied teams only; they earn no points.
        if (round.stage != MatchStage::tieBreak) found->points += round.score;
        std::vector<std::int64_t>& timesOf = times[static_cast<std::size_t>(found - players.begin())];
        for (const ReviewEntry& entry : round.entries) {
            if (entry.verdict != Verdict::correct) continue;
            ++found->correctWords;
            // A word the host credited afterwards was never guessed in play.
            if (entry.asPlayed == Verdict::correct && entry.milliseconds) timesOf.push_back(*entry.milliseconds);
        }
    }
    for (std::size_t i = 0; i < players.size(); ++i) {
        players[i].timedWords = times[i].size();
        if (!times[i].empty()) players[i].medianMilliseconds = medianOf(times[i]);
    }
    return players;
}

Awards Match::awards() const {
    const std::vector<PlayerStats> players = playerStats();
    Awards awards;
    awards.bestActor = awardedFor(
        players,
        [](const PlayerStats& player) -> std::optional<std::int64_t> {
            if (player.roundsActed == 0) return std::nullopt;
            return player.points;
        },
        true);
    awards.fastest = awardedFor(
        players,
        [](const PlayerStats& player) -> std::optional<std::int64_t> {
            if (player.timedWords < fastestMinimumWords) return std::nullopt;
            return player.medianMilliseconds;
        },
        false);
    return awards;
}

}  // namespace caici
