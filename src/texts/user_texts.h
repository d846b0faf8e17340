#pragma once
// The host's sentences for what the game reports as facts: its problems, the
// reasons it gives for a command it does not take, and the team names a new
// match starts with. Every view takes its wording from here, so the error
// box, the match dialog and the phone never word one fact two ways. Texts
// are UTF-8 and end their sentence.

#include "game/commands.h"
#include "game/match.h"
#include "game/problem.h"
#include "words/forbidden_words.h"
#include "words/tonight_words.h"

#include <array>
#include <string>
#include <vector>

namespace caici {

std::string problemText(const Problem& problem);
std::string teamNamesText(const TeamNamesProblem& problem);
// Why a device's command was not carried out.
std::string refusalText(Refusal refusal);

// What is wrong with an item of a 禁词 list, said after the column's name
// ("禁词: '高' 重复了") as the library checker and the panel of words show it;
// a clause, so it has no full stop.
std::string forbiddenProblemText(const ForbiddenProblem& problem);
// Why a word of tonight's was not taken, and what became of one that was.
std::string tonightProblemText(const TonightProblem& problem);
std::string tonightRefusalText(const TonightRefusal& refusal);
std::string tonightAddedText(const std::string& word);
std::string tonightSavedText(const std::string& word);
std::string tonightRemovedText(const std::string& word);
// A phone that sends words faster than anyone types them.
std::string tonightTooFastText();
// A word's forbidden words as every view shows them under the word:
// "禁：脖子 · 高 · 动物园"; nothing for a word without any.
std::string forbiddenWordsText(const std::vector<std::string>& forbidden);

// A round kind's name ("描述", "比划", "一个词", "声音", "禁词") and its rule in
// one line, as the rule card, the dialogs and the phone show them.
std::string roundKindName(RoundKind kind);
std::string roundKindRule(RoundKind kind);
// What the next round of a match is, said on the scoreboard: "加赛", "决赛".
std::string matchStageName(MatchStage stage);
std::string matchSetupText(const MatchSetupProblem& problem);

// The names "第1队", "第2队", … the set-up starts with (place from 1).
std::string defaultTeamName(int place);

// The standings' column titles, on the scoreboard and in the exported table.
inline constexpr std::array<const char*, 5> standingsTitles{"名次", "队名", "总分", "跳过", "轮数"};

}  // namespace caici
