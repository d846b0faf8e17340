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

Match::Match(std::int64_t id, std::vector<std::string> teams, int passes, std::vector<MatchRound> rounds)
    : id_(id), teams_(std::move(teams)), passes_(std::max(1, passes)), rounds_(std::move(rounds)) {}

int Match::nextTeam() const {
    return static_cast<int>(rounds_.size() % teams_.size());
}

int Match::pass() const {
    return static_cast<int>(rounds_.size() / teams_.size()) + 1;
}

bool Match::finished() const {
    return rounds_.size() >= teams_.size() * static_cast<std::size_t>(passes_);
}

void Match::add(MatchRound round) {
    rounds_.push_back(std::move(round));
}

std::vector<Standing> Match::standings() const {
    std::vector<Standing> teams;
    for (std::size_t i = 0; i < teams_.size(); ++i) teams.push_back({static_cast<int>(i), teams_[i]});
    for (const MatchRound& round : rounds_) {
        Standing& team = teams.at(static_cast<std::size_t>(round.team));
        team.score += round.score;
        team.skips += round.skips;
        ++team.rounds;
    }
    return rankTeams(std::move(teams));
}

}  // namespace caici
