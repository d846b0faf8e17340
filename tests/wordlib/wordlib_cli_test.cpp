#include "../workbook/workbook_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace caici {
namespace {

using testing::ScratchFolder;

struct CommandRun {
    int status = -1;
    std::string output;
};

CommandRun wordlib(const std::string& arguments) {
    CommandRun run;
    const std::string command = std::string(CAICI_WORDLIB) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

TEST(WordlibCommand, JsonShowsTheLoadAndItsProblems) {
    ScratchFolder folder;
    folder.useWorkbook("words_empty_cells.xls");
    const CommandRun run = wordlib("--json " + quoted(folder.path().string()));
    ASSERT_EQ(run.status, 0) << run.output;
    const auto json = nlohmann::json::parse(run.output);
    EXPECT_EQ(json["workbook"], folder.workbook());
    EXPECT_EQ(json["sheets"], nlohmann::json::array({"Sheet1"}));
    EXPECT_EQ(json["sql"], nlohmann::json::array({"select * from [Sheet1$]"}));
    // Each entry as the game plays it: the word, its points, where it is.
    // A library without a 禁词 column has none.
    EXPECT_EQ(json["entries"], nlohmann::json::parse(R"([{"word": "苹果", "points": 3, "sheet": "Sheet1", "row": 2, "forbidden": []},
                                                          {"word": "", "points": 4, "sheet": "Sheet1", "row": 4, "forbidden": []},
                                                          {"word": "桃", "points": 1, "sheet": "Sheet1", "row": 6, "forbidden": []}])"));
    EXPECT_TRUE(json["error"].is_null());
    // Problems name their sheet, row and column; the blank row between the
    // words is one of them, and so is the entry left out for its points.
    ASSERT_EQ(json["problems"].size(), 3u);
    EXPECT_EQ(json["problems"][0]["text"], "Sheet1 第3行: 是空行，游戏跳过它");
    EXPECT_EQ(json["problems"][1]["index"], 1);
    EXPECT_EQ(json["problems"][1]["entry"]["points"], 4);
    EXPECT_EQ(json["problems"][1]["sheet"], "Sheet1");
    EXPECT_EQ(json["problems"][1]["row"], 4);
    EXPECT_EQ(json["problems"][1]["column"], "名称");
    EXPECT_EQ(json["problems"][1]["message"], "是空的");
    EXPECT_FALSE(json["problems"][2].contains("index"));
    EXPECT_EQ(json["problems"][2]["text"], "Sheet1 第5行 分值: 是空的");
    EXPECT_EQ(json["blankRows"], 1);
    ASSERT_EQ(json["leftOut"].size(), 1u);
    EXPECT_EQ(json["leftOut"][0]["word"], "梨");
    EXPECT_NE(json["warning"].get<std::string>().find("Sheet1 第5行 分值: 是空的"), std::string::npos);
}

// Words too long to act out are listed by sheet and row, in both outputs.
TEST(WordlibCommand, ReportsWordsLeftOutOfPlay) {
    ScratchFolder folder;
    folder.useWorkbook("words_long_entry.xls");
    const CommandRun run = wordlib("--json " + quoted(folder.path().string()));
    ASSERT_EQ(run.status, 0) << run.output;
    const auto json = nlohmann::json::parse(run.output);
    EXPECT_EQ(json["entries"].size(), 3u);
    ASSERT_EQ(json["tooLong"].size(), 3u);
    EXPECT_EQ(json["tooLong"][0]["sheet"], "Sheet1");
    EXPECT_EQ(json["tooLong"][0]["row"], 3);
    EXPECT_EQ(json["tooLong"][0]["length"], 1000);
    EXPECT_EQ(json["tooLong"][2]["sheet"], "Sheet2");
    EXPECT_EQ(json["tooLong"][2]["word"], "六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十六十");
    EXPECT_NE(json["warning"].get<std::string>().find("（3 个词超过 40 个字）"), std::string::npos);

    const CommandRun text = wordlib(quoted(folder.path().string()));
    for (const char* part : {"没有放进游戏的词条（3）", "工作表“Sheet1”第 5 行（名称: 有 41 个字，", "警告："}) {
        EXPECT_NE(text.output.find(part), std::string::npos) << part << "\n" << text.output;
    }
}

TEST(WordlibCommand, AFailedLoadGivesItsErrorAndStatusOne) {
    ScratchFolder folder;
    folder.useWorkbook("words_missing_points_column.xls");
    const CommandRun run = wordlib("--json " + quoted(folder.path().string()));
    EXPECT_EQ(run.status, 1);
    const auto json = nlohmann::json::parse(run.output);
    EXPECT_NE(json["error"].get<std::string>().find("缺少“分值”列"), std::string::npos);
    EXPECT_EQ(json["entries"], nlohmann::json::array());

    const CommandRun empty = wordlib(quoted(ScratchFolder().path().string()));
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.output.find("错误：找不到词库文件"), std::string::npos);
}

TEST(WordlibCommand, PlainOutputListsSheetsQueryAndEntries) {
    ScratchFolder folder;
    folder.useWorkbook("words_duplicates.xls");
    const CommandRun run = wordlib(quoted(folder.base()));
    EXPECT_EQ(run.status, 0);
    for (const char* part : {"Sheet2", "select * from [Sheet1$] union all", "[2] 苹果|3",
                             "Sheet2 第2行 名称: '苹果' 与 Sheet1 第2行 重复"}) {
        EXPECT_NE(run.output.find(part), std::string::npos) << part << "\n" << run.output;
    }
}

// A file of any format is checked as well as a folder, every problem in the
// host's terms: sheet, row, column.
TEST(WordlibCommand, ChecksAFileOfEveryFormatByPlace) {
    const struct {
        const char* fixture;
        std::vector<std::string> problems;
    } cases[] = {
        {"words_values.xlsx",
         {"值 第6行 分值: 是公式，但文件里没有保存它的结果：请用电子表格程序打开它，保存一次",
          "值 第7行 分值: '#DIV/0!' 是错误值，不是整数", "值 第14行 名称: '换行\\n符' 里有换行或控制字符，屏幕上显示不出来"}},
        {"words_values.xls",
         {"值 第7行 分值: '#N/A' 是错误值，不是整数", "值 第12行 名称: 'a\\x00b' 里有换行或控制字符，屏幕上显示不出来",
          "值 第13行 名称: 有 8300 个字，超过 40 个字，游戏不出这个词"}},
        {"words_many_sheets.xls", {"S101: 是第 100 个以后的工作表，游戏只读前 100 个"}},
        {"words_draft_sheet.xls", {"_草稿: 游戏不读名字以“_”开头（或含有“Print_Area”“Print_Titles”“FilterDatabase”）的工作表"}},
        {"words_two_sheets.ods", {"Sheet2 第3行 分值: '2.5' 不是整数"}},
        // Zero points would add nothing for a correct answer.
        {"words_bad_points.ods",
         {"动物 第3行 分值: 'abc' 不是整数", "动物 第4行 分值: 是空的", "动物 第5行 分值: '0' 不是正数，答对了不加分",
          "动物 第6行 分值: '-2' 不是正数，答对了不加分", "动物 第8行 分值: '#DIV/0!' 是错误值，不是整数",
          "动物 第9行 分值: '2147483648' 不是整数"}},
    };
    for (const auto& c : cases) {
        const CommandRun run = wordlib("--json " + quoted(testing::fixture(c.fixture).string()));
        EXPECT_EQ(run.status, 0) << c.fixture;
        const auto json = nlohmann::json::parse(run.output);
        std::vector<std::string> texts;
        for (const auto& problem : json["problems"]) texts.push_back(problem["text"]);
        for (const auto& expected : c.problems) {
            EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << c.fixture << ": " << expected;
        }
    }
    const CommandRun refused = wordlib(quoted(testing::fixture("words_encrypted.xls").string()));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("它设置了打开密码"), std::string::npos) << refused.output;
}

