// caici-wordlib [--json] [FILE | FOLDER]: loads a word library exactly as the
// game does (a FILE of any format the game reads, or the words.* of FOLDER)
// and shows what the game would see: the sheet names, the query, the word
// entries with their forbidden words, every problem by sheet, row and column
// ("动物 第17行 分值: 'abc' 不是整数", "动物 第17行 禁词: '高' 重复了"), and
// what the load left out (entries the game cannot play:
// words too long, points that are no whole number of at least 1; blank rows;
// sheets the game does not read). The output is written as it
// is found, so that the checker needs little more than the load itself.
// Exit status: 0 when the load succeeded, 1 when it failed, 2 for bad usage.

#include "workbook/left_out.h"
#include "workbook/library_check.h"
#include "words/play_order.h"
#include "workbook/library_location.h"
#include "workbook/reader_location.h"
#include "workbook/word_library.h"
#include "texts/user_texts.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kLoaded = 0;
constexpr int kLoadFailed = 1;
constexpr int kBadUsage = 2;

constexpr std::string_view kUsage =
    "用法：caici-wordlib [--json] [词库文件 | 文件夹]\n"
    "按游戏的方式读取词库文件（.xlsx .xls .ods .csv .tsv），或文件夹里的 words.*（默认当前文件夹），\n"
    "列出工作表、查询语句、词条，以及每个问题所在的工作表、行和列。\n";

struct Report {
    std::string workbook;
    std::vector<std::string> sheets;
    std::vector<std::string> sql;
    std::vector<caici::WordEntry> entries;
    std::vector<caici::EntryOrigin> origins;
    caici::LeftOutRows leftOut;
    std::optional<std::string> warning;
    std::optional<std::string> error;

    caici::LoadedLibrary loaded() const {
        return caici::LoadedLibrary{sheets, entries, origins, leftOut, caici::forbiddenProblemText};
    }
};

