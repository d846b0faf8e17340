#include "workbook/library_check.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace caici {
namespace {

constexpr const char* kWordColumn = "名称";
constexpr const char* kPointsColumn = "分值";
constexpr const char* kForbiddenColumn = "禁词";

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

constexpr const char* kNoResult = "是公式，但文件里没有保存它的结果：请用电子表格程序打开它，保存一次";

std::string pointsFaultText(PointsFault fault, std::string_view points) {
    switch (fault) {
    case PointsFault::empty:
        return "是空的";
    case PointsFault::formulaWithoutResult:
        return kNoResult;
    case PointsFault::errorValue:
        return quotedValue(points) + " 是错误值，不是整数";
    case PointsFault::notWhole:
        return quotedValue(points) + " 不是整数";
    case PointsFault::notPositive:
        // A correct answer is meant to raise the score.
        return quotedValue(points) + " 不是正数，答对了不加分";
    }
    return {};
}

std::string wordFaultText(WordFault fault, const LeftOutEntry& entry) {
    switch (fault) {
    case WordFault::tooLong:
        return "有 " + std::to_string(entry.wordLength) + " 个字，超过 " + std::to_string(kMaxWordLength) +
               " 个字，游戏不出这个词";
    }
    return {};
}

// The problems of a word in play; its points are good, or it would not be.
std::optional<std::string> wordProblem(CellKind kind, std::string_view word) {
    if (kind == CellKind::formulaWithoutResult) return std::string(kNoResult);
    if (kind == CellKind::error) return quotedValue(word) + " 是错误值";
    if (word.empty()) return "是空的";
    if (hasControlCharacter(word)) return quotedValue(word) + " 里有换行或控制字符，屏幕上显示不出来";
    return std::nullopt;
}

// A 禁词 cell that holds no text gives its entry no forbidden words.
std::optional<std::string> forbiddenCellProblem(CellKind kind) {
    if (kind == CellKind::formulaWithoutResult) return std::string(kNoResult);
    if (kind == CellKind::error) return std::string("是错误值，这个词没有禁词");
    return std::nullopt;
}

std::string sheetName(const std::vector<std::string>& sheets, std::uint32_t at) {
    return at < sheets.size() ? sheets[at] : std::string();
}

std::string cleanedName(std::string name) {
    std::erase(name, '\'');
    std::erase(name, '$');
    return name;
}

bool before(SheetRow a, SheetRow b) {
    return a.sheet != b.sheet ? a.sheet < b.sheet : a.row < b.row;
}

}  // namespace

std::string placedProblemText(const PlacedProblem& problem) {
    std::string text = problem.sheet;
    if (problem.row > 0) text += " 第" + std::to_string(problem.row) + "行";
    if (!problem.column.empty()) text += " " + problem.column;
    return text + ": " + problem.message;
}

std::vector<PlacedProblem> leftOutProblems(const LeftOutEntry& entry) {
    std::vector<PlacedProblem> problems;
    if (entry.wordFault) {
        problems.push_back(
            PlacedProblem{entry.sheet, entry.row, kWordColumn, wordFaultText(*entry.wordFault, entry), std::nullopt});
    }
    if (entry.pointsFault) {
        problems.push_back(PlacedProblem{entry.sheet, entry.row, kPointsColumn,
                                         pointsFaultText(*entry.pointsFault, entry.points), std::nullopt});
    }
    return problems;
}

