#include "game/match.h"

#include "game/match_progress.h"

#include "common/ascii.h"
#include "common/utf8_count.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace caici {
namespace {

bool onlyBlanks(const std::string& name) {
    // The full-width blank U+3000 is what a Chinese keyboard types.
    std::string rest = name;
    for (std::size_t at = rest.find("\u3000"); at != std::string::npos; at = rest.find("\u3000")) rest.erase(at, 3);
    return std::all_of(rest.begin(), rest.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

bool ahead(const Standing& a, const Standing& b) {
    if (a.score != b.score) return a.score > b.score;
    return a.skips < b.skips;
}

}  // namespace

std::optional<TeamNamesProblem> teamNamesProblem(const std::vector<std::string>& names) {
    using Fault = TeamNamesProblem::Fault;
    if (names.size() < static_cast<std::size_t>(minTeams) || names.size() > static_cast<std::size_t>(maxTeams)) {
        return TeamNamesProblem{Fault::teamCount, names.size(), {}};
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto fault = [&](Fault kind) { return TeamNamesProblem{kind, i, names[i]}; };
        if (names[i].empty()) return fault(Fault::empty);
        if (onlyBlanks(names[i])) return fault(Fault::blanksOnly);
        if (codePointCount(names[i]) > maxTeamNameLength) return fault(Fault::tooLong);
        for (std::size_t j = 0; j < i; ++j) {
            if (asciiLowered(names[j]) == asciiLowered(names[i])) return fault(Fault::duplicate);
        }
    }
    return std::nullopt;
}

std::vector<Standing> rankTeams(std::vector<Standing> teams) {
    std::stable_sort(teams.begin(), teams.end(), ahead);
    for (std::size_t i = 0; i < teams.size(); ++i) {
        const bool sameAsBefore = i > 0 && !ahead(teams[i - 1], teams[i]);
        teams[i].rank = sameAsBefore ? teams[i - 1].rank : static_cast<int>(i) + 1;
        if (sameAsBefore) teams[i - 1].tied = teams[i].tied = true;
    }
    return teams;
}

Match::Match(std::int64_t id, MatchSetup setup, std::vector<MatchRound> rounds)
    : id_(id), setup_(std::move(setup)), rounds_(std::move(rounds)) {
    setup_.rules.passes = std::max(1, setup_.rules.passes);
    for (const MatchTeam& team : setup_.teams) names_.push_back(team.name);
}

namespace {

MatchSetup plainSetup(std::vector<std::string> teams, int passes) {
    MatchSetup setup;
    for (std::size_t i = 0; i < teams.size(); ++i) setup.teams.push_back({std::move(teams[i]), i % teamPaletteSize, {}});
    setup.rules.passes = passes;
    return setup;
}

}  // namespace

Match::Match(std::int64_t id, std::vector<std::string> teams, int passes, std::vector<MatchRound> rounds)
    : Match(id, plainSetup(std::move(teams), passes), std::move(rounds)) {}

std::optional<NextRound> Match::next() const {
    return replayMatch(setup_, rounds_).next;
}

int Match::nextTeam() const {
    const auto round = next();
    return round ? round->team : -1;
}

int Match::pass() const {
    const MatchProgress progress = replayMatch(setup_, rounds_);
    if (progress.next) return progress.next->pass;
    return progress.regularRounds / static_cast<int>(std::max<std::size_t>(1, names_.size())) + 1;
}

void Match::add(MatchRound round) {
    rounds_.push_back(std::move(round));
}

std::vector<Standing> Match::standings() const {
    const MatchProgress progress = replayMatch(setup_, rounds_);
    std::vector<int> order(names_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    const auto tally = [&](int team) -> const TeamTally& { return progress.teams[static_cast<std::size_t>(team)]; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return standsBefore(tally(a), tally(b)); });
    std::vector<Standing> teams;
    for (std::size_t place = 0; place < order.size(); ++place) {
        const int team = order[place];
        const TeamTally& counted = tally(team);
        Standing standing{team, names_[static_cast<std::size_t>(team)], counted.score, counted.skips, counted.rounds};
        standing.colour = setup_.teams[static_cast<std::size_t>(team)].colour;
        const bool sameAsBefore = place > 0 && !standsBefore(tally(order[place - 1]), counted);
        standing.rank = sameAsBefore ? teams.back().rank : static_cast<int>(place) + 1;
        if (sameAsBefore) standing.tied = teams.back().tied = true;
        teams.push_back(std::move(standing));
    }
    return teams;
}

}  // namespace caici