std::string jsonText(const nlohmann::ordered_json& value) {
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

nlohmann::ordered_json textOrNull(const std::optional<std::string>& text) {
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

// One JSON object written field by field and array item by array item: a
// library of a million rows has a million entries and as many problems, and
// the whole document built in memory first took gigabytes.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) { out_ << '{'; }

    void field(std::string_view name, const nlohmann::ordered_json& value) {
        key(name);
        out_ << jsonText(value);
    }
    void beginArray(std::string_view name) {
        key(name);
        out_ << '[';
        firstItem_ = true;
    }
    void item(const nlohmann::ordered_json& value) {
        out_ << (firstItem_ ? "\n    " : ",\n    ") << jsonText(value);
        firstItem_ = false;
    }
    void endArray() { out_ << (firstItem_ ? "]" : "\n  ]"); }
    void endObject() { out_ << "\n}\n"; }

private:
    void key(std::string_view name) {
        out_ << (firstField_ ? "\n  " : ",\n  ") << jsonText(std::string(name)) << ": ";
        firstField_ = false;
    }

    std::ostream& out_;
    bool firstField_ = true;
    bool firstItem_ = true;
};

nlohmann::ordered_json entryJson(const caici::WordEntry& entry) {
    return {{"word", entry.word},
            {"points", entry.points},
            {"sheet", entry.sheet},
            {"row", entry.row},
            {"forbidden", entry.forbidden}};
}

nlohmann::ordered_json problemJson(const Report& report, const caici::PlacedProblem& problem) {
    nlohmann::ordered_json item = {{"sheet", problem.sheet},
                                   {"row", problem.row},
                                   {"column", problem.column},
                                   {"message", problem.message},
                                   {"text", caici::placedProblemText(problem)}};
    if (problem.entry) {
        item["index"] = *problem.entry;
        item["entry"] = entryJson(report.entries.at(*problem.entry));
    }
    return item;
}

void printJson(const Report& report) {
    JsonWriter out(std::cout);
    out.field("workbook", report.workbook);
    out.field("sheets", report.sheets);
    out.field("sql", report.sql);
    out.beginArray("entries");
    for (const auto& entry : report.entries) out.item(entryJson(entry));
    out.endArray();
    out.beginArray("problems");
    caici::forEachLibraryProblem(report.loaded(),
                                 [&](const caici::PlacedProblem& problem) { out.item(problemJson(report, problem)); });
    out.endArray();
    out.beginArray("tooLong");
    for (const auto& left : report.leftOut.entries) {
        if (left.wordFault != caici::WordFault::tooLong) continue;
        out.item({{"sheet", left.sheet},
                  {"row", left.row},
                  {"word", left.word},
                  {"points", left.points},
                  {"length", left.wordLength}});
    }
    out.endArray();
    out.beginArray("leftOut");
    for (const auto& left : report.leftOut.entries) {
        nlohmann::ordered_json problems = nlohmann::ordered_json::array();
        for (const auto& problem : caici::leftOutProblems(left)) problems.push_back(caici::placedProblemText(problem));
        out.item({{"sheet", left.sheet},
                  {"row", left.row},
                  {"word", left.word},
                  {"points", left.points},
                  {"problems", problems}});
    }
    out.endArray();
    out.field("blankRows", report.leftOut.blankRows);
    out.field("warning", textOrNull(report.warning));
    out.field("error", textOrNull(report.error));
    out.endObject();
}

// Why an entry is left out: "分值: 'abc' 不是整数".
std::string leftOutReasons(const caici::LeftOutEntry& left) {
    std::string reasons;
    for (const auto& problem : caici::leftOutProblems(left)) {
        if (!reasons.empty()) reasons += "；";
        reasons += problem.column + ": " + problem.message;
    }
    return reasons;
}

void printText(const Report& report) {
    std::cout << "词库文件：" << report.workbook << '\n';
    std::cout << "工作表（" << report.sheets.size() << "）：\n";
    for (const auto& sheet : report.sheets) std::cout << "  " << sheet << '\n';
    std::cout << "查询语句：\n";
    for (const auto& line : report.sql) std::cout << "  " << line << '\n';
    std::cout << "词条（" << report.entries.size() << "）：\n";
    for (std::size_t at = 0; at < report.entries.size(); ++at) {
        const auto& entry = report.entries[at];
        std::cout << "  [" << at << "] " << entry.word << '|' << entry.points;
        for (std::size_t item = 0; item < entry.forbidden.size(); ++item) {
            std::cout << (item == 0 ? "  禁词: " : "、") << entry.forbidden[item];
        }
        std::cout << '\n';
    }
    // The problems are found twice rather than kept: once for the count
    // above the list, once for the list.
    std::size_t problems = 0;
    caici::forEachLibraryProblem(report.loaded(), [&](const caici::PlacedProblem&) { ++problems; });
    std::cout << "问题（" << problems << "）：\n";
    caici::forEachLibraryProblem(report.loaded(), [](const caici::PlacedProblem& problem) {
        std::cout << "  " << caici::placedProblemText(problem) << '\n';
    });
    if (report.error) {
        std::cout << "错误：" << *report.error << '\n';
        return;
    }
    std::cout << "没有放进游戏的词条（" << report.leftOut.entries.size() << "）：\n";
    for (const auto& left : report.leftOut.entries) {
        std::cout << "  工作表“" << left.sheet << "”第 " << left.row << " 行（" << leftOutReasons(left)
                  << "）：" << left.word << '|' << left.points << '\n';
    }
    if (report.leftOut.blankRows > 0) {
        std::cout << "跳过的空行（没有名称也没有分值）：" << report.leftOut.blankRows << '\n';
    }
    if (report.warning) std::cout << "警告：" << *report.warning << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::optional<std::string> target;
    for (int at = 1; at < argc; ++at) {
        const std::string_view arg = argv[at];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return kLoaded;
        } else if ((arg.size() > 1 && arg.front() == '-') || target) {
            std::cerr << kUsage;
            return kBadUsage;
        } else {
            target = std::string(arg);
        }
    }
    std::string path = target.value_or(".");
    if (path.empty()) path = ".";
    std::error_code notFolder;
    const bool folder = std::filesystem::is_directory(path, notFolder) && !caici::isLibraryFileName(path);
    if (folder && path.back() != '/') path += '/';

    caici::WordLists lists;
    caici::WordLibrary library(folder ? path : std::string("./"), caici::readerBesideRunningProgram());
    Report report;
    try {
        if (folder) {
            library.load(lists);
        } else {
            library.useFile(path, lists);
        }
    } catch (const std::exception& error) {
        report.error = error.what();
    }
    report.workbook = folder ? library.workbookPath() : path;
    report.sheets = library.sheetNames();
    report.sql = library.sqlLines();
    report.entries = lists.library();
    if (library.libraryLoaded()) {
        report.origins = library.entryOrigins();
        report.leftOut = library.leftOut();
        report.warning = library.loadWarning();
    }

    if (json) {
        printJson(report);
    } else {
        printText(report);
    }
    return report.error ? kLoadFailed : kLoaded;
}