void forEachLibraryProblem(const LoadedLibrary& library, const ProblemSink& sink) {
    for (const auto& sheet : library.leftOut.sheets) {
        sink(PlacedProblem{cleanedName(sheet.name), 0, {},
                           sheet.reason == LeftOutSheet::Reason::pastHundred
                               ? "是第 100 个以后的工作表，游戏只读前 100 个"
                               : "游戏不读名字以“_”开头（或含有“Print_Area”“Print_Titles”“FilterDatabase”）的工作表",
                           std::nullopt});
    }

    // Blank rows below the last word of their sheet are formatting, not gaps.
    std::vector<std::uint32_t> lastWordRow(library.sheets.size() + 1, 0);
    auto noteWord = [&](SheetRow place) {
        const std::size_t at = std::min<std::size_t>(place.sheet, library.sheets.size());
        lastWordRow[at] = std::max(lastWordRow[at], place.row);
    };
    const std::size_t inPlay = std::min(library.entries.size(), library.origins.size());
    for (std::size_t at = 0; at < inPlay; ++at) noteWord(library.origins[at].place);
    for (const auto& left : library.leftOut.entries) noteWord(SheetRow{left.sheetAt, left.row});

    // The entries in play, those left out and the blank rows each come in
    // load order, sheet by sheet and row by row: merged, the problems come
    // out in that order too, without being gathered first.
    const auto& leftOut = library.leftOut.entries;
    const auto& blanks = library.leftOut.blankPlaces;
    // In load order too, each after its entry.
    const auto& forbidden = library.leftOut.forbidden;
    std::size_t forbiddenAt = 0;
    std::unordered_map<std::string_view, SheetRow> firstSeen;
    std::size_t entryAt = 0;
    std::size_t leftAt = 0;
    std::size_t blankAt = 0;
    while (entryAt < inPlay || leftAt < leftOut.size() || blankAt < blanks.size()) {
        const SheetRow leftPlace = leftAt < leftOut.size() ? SheetRow{leftOut[leftAt].sheetAt, leftOut[leftAt].row}
                                                           : SheetRow{UINT32_MAX, UINT32_MAX};
        const SheetRow blankPlace = blankAt < blanks.size() ? blanks[blankAt] : SheetRow{UINT32_MAX, UINT32_MAX};
        if (entryAt < inPlay && !before(leftPlace, library.origins[entryAt].place) &&
            !before(blankPlace, library.origins[entryAt].place)) {
            const EntryOrigin& origin = library.origins[entryAt];
            const SheetRow place = origin.place;
            const std::string_view word = library.entries[entryAt].word;
            auto add = [&](std::string message) {
                sink(PlacedProblem{sheetName(library.sheets, place.sheet), place.row, kWordColumn, std::move(message),
                                   entryAt});
            };
            if (auto problem = wordProblem(origin.word, word)) add(*problem);
            if (!word.empty()) {
                const auto [seen, inserted] = firstSeen.emplace(word, place);
                if (!inserted) {
                    add(quotedValue(word) + " 与 " + sheetName(library.sheets, seen->second.sheet) + " 第" +
                        std::to_string(seen->second.row) + "行 重复");
                }
            }
            if (auto problem = forbiddenCellProblem(origin.forbidden)) {
                sink(PlacedProblem{sheetName(library.sheets, place.sheet), place.row, kForbiddenColumn,
                                   std::move(*problem), entryAt});
            }
            for (; forbiddenAt < forbidden.size() && forbidden[forbiddenAt].entry == entryAt; ++forbiddenAt) {
                sink(PlacedProblem{sheetName(library.sheets, place.sheet), place.row, kForbiddenColumn,
                                   library.forbiddenText(forbidden[forbiddenAt].problem), entryAt});
            }
            ++entryAt;
        } else if (leftAt < leftOut.size() && !before(blankPlace, leftPlace)) {
            for (const auto& problem : leftOutProblems(leftOut[leftAt])) sink(problem);
            ++leftAt;
        } else {
            const std::size_t sheet = std::min<std::size_t>(blankPlace.sheet, library.sheets.size());
            if (blankPlace.row < lastWordRow[sheet]) {
                sink(PlacedProblem{sheetName(library.sheets, blankPlace.sheet), blankPlace.row, {},
                                   "是空行，游戏跳过它", std::nullopt});
            }
            ++blankAt;
        }
    }
}

}  // namespace caici
