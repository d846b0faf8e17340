#include "game/match.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace caici {
namespace {

// A player is a name within a team: two teams may each have a 小王.
using PlayerKey = std::pair<int, std::string>;

struct ActorRecord {
    // The order the player first acted in, so that shared awards read in
    // the order of the match.
    std::size_t first = 0;
    std::int64_t points = 0;
    std::vector<std::int64_t> correctMilliseconds;
};

// The middle value; of an even count, the mean of the two in the middle.
std::int64_t median(std::vector<std::int64_t> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

std::vector<PlayerAward> bestOf(const std::vector<std::pair<PlayerKey, ActorRecord>>& players,
                                const std::function<std::optional<std::int64_t>(const ActorRecord&)>& figure,
                                bool higherWins) {
    std::vector<PlayerAward> awards;
    std::optional<std::int64_t> best;
    for (const auto& [key, record] : players) {
        const auto value = figure(record);
        if (!value) continue;
        const bool better = !best || (higherWins ? *value > *best : *value < *best);
        if (better) {
            best = value;
            awards.clear();
        }
        if (*value == *best) awards.push_back({key.second, key.first, record.points, 0});
    }
    return awards;
}

}  // namespace

Awards Match::awards() const {
    std::map<PlayerKey, ActorRecord> records;
    for (const MatchRound& round : rounds_) {
        if (round.actor.empty()) continue;
        const auto [at, added] = records.try_emplace({round.team, round.actor});
        if (added) at->second.first = records.size();
        // Tie-break rounds order tied teams only; they earn no points.
        if (round.stage != MatchStage::tieBreak) at->second.points += round.score;
        for (const ReviewEntry& entry : round.entries) {
            if (entry.asPlayed == Verdict::correct && entry.verdict == Verdict::correct && entry.milliseconds) {
                at->second.correctMilliseconds.push_back(*entry.milliseconds);
            }
        }
    }
    std::vector<std::pair<PlayerKey, ActorRecord>> players(records.begin(), records.end());
    std::stable_sort(players.begin(), players.end(),
                     [](const auto& a, const auto& b) { return a.second.first < b.second.first; });

    Awards awards;
    awards.bestActor = bestOf(
        players, [](const ActorRecord& record) { return std::optional<std::int64_t>(record.points); }, true);
    awards.fastest = bestOf(
        players,
        [](const ActorRecord& record) -> std::optional<std::int64_t> {
            if (record.correctMilliseconds.size() < fastestMinimumWords) return std::nullopt;
            return median(record.correctMilliseconds);
        },
        false);
    for (PlayerAward& award : awards.fastest) {
        const ActorRecord& record = records.at({award.team, award.player});
        award.medianMilliseconds = median(record.correctMilliseconds);
    }
    return awards;
}

}  // namespace caici
