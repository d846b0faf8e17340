#include "texts/user_texts.h"

#include "game/match.h"
#include "words/word_length.h"

#include <cstddef>
#include <string>
#include <vector>
#include <variant>

namespace caici {
namespace {

std::string busyText(LibraryBusy::Input input) {
    return input == LibraryBusy::Input::choose ? "词库正在读取，请稍候再选择。" : "词库正在读取，请稍候再开始。";
}

// Turns each fact into its sentence; std::visit picks the overload.
struct Sentence {
    std::string operator()(const Worded& worded) const { return worded.text; }
    std::string operator()(const LibraryBusy& busy) const { return busyText(busy.input); }
    std::string operator()(const NothingChosen&) const {
        return "所选的类别和分值里没有词。请在“游戏规则和设置”里多选一些类别或分值，再开始游戏。";
    }
    std::string operator()(const TeamNamesProblem& names) const { return teamNamesText(names); }
    std::string operator()(const MatchSetupProblem& setup) const { return matchSetupText(setup); }
    std::string operator()(const HistoryMovedAside& moved) const {
        return "比赛记录文件已损坏，已改名为 " + moved.aside + " 保留下来；新的比赛记录从头开始。";
    }
    std::string operator()(const HistoryNotKept& notKept) const {
        return "比赛记录无法保存在 " + notKept.path + "（" + notKept.reason +
               "）。本次游戏照常进行，但比赛成绩不会保存，请把成绩记在纸上。";
    }
    std::string operator()(const TonightMovedAside& moved) const {
        return "今晚的词的文件已损坏，已改名为 " + moved.aside + " 保留下来；今晚的词从头开始。";
    }
    std::string operator()(const TonightNotKept& notKept) const {
        return "今晚的词无法保存（" + notKept.reason + "）。本次游戏照常进行，但添加的词下次启动时不会再有。";
    }
};

std::string inQuotes(const std::string& word) {
    return "“" + word + "”";
}

}  // namespace

std::string tonightProblemText(const TonightProblem& problem) {
    const std::string cap = std::to_string(kMaxWordLength);
    switch (problem.fault) {
    case TonightFault::blank: return "请先填上词语（只有空格不算）。";
    case TonightFault::tooLong:
        return "词语有 " + std::to_string(problem.length) + " 个字，最多 " + cap + " 个字。";
    case TonightFault::controlCharacter:
        return "词语或禁词里有换行或控制字符，屏幕上显示不出来。";
    case TonightFault::points:
        return "分值要在 " + std::to_string(tonightMinPoints) + " 到 " + std::to_string(tonightMaxPoints) + " 之间。";
    case TonightFault::inLibrary:
        return inQuotes(problem.word) + "已在词库的“" + problem.sheet + "”里，不用再加。";
    case TonightFault::alreadyTonight: return inQuotes(problem.word) + "已在今晚的词里。";
    case TonightFault::forbidden:
        // The checker's own wording, so a list is faulted alike in a file and in the panel.
        return problem.forbidden ? "禁词：" + forbiddenProblemText(*problem.forbidden) + "。" : std::string();
    case TonightFault::forbiddenTooLong:
        return "禁词" + inQuotes(problem.item) + "太长了，最多 " + cap + " 个字。";
    case TonightFault::full:
        return "今晚的词已有 " + std::to_string(maxTonightWords) + " 个，请先删掉一些。";
    case TonightFault::noSuchWord: return "这个词已经不在今晚的词里了。";
    case TonightFault::notSaved: return "没有保存成功（" + problem.item + "），今晚的词没有改动。";
    }
    return {};
}

std::string tonightRefusalText(const TonightRefusal& refusal) {
    if (const auto* problem = std::get_if<TonightProblem>(&refusal)) return tonightProblemText(*problem);
    const Refusal why = std::get<Refusal>(refusal);
    if (why == Refusal::roundRunning) return "这一轮进行中不能加词，请在这一轮结束后再加。";
    return refusalText(why);
}

std::string tonightAddedText(const std::string& word) {
    return "已添加" + inQuotes(word) + "，下一轮起出题。";
}

std::string tonightSavedText(const std::string& word) {
    return "已保存" + inQuotes(word) + "，下一轮起按新的出题。";
}

std::string tonightRemovedText(const std::string& word) {
    return "已删除" + inQuotes(word) + "。";
}

std::string tonightTooFastText() {
    return "加词太快了，请稍等几秒再加。";
}

std::string problemText(const Problem& problem) {
    return std::visit(Sentence{}, problem);
}

std::string teamNamesText(const TeamNamesProblem& problem) {
    using Fault = TeamNamesProblem::Fault;
    const std::string place = "第" + std::to_string(problem.team + 1) + "个队名";
    switch (problem.fault) {
    case Fault::teamCount:
        return "一场比赛要有 " + std::to_string(minTeams) + " 到 " + std::to_string(maxTeams) + " 个队。";
    case Fault::empty: return place + "是空的，请填上队名。";
    case Fault::blanksOnly: return place + "只有空格，请填上队名。";
    case Fault::tooLong:
        return place + "“" + problem.name + "”太长了，最多 " + std::to_string(maxTeamNameLength) + " 个字。";
    case Fault::duplicate: return "队名“" + problem.name + "”重复了，每个队要有自己的名字。";
    }
    return {};
}

std::string roundKindName(RoundKind kind) {
    switch (kind) {
    case RoundKind::describe: return "描述";
    case RoundKind::act: return "比划";
    case RoundKind::oneWord: return "一个词";
    case RoundKind::sounds: return "声音";
    case RoundKind::forbidden: return "禁词";
    }
    return {};
}

std::string roundKindRule(RoundKind kind) {
    switch (kind) {
    case RoundKind::describe: return "用语言描述，不能说出词语本身。";
    case RoundKind::act: return "只能比划动作，不能出声。";
    case RoundKind::oneWord: return "每次提示只能说一个词。";
    case RoundKind::sounds: return "只能发出声音，不能说话。";
    case RoundKind::forbidden: return "用语言描述，不能说出词语和它的禁词。";
    }
    return {};
}

std::string matchStageName(MatchStage stage) {
    switch (stage) {
    case MatchStage::regular: return "比赛";
    case MatchStage::tieBreak: return "加赛";
    case MatchStage::final: return "决赛";
    }
    return {};
}

std::string matchSetupText(const MatchSetupProblem& problem) {
    using Fault = MatchSetupProblem::Fault;
    const std::string team = "第" + std::to_string(problem.team + 1) + "队";
    switch (problem.fault) {
    case Fault::targetScore:
        return "目标分要在 " + std::to_string(minTargetScore) + " 到 " + std::to_string(maxTargetScore) + " 之间。";
    case Fault::forbiddenWithoutWords: return "玩法里有“禁词”，但在用的词语都没有禁词。请换用带禁词的词库，或选别的玩法。";
    case Fault::playerEmpty: return team + "的第" + std::to_string(problem.player + 1) + "位队员没有名字。";
    case Fault::playerTooLong:
        return team + "的队员“" + problem.name + "”名字太长，最多 " + std::to_string(maxPlayerNameLength) + " 个字。";
    case Fault::playerDuplicate: return team + "里有两位队员都叫“" + problem.name + "”。";
    case Fault::tooManyPlayers: return team + "最多 " + std::to_string(maxPlayersPerTeam) + " 位队员。";
    }
    return {};
}

std::string refusalText(Refusal refusal) {
    switch (refusal) {
    case Refusal::busy: return "游戏正忙，请稍候。";
    case Refusal::roundRunning: return "这一轮还在进行，结束后才能开始下一轮。";
    case Refusal::noRound: return "现在没有进行中的一轮。";
    case Refusal::paused: return "这一轮已暂停，继续后才能按。";
    case Refusal::pressOff: return "剩余时间太少，这一轮不能再跳过。";
    case Refusal::skipCap: return "这一轮已到跳过上限，不能再跳过。";
    case Refusal::noReview: return "现在没有等待确认的回合回顾。";
    case Refusal::noSuchEntry: return "回顾里没有这一行。";
    }
    return {};
}

std::string forbiddenProblemText(const ForbiddenProblem& problem) {
    const std::string item = "'" + problem.item + "'";
    switch (problem.fault) {
    case ForbiddenFault::emptyItem: return "有一项是空的，多了一个分隔符";
    // The describer never says the word itself; listing it adds nothing.
    case ForbiddenFault::sameAsWord: return item + " 就是这个词本身，不用列为禁词";
    case ForbiddenFault::repeated: return item + " 重复了";
    case ForbiddenFault::tooMany:
        return "多于 " + std::to_string(maxForbiddenWords) + " 个，从 " + item + " 起不算";
    }
    return {};
}

std::string forbiddenWordsText(const std::vector<std::string>& forbidden) {
    if (forbidden.empty()) return {};
    std::string text = "禁：";
    for (std::size_t at = 0; at < forbidden.size(); ++at) text += (at == 0 ? "" : " · ") + forbidden[at];
    return text;
}

std::string defaultTeamName(int place) {
    return "第" + std::to_string(place) + "队";
}

}  // namespace caici
