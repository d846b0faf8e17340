#include "game/match_rules.h"

#include "common/ascii.h"
#include "common/utf8_count.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <optional>
#include <string>

namespace caici {
namespace {

// A name of blanks only names nobody; U+3000 is the blank a Chinese keyboard types.
bool blankName(const std::string& name) {
    std::string rest = name;
    for (std::size_t at = rest.find("\u3000"); at != std::string::npos; at = rest.find("\u3000")) rest.erase(at, 3);
    return std::all_of(rest.begin(), rest.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

std::optional<MatchSetupProblem> playersProblem(const MatchTeam& team, std::size_t place) {
    using Fault = MatchSetupProblem::Fault;
    if (team.players.size() > maxPlayersPerTeam) {
        return MatchSetupProblem{Fault::tooManyPlayers, place, maxPlayersPerTeam, team.players[maxPlayersPerTeam]};
    }
    for (std::size_t i = 0; i < team.players.size(); ++i) {
        const std::string& name = team.players[i];
        if (blankName(name)) return MatchSetupProblem{Fault::playerEmpty, place, i, name};
        if (codePointCount(name) > maxPlayerNameLength) return MatchSetupProblem{Fault::playerTooLong, place, i, name};
        for (std::size_t j = 0; j < i; ++j) {
            if (asciiLowered(team.players[j]) == asciiLowered(name)) {
                return MatchSetupProblem{Fault::playerDuplicate, place, i, name};
            }
        }
    }
    return std::nullopt;
}

}  // namespace

RoundKind kindOfPass(const MatchRules& rules, int pass) {
    if (rules.kinds.empty()) return RoundKind::describe;
    const std::size_t at = static_cast<std::size_t>(std::max(1, pass) - 1);
    return rules.kinds[std::min(at, rules.kinds.size() - 1)];
}

std::optional<MatchSetupProblem> matchSetupProblem(const MatchSetup& setup, bool wordsHaveForbidden) {
    using Fault = MatchSetupProblem::Fault;
    const MatchRules& rules = setup.rules;
    if (rules.end == MatchEnd::targetScore &&
        (rules.targetScore < minTargetScore || rules.targetScore > maxTargetScore)) {
        return MatchSetupProblem{Fault::targetScore, 0, 0, std::to_string(rules.targetScore)};
    }
    const bool forbiddenKind =
        std::find(rules.kinds.begin(), rules.kinds.end(), RoundKind::forbidden) != rules.kinds.end();
    if (forbiddenKind && !wordsHaveForbidden) return MatchSetupProblem{Fault::forbiddenWithoutWords, 0, 0, {}};
    for (std::size_t place = 0; place < setup.teams.size(); ++place) {
        if (auto problem = playersProblem(setup.teams[place], place)) return problem;
    }
    return std::nullopt;
}

}  // namespace caici
