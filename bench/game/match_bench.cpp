// What a match costs between two rounds: keeping a reviewed round of 200
// words in the history database (synchronously on disk, as the game does)
// and ranking 12 teams for the scoreboard. Both must stay far below what a
// player could notice.

#include "game/match.h"
#include "game/match_store.h"
#include "texts/user_texts.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace caici {
namespace {

constexpr int teamCount = 12;

std::vector<std::string> teamNames() {
    std::vector<std::string> names;
    for (int place = 1; place <= teamCount; ++place) names.push_back(defaultTeamName(place));
    return names;
}

MatchRound roundOf(int team, int words) {
    MatchRound round{team, 0, 0, false, {}};
    for (int index = 0; index < words; ++index) {
        const Verdict verdict = index % 3 == 0 ? Verdict::skipped : Verdict::correct;
        round.entries.push_back({{"词语" + std::to_string(index), 1 + index % 3}, verdict, verdict, 0});
        if (verdict == Verdict::correct) round.score += 1 + index % 3;
        if (verdict == Verdict::skipped) ++round.skips;
    }
    return round;
}

void BM_CommitRoundOf200Words(benchmark::State& state) {
    QTemporaryDir folder;
    MatchStore store(folder.filePath(QStringLiteral("history.db")).toStdString());
    const std::int64_t match = store.createMatch(teamNames(), 1'000'000);
    const MatchRound round = roundOf(0, static_cast<int>(state.range(0)));
    for (auto _ : state) store.commitRound(match, round, true);
}
BENCHMARK(BM_CommitRoundOf200Words)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RankTwelveTeams(benchmark::State& state) {
    // Three passes played, with equal scores for some teams so that the
    // tie rule (fewer skips) has work to do.
    Match match(1, teamNames(), 3);
    for (int round = 0; round < teamCount * 3; ++round) {
        MatchRound played = roundOf(round % teamCount, 20);
        played.score = (round % teamCount) / 2 * 3;
        played.skips = round % 4;
        played.entries.clear();
        match.add(std::move(played));
    }
    for (auto _ : state) benchmark::DoNotOptimize(match.standings());
}
BENCHMARK(BM_RankTwelveTeams)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace caici