// A 禁词 column is read alike in every format: each entry keeps the forbidden
// words that can be, and plays; what cannot be is reported by place.
TEST(WordlibCommand, ForbiddenWordsInEveryFormat) {
    using Words = std::vector<std::string>;
    const std::vector<std::pair<std::string, Words>> entries = {
        {"长颈鹿", {"脖子", "高", "动物园"}}, {"大象", {"鼻子", "耳朵", "灰色"}}, {"熊猫", {"黑白", "竹子", "国宝"}},
        {"猫", {}}, {"狗", {"骨头", "汪汪"}}, {"老虎", {"森林"}}, {"狮子", {"草原", "鬃毛"}},
        {"猴子", {"香蕉", "树", "爬", "尾巴", "聪明"}}};
    const Words problems = {"第6行 禁词: 有一项是空的，多了一个分隔符", "第7行 禁词: '老虎' 就是这个词本身，不用列为禁词",
                            "第8行 禁词: '鬃毛' 重复了", "第9行 禁词: 多于 5 个，从 '山' 起不算",
                            // Forbidden words alone make no entry.
                            "第10行 分值: 是空的"};
    // The spreadsheets end in a 禁词 cell that holds an error value: never a
    // forbidden word.
    const std::pair<std::string, Words> errorValue = {"河马", {}};
    const char* const errorValueProblem = "第11行 禁词: 是错误值，这个词没有禁词";
    const struct {
        const char* fixture;
        bool errorValueRow;
    } cases[] = {{"words_forbidden.xls", true},
                 {"words_forbidden.xlsx", true},
                 {"words_forbidden.ods", true},
                 {"words_forbidden.csv", false}};
    for (const auto& c : cases) {
        const CommandRun run = wordlib("--json " + quoted(testing::fixture(c.fixture).string()));
        ASSERT_EQ(run.status, 0) << c.fixture << "\n" << run.output;
        const auto json = nlohmann::json::parse(run.output);
        std::vector<std::pair<std::string, Words>> read;
        for (const auto& entry : json["entries"]) read.emplace_back(entry["word"], entry["forbidden"]);
        auto expectedEntries = entries;
        if (c.errorValueRow) expectedEntries.push_back(errorValue);
        EXPECT_EQ(read, expectedEntries) << c.fixture;
        const std::string sheet = json["sheets"][0];
        Words texts;
        for (const auto& problem : json["problems"]) texts.push_back(problem["text"]);
        Words expected;
        for (const auto& problem : problems) expected.push_back(sheet + " " + problem);
        if (c.errorValueRow) expected.push_back(sheet + " " + errorValueProblem);
        EXPECT_EQ(texts, expected) << c.fixture;
    }
    const CommandRun text = wordlib(quoted(testing::fixture("words_forbidden.xlsx").string()));
    EXPECT_NE(text.output.find("[0] 长颈鹿|2  禁词: 脖子、高、动物园\n"), std::string::npos) << text.output;
}

