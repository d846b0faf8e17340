#include "texts/user_texts.h"

#include "game/match.h"

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
    std::string operator()(const HistoryMovedAside& moved) const {
        return "比赛记录文件已损坏，已改名为 " + moved.aside + " 保留下来；新的比赛记录从头开始。";
    }
    std::string operator()(const HistoryNotKept& notKept) const {
        return "比赛记录无法保存在 " + notKept.path + "（" + notKept.reason +
               "）。本次游戏照常进行，但比赛成绩不会保存，请把成绩记在纸上。";
    }
};

}  // namespace

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

std::string refusalText(Refusal refusal) {
    switch (refusal) {
    case Refusal::busy: return "游戏正忙，请稍候。";
    case Refusal::roundRunning: return "这一轮还在进行，结束后才能开始下一轮。";
    case Refusal::noRound: return "现在没有进行中的一轮。";
    case Refusal::paused: return "这一轮已暂停，继续后才能按。";
    case Refusal::pressOff: return "剩余时间太少，这一轮不能再跳过。";
    case Refusal::noReview: return "现在没有等待确认的回合回顾。";
    case Refusal::noSuchEntry: return "回顾里没有这一行。";
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
