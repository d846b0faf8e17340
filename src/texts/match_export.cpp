#include "texts/match_export.h"

#include "texts/user_texts.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace caici {
namespace {

// A cell quoted where the text needs it. Words and team names come from
// files anyone can edit: a cell a spreadsheet would take for a formula is
// kept as text by a leading apostrophe.
std::string cell(const std::string& text) {
    std::string value = text;
    if (!value.empty() && std::string("=+-@\t\r").find(value.front()) != std::string::npos) value.insert(0, "'");
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::correct: return "正确";
    case Verdict::skipped: return "跳过";
    case Verdict::missed: return "未猜出";
    case Verdict::foul: return "犯规";
    }
    return "";
}

// Seconds with one decimal: "3.2".
std::string secondsText(std::int64_t milliseconds) {
    const std::int64_t tenths = (milliseconds + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string teamCell(const Match& match, int team) {
    return cell(match.teams().at(static_cast<std::size_t>(team)));
}

// The players' table and the awards, when the teams named players.
std::string playersCsv(const Match& match) {
    const std::vector<PlayerStats> players = match.playerStats();
    if (players.empty()) return {};
    std::string csv = "\r\n队伍,队员,表演轮数,表演得分,答对词数,中位用时(秒)\r\n";
    for (const PlayerStats& player : players) {
        csv += teamCell(match, player.team) + "," + cell(player.player) + "," + std::to_string(player.roundsActed) +
               "," + std::to_string(player.points) + "," + std::to_string(player.correctWords) + "," +
               (player.medianMilliseconds ? secondsText(*player.medianMilliseconds) : std::string()) + "\r\n";
    }
    const Awards awards = match.awards();
    csv += "\r\n奖项,队员,队伍,成绩\r\n";
    for (const PlayerAward& award : awards.bestActor) {
        csv += "最佳表演," + cell(award.player) + "," + teamCell(match, award.team) + "," + std::to_string(award.points) +
               "分\r\n";
    }
    for (const PlayerAward& award : awards.fastest) {
        csv += "神速," + cell(award.player) + "," + teamCell(match, award.team) + "," +
               secondsText(award.medianMilliseconds) + "秒\r\n";
    }
    return csv;
}

}  // namespace

std::string matchCsv(const Match& match) {
    std::string csv = "\xEF\xBB\xBF";
    for (std::size_t column = 0; column < standingsTitles.size(); ++column) {
        csv += (column == 0 ? "" : ",") + std::string(standingsTitles[column]);
    }
    csv += "\r\n";
    for (const Standing& team : match.standings()) {
        csv += std::to_string(team.rank) + (team.tied ? "（并列）" : "") + "," + cell(team.name) + "," +
               std::to_string(team.score) + "," + std::to_string(team.skips) + "," + std::to_string(team.rounds) +
               "\r\n";
    }
    csv += "\r\n轮次,队名,词,分值,结果\r\n";
    int number = 0;
    for (const MatchRound& round : match.rounds()) {
        ++number;
        const std::string team = cell(match.teams().at(static_cast<std::size_t>(round.team)));
        for (const ReviewEntry& entry : round.entries) {
            csv += std::to_string(number) + "," + team + "," + cell(entry.entry.word) + "," + std::to_string(entry.entry.points) +
                   "," + verdictText(entry.verdict) + "\r\n";
        }
    }
    return csv + playersCsv(match);
}

}  // namespace caici
