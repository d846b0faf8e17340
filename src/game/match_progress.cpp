#include "game/match_progress.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace caici {
namespace {

// Half the host's countdown for the rounds that decide, but never so short
// that a team cannot get going, nor longer than the host's own.
constexpr int kMinimumShortCountdown = 20;

class Replay {
public:
    Replay(const MatchSetup& setup, const std::vector<MatchRound>& rounds)
        : setup_(setup), rounds_(rounds), teamCount_(static_cast<int>(setup.teams.size())) {
        progress_.teams.resize(setup.teams.size());
    }

    MatchProgress run() && {
        if (teamCount_ > 0) playAll();
        return std::move(progress_);
    }

private:
    void playAll() {
        if (!playRegular()) return;
        const int lastPass = progress_.regularRounds / teamCount_;
        afterRegular_.pass = lastPass + 1;
        afterRegular_.kind = kindOfPass(setup_.rules, lastPass);
        afterRegular_.shortCountdown = true;
        std::vector<int> finalists;
        if (setup_.rules.final) {
            if (!settleFinalPlaces()) return;
            const std::vector<int> order = ranked();
            finalists = {order[1], order[0]};
            for (const int team : finalists) {
                NextRound round = afterRegular_;
                round.team = team;
                round.stage = MatchStage::final;
                round.doublePoints = true;
                if (!take(round)) return;
            }
        }
        settleFirstPlace(finalists);
    }

    bool regularOver() const {
        const MatchRules& rules = setup_.rules;
        const int played = progress_.regularRounds;
        if (rules.end == MatchEnd::passes) return played >= teamCount_ * rules.passes;
        if (played == 0 || played % teamCount_ != 0) return false;
        return std::any_of(progress_.teams.begin(), progress_.teams.end(),
                           [&](const TeamTally& team) { return team.score >= rules.targetScore; });
    }

    bool playRegular() {
        while (!regularOver()) {
            NextRound round;
            round.team = progress_.regularRounds % teamCount_;
            round.pass = progress_.regularRounds / teamCount_ + 1;
            round.kind = kindOfPass(setup_.rules, round.pass);
            if (!take(round)) return false;
            ++progress_.regularRounds;
        }
        return true;
    }

    // The teams tied across the second place play until the top two are clear.
    bool settleFinalPlaces() {
        while (teamCount_ >= 3) {
            const std::vector<int> order = ranked();
            if (!equal(order[1], order[2])) return true;
            if (!playBatch(tiedWith(order[1], {}))) return false;
        }
        return true;
    }

    void settleFirstPlace(const std::vector<int>& finalists) {
        for (;;) {
            const std::vector<int> group = tiedWith(ranked().front(), finalists);
            if (group.size() < 2 || !playBatch(group)) return;
        }
    }

    // The teams equal to team (itself included), in team order; only among
    // within when that is not empty.
    std::vector<int> tiedWith(int team, const std::vector<int>& within) const {
        std::vector<int> group;
        for (int other = 0; other < teamCount_; ++other) {
            const bool allowed = within.empty() || std::find(within.begin(), within.end(), other) != within.end();
            if (allowed && equal(team, other)) group.push_back(other);
        }
        return group;
    }

    bool playBatch(const std::vector<int>& group) {
        ++batch_;
        for (const int team : group) {
            NextRound round = afterRegular_;
            round.team = team;
            round.stage = MatchStage::tieBreak;
            if (!take(round)) return false;
        }
        return true;
    }

    // Counts the next round played as round; when there is none, round is
    // the one to play next.
    bool take(NextRound round) {
        const MatchTeam& team = setup_.teams[static_cast<std::size_t>(round.team)];
        TeamTally& tally = progress_.teams[static_cast<std::size_t>(round.team)];
        if (!team.players.empty()) {
            round.actor = team.players[static_cast<std::size_t>(tally.rounds) % team.players.size()];
        }
        if (next_ >= rounds_.size()) {
            progress_.next = std::move(round);
            return false;
        }
        const MatchRound& played = rounds_[next_++];
        ++tally.rounds;
        if (round.stage == MatchStage::tieBreak) {
            tally.batches[batch_] = {played.score, played.skips};
        } else {
            tally.score += played.score;
            tally.skips += played.skips;
        }
        return true;
    }

    bool equal(int a, int b) const {
        const TeamTally& first = progress_.teams[static_cast<std::size_t>(a)];
        const TeamTally& second = progress_.teams[static_cast<std::size_t>(b)];
        return !standsBefore(first, second) && !standsBefore(second, first);
    }

    std::vector<int> ranked() const {
        std::vector<int> order(static_cast<std::size_t>(teamCount_));
        for (int team = 0; team < teamCount_; ++team) order[static_cast<std::size_t>(team)] = team;
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return standsBefore(progress_.teams[static_cast<std::size_t>(a)], progress_.teams[static_cast<std::size_t>(b)]);
        });
        return order;
    }

    const MatchSetup& setup_;
    const std::vector<MatchRound>& rounds_;
    const int teamCount_;
    MatchProgress progress_;
    NextRound afterRegular_;
    std::size_t next_ = 0;
    int batch_ = 0;
};

}  // namespace

bool standsBefore(const TeamTally& a, const TeamTally& b) {
    if (a.score != b.score) return a.score > b.score;
    if (a.skips != b.skips) return a.skips < b.skips;
    for (const auto& [batch, mine] : a.batches) {
        const auto theirs = b.batches.find(batch);
        if (theirs == b.batches.end()) continue;
        if (mine.score != theirs->second.score) return mine.score > theirs->second.score;
        if (mine.skips != theirs->second.skips) return mine.skips < theirs->second.skips;
    }
    return false;
}

MatchProgress replayMatch(const MatchSetup& setup, const std::vector<MatchRound>& rounds) {
    return Replay(setup, rounds).run();
}

std::int32_t shortCountdownSeconds(std::int32_t hostSeconds) {
    return std::min(hostSeconds, std::max<std::int32_t>(kMinimumShortCountdown, hostSeconds / 2));
}

}  // namespace caici
