#include "texts/match_export.h"

#include "texts/user_texts.h"

#include <cstddef>
#include <string>

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
    return csv;
}

}  // namespace caici