// A file of a few hundred bytes that repeats one row a million times is
// checked like any library within the reader's bounds, in the memory the
// game's own load needs (the whole report once took 3 GB); files that repeat
// past those bounds get the game's message for them.
TEST(WordlibCommand, RepeatedRowsAreCheckedWithinTheReadersBounds) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
    // 1 GB of address space for the checker; the reader sets its own.
    const std::string command = "ulimit -v 1048576; exec '" + std::string(CAICI_WORDLIB) + "' --json '" +
                                testing::fixture("words_million_repeated_rows.ods").string() + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    // Read as it comes: the report is some 200 MB.
    std::size_t lines = 0;
    std::string tail;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        lines += static_cast<std::size_t>(std::count(buffer, buffer + n, '\n'));
        tail.append(buffer, n);
        if (tail.size() > 4096) tail.erase(0, tail.size() - 4096);
    }
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << tail;
    // A million entries, and every copy after the first is a duplicate.
    EXPECT_GT(lines, 2'000'000u);
    EXPECT_NE(tail.find("\"text\":\"Sheet1 第1000001行 名称: '猫' 与 Sheet1 第2行 重复\""), std::string::npos) << tail;
    EXPECT_NE(tail.find("\"error\": null\n}"), std::string::npos) << tail;
#endif
}

TEST(WordlibCommand, FilesRepeatedPastTheReadersBoundsAreRefused) {
    const struct {
        const char* fixture;
        const char* says;
    } cases[] = {
        {"words_rows_past_last_row.ods", "有内容超出了第 1048576 行或第 256 列"},
        {"words_cells_past_budget.ods", "解压或展开后的内容超过了游戏的上限"},
    };
    for (const auto& c : cases) {
        const CommandRun run = wordlib("--json " + quoted(testing::fixture(c.fixture).string()));
        EXPECT_EQ(run.status, 1) << c.fixture;
        const auto json = nlohmann::json::parse(run.output);
        EXPECT_NE(json["error"].get<std::string>().find(c.says), std::string::npos) << c.fixture << ": " << json["error"];
        EXPECT_EQ(json["entries"], nlohmann::json::array()) << c.fixture;
    }
}

TEST(WordlibCommand, BadUsageGivesStatusTwo) {
    EXPECT_EQ(wordlib("--bogus").status, 2);
    EXPECT_EQ(wordlib("a b").status, 2);
    EXPECT_EQ(wordlib("--help").status, 0);
}

}  // namespace
}  // namespace caici
