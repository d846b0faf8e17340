#pragma once
// The host's sentences for what the game reports as facts: its problems, the
// reasons it gives for a command it does not take, and the team names a new
// match starts with. Every view takes its wording from here, so the error
// box, the match dialog and the phone never word one fact two ways. Texts
// are UTF-8 and end their sentence.

#include "game/commands.h"
#include "game/problem.h"

#include <array>
#include <string>
#include <vector>

namespace caici {

std::string problemText(const Problem& problem);
std::string teamNamesText(const TeamNamesProblem& problem);
// Why a device's command was not carried out.
std::string refusalText(Refusal refusal);

// A word's forbidden words as every view shows them under the word:
// "禁：脖子 · 高 · 动物园"; nothing for a word without any.
std::string forbiddenWordsText(const std::vector<std::string>& forbidden);

// The names "第1队", "第2队", … the set-up starts with (place from 1).
std::string defaultTeamName(int place);

// The standings' column titles, on the scoreboard and in the exported table.
inline constexpr std::array<const char*, 5> standingsTitles{"名次", "队名", "总分", "跳过", "轮数"};

}  // namespace caici
