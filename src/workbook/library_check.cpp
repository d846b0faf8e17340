#include "workbook/library_check.h"

#include "common/number_text.h"
#include "words/word_entry.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace caici {

std::vector<EntryProblem> findEntryProblems(const std::vector<std::string>& entries) {
    std::vector<EntryProblem> problems;
    std::unordered_map<std::string, std::size_t> firstSeen;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::string& entry = entries[index];
        auto report = [&](std::string message) { problems.push_back({index, entry, std::move(message)}); };

        // The round cuts at every "|": field 0 is the word, field 1 the points.
        const EntryFields fields(entry);
        if (fields.count() > 2) report("词语或分值里有“|”，游戏会把它当作分隔符");
        if (fields.at(0).empty()) report("词语是空的");
        const std::string& points = fields.count() > 1 ? fields.at(1) : std::string();
        std::int32_t value = 0;
        if (points.empty()) {
            report("分值是空的");
        } else if (!tryStrToInt(points, value)) {
            report("分值“" + points + "”不是整数");
        } else if (value <= 0) {
            // A correct answer is meant to raise the score.
            report("分值“" + points + "”不是正数，答对了不加分");
        }

        const auto [seen, inserted] = firstSeen.emplace(entry, index);
        if (!inserted) report("与 [" + std::to_string(seen->second) + "] 完全相同");
    }
    return problems;
}

namespace {

constexpr const char* kWordColumn = "名称";
constexpr const char* kPointsColumn = "分值";

// A cell's text between quotes, control characters written out so that the
// report stays one line per problem.
std::string quotedValue(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            const char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[byte >> 4];
            out += digits[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out + "'";
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

std::optional<std::string> cellKindProblem(CellKind kind, std::string_view text) {
    if (kind == CellKind::formulaWithoutResult) {
        return "是公式，但文件里没有保存它的结果：请用电子表格程序打开它，保存一次";
    }
    if (kind == CellKind::error) return quotedValue(text) + " 是错误值";
    return std::nullopt;
}

std::optional<std::string> pointsProblem(CellKind kind, const std::string& points) {
    if (auto problem = cellKindProblem(kind, points)) return *problem + (kind == CellKind::error ? "，不是整数" : "");
    if (points.empty()) return "是空的";
    std::int32_t value = 0;
    if (!tryStrToInt(points, value)) return quotedValue(points) + " 不是整数";
    // A correct answer is meant to raise the score.
    if (value <= 0) return quotedValue(points) + " 不是正数，答对了不加分";
    return std::nullopt;
}

struct Place {
    std::uint32_t sheet;
    std::uint32_t row;
    bool operator<(const Place& other) const {
        return sheet != other.sheet ? sheet < other.sheet : row < other.row;
    }
};

std::string sheetName(const std::vector<std::string>& sheets, std::uint32_t at) {
    return at < sheets.size() ? sheets[at] : std::string();
}

std::string cleanedName(std::string name) {
    std::erase(name, '\'');
    std::erase(name, '$');
    return name;
}

}  // namespace

std::string placedProblemText(const PlacedProblem& problem) {
    std::string text = problem.sheet;
    if (problem.row > 0) text += " 第" + std::to_string(problem.row) + "行";
    if (!problem.column.empty()) text += " " + problem.column;
    return text + ": " + problem.message;
}

std::vector<PlacedProblem> findLibraryProblems(const LoadedLibrary& library) {
    std::vector<PlacedProblem> sheetProblems;
    for (const auto& sheet : library.leftOut.sheets) {
        sheetProblems.push_back(PlacedProblem{
            cleanedName(sheet.name), 0, {},
            sheet.reason == LeftOutSheet::Reason::pastHundred
                ? "是第 100 个以后的工作表，游戏只读前 100 个"
                : "游戏不读名字以“_”开头（或含有“Print_Area”“Print_Titles”“FilterDatabase”）的工作表",
            std::nullopt});
    }

    std::multimap<Place, PlacedProblem> placed;
    auto add = [&](Place place, std::string column, std::string message, std::optional<std::size_t> entry) {
        placed.emplace(place, PlacedProblem{sheetName(library.sheets, place.sheet), place.row, std::move(column),
                                            std::move(message), entry});
    };
    std::map<std::uint32_t, std::uint32_t> lastWordRow;
    std::unordered_map<std::string, Place> firstSeen;
    for (std::size_t at = 0; at < library.entries.size() && at < library.origins.size(); ++at) {
        const EntryOrigin& origin = library.origins[at];
        const Place place{origin.place.sheet, origin.place.row};
        lastWordRow[place.sheet] = std::max(lastWordRow[place.sheet], place.row);
        const EntryFields fields(library.entries[at]);
        if (fields.count() > 2) add(place, {}, "名称或分值里有“|”，游戏会把它当作分隔符", at);
        const std::string& word = fields.at(0);
        if (auto problem = cellKindProblem(origin.word, word)) {
            add(place, kWordColumn, *problem, at);
        } else if (word.empty()) {
            add(place, kWordColumn, "是空的", at);
        } else if (hasControlCharacter(word)) {
            add(place, kWordColumn, quotedValue(word) + " 里有换行或控制字符，屏幕上显示不出来", at);
        }
        const std::string points = fields.count() > 1 ? fields.at(1) : std::string();
        if (auto problem = pointsProblem(origin.points, points)) add(place, kPointsColumn, *problem, at);
        if (!word.empty()) {
            const auto [seen, inserted] = firstSeen.emplace(word, place);
            if (!inserted) {
                add(place, kWordColumn,
                    quotedValue(word) + " 与 " + sheetName(library.sheets, seen->second.sheet) + " 第" +
                        std::to_string(seen->second.row) + "行 重复",
                    at);
            }
        }
    }
    for (const auto& left : library.leftOut.tooLong) {
        const auto sheet = static_cast<std::uint32_t>(
            std::find(library.sheets.begin(), library.sheets.end(), left.sheet) - library.sheets.begin());
        lastWordRow[sheet] = std::max(lastWordRow[sheet], left.row);
        placed.emplace(Place{sheet, left.row},
                       PlacedProblem{left.sheet, left.row, kWordColumn,
                                     "有 " + std::to_string(left.wordLength) + " 个字，超过 " +
                                         std::to_string(kMaxWordLength) + " 个字，游戏不出这个词",
                                     std::nullopt});
    }
    // Blank rows below the last word are formatting, not gaps.
    for (const auto& blank : library.leftOut.blankPlaces) {
        const auto last = lastWordRow.find(blank.sheet);
        if (last != lastWordRow.end() && blank.row < last->second) {
            add(Place{blank.sheet, blank.row}, {}, "是空行，游戏跳过它", std::nullopt);
        }
    }

    for (auto& [place, problem] : placed) sheetProblems.push_back(std::move(problem));
    return sheetProblems;
}

}  // namespace caici
