// caici-wordlib [--json] [FILE | FOLDER]: loads a word library exactly as the
// game does (a FILE of any format the game reads, or the words.* of FOLDER)
// and shows what the game would see: the sheet names, the query, the word
// entries, every problem by sheet, row and column ("动物 第17行 分值: 'abc'
// 不是整数"), and what the load left out (words too long to play, blank
// rows, sheets the game does not read).
// Exit status: 0 when the load succeeded, 1 when it failed, 2 for bad usage.

#include "workbook/left_out.h"
#include "workbook/library_check.h"
#include "words/play_order.h"
#include "workbook/library_location.h"
#include "workbook/reader_location.h"
#include "workbook/word_library.h"

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
    std::vector<std::string> entries;
    std::vector<caici::PlacedProblem> problems;
    caici::LeftOutRows leftOut;
    std::optional<std::string> warning;
    std::optional<std::string> error;
};

nlohmann::ordered_json textOrNull(const std::optional<std::string>& text) {
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

void printJson(const Report& report) {
    nlohmann::ordered_json problems = nlohmann::ordered_json::array();
    for (const auto& problem : report.problems) {
        nlohmann::ordered_json item = {{"sheet", problem.sheet},
                                       {"row", problem.row},
                                       {"column", problem.column},
                                       {"message", problem.message},
                                       {"text", caici::placedProblemText(problem)}};
        if (problem.entry) {
            item["index"] = *problem.entry;
            item["entry"] = report.entries.at(*problem.entry);
        }
        problems.push_back(std::move(item));
    }
    nlohmann::ordered_json tooLong = nlohmann::ordered_json::array();
    for (const auto& left : report.leftOut.tooLong) {
        tooLong.push_back({{"sheet", left.sheet},
                           {"row", left.row},
                           {"word", left.word},
                           {"points", left.points},
                           {"length", left.wordLength}});
    }
    const nlohmann::ordered_json out = {
        {"workbook", report.workbook},
        {"sheets", report.sheets},
        {"sql", report.sql},
        {"entries", report.entries},
        {"problems", problems},
        {"tooLong", tooLong},
        {"blankRows", report.leftOut.blankRows},
        {"warning", textOrNull(report.warning)},
        {"error", textOrNull(report.error)},
    };
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void printText(const Report& report) {
    std::cout << "词库文件：" << report.workbook << '\n';
    std::cout << "工作表（" << report.sheets.size() << "）：\n";
    for (const auto& sheet : report.sheets) std::cout << "  " << sheet << '\n';
    std::cout << "查询语句：\n";
    for (const auto& line : report.sql) std::cout << "  " << line << '\n';
    std::cout << "词条（" << report.entries.size() << "）：\n";
    for (std::size_t at = 0; at < report.entries.size(); ++at) {
        std::cout << "  [" << at << "] " << report.entries[at] << '\n';
    }
    std::cout << "问题（" << report.problems.size() << "）：\n";
    for (const auto& problem : report.problems) std::cout << "  " << caici::placedProblemText(problem) << '\n';
    if (report.error) {
        std::cout << "错误：" << *report.error << '\n';
        return;
    }
    std::cout << "超过 " << caici::kMaxWordLength << " 个字、没有放进游戏的词条（" << report.leftOut.tooLong.size()
              << "）：\n";
    for (const auto& left : report.leftOut.tooLong) {
        std::cout << "  工作表“" << left.sheet << "”第 " << left.row << " 行（" << left.wordLength << " 个字）："
                  << left.word << '|' << left.points << '\n';
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
    caici::WordLibrary library(folder ? path : std::string("./"), caici::readerBesideRunningProgram(), {});
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
    report.entries = lists.lst1();
    if (library.libraryLoaded()) {
        report.leftOut = library.leftOut();
        report.warning = library.loadWarning();
        report.problems = caici::findLibraryProblems(
            caici::LoadedLibrary{report.sheets, report.entries, library.entryOrigins(), report.leftOut});
    }

    if (json) {
        printJson(report);
    } else {
        printText(report);
    }
    return report.error ? kLoadFailed : kLoaded;
}
