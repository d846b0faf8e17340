#include "game/match.h"

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

RoundKind kindOfPass(const MatchRules& rules, int pass) {
    if (rules.kinds.empty()) return RoundKind::describe;
    const std::size_t at = static_cast<std::size_t>(std::max(1, pass) - 1);
    return rules.kinds[std::min(at, rules.kinds.size() - 1)];
}

std::optional<MatchSetupProblem> matchSetupProblem(const MatchSetup&, bool) {
    return std::nullopt;
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
    const std::size_t teams = names_.size();
    if (rounds_.size() >= teams * static_cast<std::size_t>(passes())) return std::nullopt;
    NextRound round;
    round.team = static_cast<int>(rounds_.size() % teams);
    round.pass = static_cast<int>(rounds_.size() / teams) + 1;
    round.kind = kindOfPass(rules(), round.pass);
    return round;
}

int Match::nextTeam() const {
    const auto round = next();
    return round ? round->team : -1;
}

int Match::pass() const {
    return static_cast<int>(rounds_.size() / names_.size()) + 1;
}

Awards Match::awards() const {
    return {};
}

void Match::add(MatchRound round) {
    rounds_.push_back(std::move(round));
}

std::vector<Standing> Match::standings() const {
    std::vector<Standing> teams;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        Standing team{static_cast<int>(i), names_[i]};
        team.colour = setup_.teams[i].colour;
        teams.push_back(std::move(team));
    }
    for (const MatchRound& round : rounds_) {
        Standing& team = teams.at(static_cast<std::size_t>(round.team));
        team.score += round.score;
        team.skips += round.skips;
        ++team.rounds;
    }
    return rankTeams(std::move(teams));
}

}  // namespace caici
