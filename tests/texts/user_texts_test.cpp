// The sentences every view shows for the game's facts, each checked once
// here, and the match table a spreadsheet program opens.

#include "texts/match_export.h"
#include "texts/user_texts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace caici {
namespace {

// Each fact reads as the host has always read it, in every view alike.
TEST(UserTexts, EachFactHasItsSentence) {
    using Fault = TeamNamesProblem::Fault;
    const struct {
        Problem problem;
        const char* sentence;
    } cases[] = {
        {Worded{"词库文件 words.xls 不存在。"}, "词库文件 words.xls 不存在。"},
        {LibraryBusy{LibraryBusy::Input::load}, "词库正在读取，请稍候再开始。"},
        {LibraryBusy{LibraryBusy::Input::browse}, "词库正在读取，请稍候再开始。"},
        {LibraryBusy{LibraryBusy::Input::choose}, "词库正在读取，请稍候再选择。"},
        {NothingChosen{}, "所选的类别和分值里没有词。请在“游戏规则和设置”里多选一些类别或分值，再开始游戏。"},
        {TeamNamesProblem{Fault::teamCount, 13, {}}, "一场比赛要有 2 到 12 个队。"},
        {TeamNamesProblem{Fault::empty, 1, {}}, "第2个队名是空的，请填上队名。"},
        {TeamNamesProblem{Fault::blanksOnly, 0, "  "}, "第1个队名只有空格，请填上队名。"},
        {TeamNamesProblem{Fault::tooLong, 1, "一二三四五六七八九十一二三四五六七"},
         "第2个队名“一二三四五六七八九十一二三四五六七”太长了，最多 16 个字。"},
        {TeamNamesProblem{Fault::duplicate, 1, "team a"}, "队名“team a”重复了，每个队要有自己的名字。"},
        {HistoryMovedAside{"/h/history.db", "/h/history.db.damaged-1"},
         "比赛记录文件已损坏，已改名为 /h/history.db.damaged-1 保留下来；新的比赛记录从头开始。"},
        {HistoryNotKept{"/h/history.db", "Permission denied"},
         "比赛记录无法保存在 /h/history.db（Permission denied）。本次游戏照常进行，但比赛成绩不会保存，请把成绩记在纸上。"},
    };
    for (const auto& c : cases) EXPECT_EQ(problemText(c.problem), c.sentence);
    EXPECT_EQ(refusalText(Refusal::pressOff), "剩余时间太少，这一轮不能再跳过。");
    EXPECT_EQ(defaultTeamName(3), "第3队");
}

// The export opens in a spreadsheet program: UTF-8 with a byte order mark,
// quoted where needed, and a name that looks like a formula stays text.
TEST(MatchExport, ACsvASpreadsheetOpensAsText) {
    Match match(1, {"红队", "=SUM(A1)"}, 1);
    match.add({0, 3, 1, false, {{{"大象", 3}, Verdict::correct, Verdict::correct, 0}, {{"a,\"b\"", 2}, Verdict::skipped, Verdict::skipped, 0}}});
    match.add({1, 3, 1, false, {{{"猫", 1}, Verdict::missed, Verdict::missed, 0}}});
    const std::string csv = matchCsv(match);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF名次,队名,总分,跳过,轮数\r\n", 0), 0u);
    EXPECT_NE(csv.find("1（并列）,红队,3,1,1\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("1（并列）,'=SUM(A1),3,1,1\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("1,红队,\"a,\"\"b\"\"\",2,跳过\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("2,'=SUM(A1),猫,1,未猜出\r\n"), std::string::npos) << csv;
}

// With named players the export ends in the players' table (rounds acted,
// their points, words guessed, the median time to 正确) and the awards; a
// player who never acted still has a line.
TEST(MatchExport, PlayersAndAwards) {
    MatchSetup setup;
    setup.teams = {{"红队", 0, {"阿", "波"}}, {"蓝队", 1, {"车"}}};
    setup.rules.passes = 1;
    Match match(1, setup);
    std::vector<ReviewEntry> quick;
    for (const std::int64_t ms : {1200, 800, 2000, 1000, 1500}) {
        quick.push_back({{"词", 1}, Verdict::correct, Verdict::correct, 0, 0, ms});
    }
    MatchRound red{0, 5, 0, false, quick};
    red.actor = "阿";
    match.add(red);
    MatchRound blue{1, 2, 1, false, {{{"猫", 2}, Verdict::correct, Verdict::correct, 0, 0, 3000}}};
    blue.actor = "车";
    match.add(blue);

    const std::string csv = matchCsv(match);
    EXPECT_NE(csv.find("\r\n\r\n队伍,队员,表演轮数,表演得分,答对词数,中位用时(秒)\r\n"
                       "红队,阿,1,5,5,1.2\r\n红队,波,0,0,0,\r\n蓝队,车,1,2,1,3.0\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n\r\n奖项,队员,队伍,成绩\r\n最佳表演,阿,红队,5分\r\n神速,阿,红队,1.2秒\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(matchCsv(Match(2, {"红队", "蓝队"}, 1)).find("队员"), std::string::npos);
}

}  // namespace
}  // namespace caici
