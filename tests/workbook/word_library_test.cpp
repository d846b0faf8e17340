#include "workbook/word_library.h"

#include "workbook/load_errors.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace caici {
namespace {

using testing::played;
using testing::ScratchFolder;

const std::vector<WordEntry> kEarlierLibrary = {{"旧词", 1}, {"旧词", 2}};

class LoadTest : public ::testing::Test {
protected:
    LoadTest() { lists.replaceLibrary(kEarlierLibrary); }

    WordLibrary libraryWith() {
        return WordLibrary(folder.base(), CAICI_XLSREADER, ReaderLimits{}, CellFormat{".", "%Y/%m/%d"});
    }

    // Runs a load and returns its error text, or "" when it succeeded.
    std::string load(WordLibrary& library) {
        try {
            library.load(lists);
        } catch (const std::exception& error) {
            return error.what();
        }
        return {};
    }

    ScratchFolder folder;
    WordLists lists;
};

struct GoodCase {
    const char* workbook;
    std::vector<std::string> sheets;
    std::vector<std::string> entries;
};

// Each row is read as word "|" points, sheet after sheet; only rows with
// neither word nor points are skipped.
TEST_F(LoadTest, LoadsEveryRowOfEverySheetInOrder) {
    const GoodCase cases[] = {
        {"words_two_sheets.xls",
         {"Sheet1", "Sheet2"},
         {"苹果|3", "香蕉|5", " 冰 淇 淋 |2", "大象|4", "长颈鹿|2.5"}},
        {"words_sheet_name_with_blank.xls", {"动物 词库", "Sheet2"}, {"猫|1", "狗|2"}},
        {"words_empty_cells.xls", {"Sheet1"}, {"苹果|3", "|4", "梨|", "桃|1"}},
        {"words_duplicates.xls", {"Sheet1", "Sheet2"}, {"苹果|3", "苹果|3", "苹果|3"}},
        {"words_extra_columns.xls", {"Sheet1", "Sheet2"}, {"苹果|3", "香蕉|4"}},
        {"words_header_quirks.xls", {"Sheet1"}, {"苹果|3"}},
        {"words_number_forms.xls",
         {"Sheet1"},
         {"整数|3", "负数|-7", "小数|2.5", "十五位|0.3", "大数|1E20", "小数点后很多位|1E-7",
          "十八位|1.23456789012346E17", "十万|100000", "文本数字|7", "日期|2024/03/09",
          "日期时间|2024/03/09 13:05:00"}},
    };
    for (const auto& c : cases) {
        folder.useWorkbook(c.workbook);
        WordLibrary library = libraryWith();
        EXPECT_EQ(load(library), "") << c.workbook;
        EXPECT_EQ(library.sheetNames(), c.sheets) << c.workbook;
        EXPECT_EQ(testing::rowsAsRead(library, lists), c.entries) << c.workbook;
        EXPECT_TRUE(library.libraryLoaded()) << c.workbook;
    }
}

TEST_F(LoadTest, TheQueryHasOneLinePerSheet) {
    folder.useWorkbook("words_sheet_name_with_blank.xls");
    WordLibrary library = libraryWith();
    ASSERT_EQ(load(library), "");
    EXPECT_EQ(library.sqlLines(),
              (std::vector<std::string>{"select * from [动物 词库$] union all ", "select * from [Sheet2$]"}));
    EXPECT_EQ(library.connectionString(), connectionStringFor(folder.workbook()));
}

// Only the first 100 sheets are read.
TEST_F(LoadTest, MoreThanAHundredSheetsAreCutAtAHundred) {
    folder.useWorkbook("words_many_sheets.xls");
    WordLibrary library = libraryWith();
    ASSERT_EQ(load(library), "");
    ASSERT_EQ(library.sheetNames().size(), 100u);
    EXPECT_EQ(library.sheetNames().back(), "S100");
    EXPECT_EQ(library.sqlLines().size(), 100u);
    ASSERT_EQ(lists.library().size(), 100u);
    EXPECT_EQ(played(lists).back(), "词100|100");
}

TEST_F(LoadTest, TheWorkbookNameMatchesWithoutRegardToCase) {
    folder.useWorkbook("words_two_sheets.xls", "Words.XLS");
    WordLibrary library = libraryWith();
    EXPECT_EQ(load(library), "");
    EXPECT_EQ(lists.library().size(), 4u);
}

struct FailureCase {
    const char* workbook;
    std::vector<std::string> textParts;
};

// A failed load names the file and what to fix; it leaves the flag false and
// the library in play as it was.
TEST_F(LoadTest, FailuresSayWhatToFixAndKeepTheWordList) {
    const FailureCase cases[] = {
        {"words_mismatched_columns.xls", {"列数不一致", "“水果” 有 3 列", "“动物” 有 2 列"}},
        {"words_empty_sheet.xls", {"列数不一致", "“Sheet2” 是空的", "空的工作表请删除"}},
        {"words_missing_points_column.xls", {"缺少“分值”列", "“Sheet1”"}},
        {"words_missing_word_column.xls", {"缺少“名称”列"}},
        {"words_truncated.xls", {"词库文件已损坏或无法读取："}},
        {"words_not_a_workbook.xls", {"词库文件已损坏或无法读取：", "Excel 97-2003"}},
        {"words_header_only.xls", {"里没有词", "“名称”和“分值”"}},
        {"words_blank_rows_only.xls", {"里没有词", "“名称”和“分值”"}},
        {"words_only_long_words.xls", {"里没有词可以玩：", "1 个词超过 40 个字"}},
        {"words_only_bad_points.xls",
         {"里没有词可以玩：有 2 个词条没有放进游戏（2 个分值不是 1 以上的整数）：Sheet1 第2行 分值: 'abc' 不是整数；"
          "Sheet1 第3行 分值: '0' 不是正数，答对了不加分。", "“名称”和“分值”"}},
    };
    for (const auto& c : cases) {
        lists.replaceLibrary(kEarlierLibrary);
        folder.useWorkbook(c.workbook);
        WordLibrary library = libraryWith();
        const std::string text = load(library);
        EXPECT_NE(text.find(folder.workbook()), std::string::npos) << c.workbook << ": " << text;
        for (const auto& part : c.textParts) EXPECT_NE(text.find(part), std::string::npos) << c.workbook << ": " << text;
        EXPECT_FALSE(library.libraryLoaded()) << c.workbook;
        EXPECT_EQ(lists.library(), kEarlierLibrary) << c.workbook;
    }
}

// A library without a word to play fails at the load, not at every start
// with "List index out of bounds (-1)."; the library in play stays.
TEST_F(LoadTest, ALibraryWithoutWordsKeepsTheOneInPlay) {
    folder.useWorkbook("words_two_sheets.xls");
    WordLibrary library = libraryWith();
    ASSERT_EQ(load(library), "");
    const auto inPlay = played(lists);
    folder.useWorkbook("words_header_only.xls");
    EXPECT_EQ(load(library), noWordsText(folder.workbook(), {}));
    EXPECT_EQ(played(lists), inPlay);
    EXPECT_TRUE(library.libraryLoaded());
}

// Formatting that reaches below the words adds no empty "|" entries.
TEST_F(LoadTest, RowsWithNeitherWordNorPointsAreSkipped) {
    folder.useWorkbook("words_formatting_below_words.xls");
    WordLibrary library = libraryWith();
    ASSERT_EQ(load(library), "");
    EXPECT_EQ(played(lists), (std::vector<std::string>{"苹果|3", "香蕉|5"}));
    EXPECT_EQ(library.leftOut().blankRows, 300u);
    EXPECT_EQ(library.loadWarning(), std::nullopt);
}

// Words over 40 code points stay out of play; the load tells which, and
// gives one warning for all of them.
TEST_F(LoadTest, WordsTooLongToActOutAreLeftOutWithOneWarning) {
    folder.useWorkbook("words_long_entry.xls");
    WordLibrary library = libraryWith();
    ASSERT_EQ(load(library), "");
    EXPECT_EQ(played(lists), (std::vector<std::string>{"苹果|3", "四十个字四十个字四十个字四十个字四十个字四十个字四十个字四十个字四十个字四十个字|2", "大象|4"}));
    std::vector<std::tuple<std::string, std::uint32_t, std::size_t, std::string>> left;
    for (const auto& entry : library.leftOut().entries) {
        EXPECT_EQ(entry.wordFault, WordFault::tooLong);
        left.emplace_back(entry.sheet, entry.row, entry.wordLength, entry.points);
    }
    EXPECT_EQ(left, (std::vector<std::tuple<std::string, std::uint32_t, std::size_t, std::string>>{
                        {"Sheet1", 3, 1000, "5"}, {"Sheet1", 5, 41, "1"}, {"Sheet2", 3, 60, "2"}}));
    const auto warning = library.loadWarning();
    ASSERT_TRUE(warning.has_value());
    for (const char* part : {"有 3 个词条没有放进游戏（3 个词超过 40 个字）",
                             "Sheet1 第3行 名称: 有 1000 个字，超过 40 个字，游戏不出这个词",
                             "Sheet2 第3行 名称: 有 60 个字"}) {
        EXPECT_NE(warning->find(part), std::string::npos) << part << "\n" << *warning;
    }
    EXPECT_NE(warning->find(folder.workbook()), std::string::npos);
}

// Points that a round cannot add (anything but a whole number of at least 1)
// keep their entry out of play, as a word too long to act out does, however
// the library is read: one warning names them by sheet, row and column in
// the checker's words, and every entry in play is worth at least 1.
TEST_F(LoadTest, EntriesWithPointsARoundCannotAddAreLeftOutWithOneWarning) {
    // A bar is part of a word like any other character: 虎|豹 plays for 2.
    const std::vector<std::string> playable = {"猫|3", "马|3", "鱼|4", "虎|豹|2", "龙|2147483647", "苹果|1"};
    const std::string says =
        " 里有 9 个词条没有放进游戏（9 个分值不是 1 以上的整数）：动物 第3行 分值: 'abc' 不是整数；"
        "动物 第4行 分值: 是空的；动物 第5行 分值: '0' 不是正数，答对了不加分；等。"
        "请在词库里改正它们，保存后点“重新读取”或重新启动游戏。";
    enum class Way { load, chooseFile, loadAgain };
    for (const Way way : {Way::load, Way::chooseFile, Way::loadAgain}) {
        SCOPED_TRACE(static_cast<int>(way));
        lists.replaceLibrary(kEarlierLibrary);
        WordLibrary library = libraryWith();
        std::string path = folder.base() + "words.ods";
        if (way == Way::chooseFile) {
            path = folder.base() + "动物.ods";
            folder.useWorkbook("words_bad_points.ods", "动物.ods");
            library.useFile(path, lists);
        } else {
            if (way == Way::loadAgain) {
                folder.useWorkbook("words_two_sheets.ods", "words.ods");
                ASSERT_EQ(load(library), "");
            }
            folder.useWorkbook("words_bad_points.ods", "words.ods");
            ASSERT_EQ(load(library), "");
        }
        EXPECT_EQ(played(lists), playable);
        for (const auto& entry : lists.library()) EXPECT_GE(entry.points, 1) << entry.word;
        EXPECT_EQ(library.leftOut().entries.size(), 9u);
        EXPECT_EQ(library.loadWarning(), "词库文件 " + path + says);
    }
}

// A sheet name is a name: SQL written into it never runs, and the load reads
// just the rows that the sheet holds (no words added, no address shown, no hang).
TEST_F(LoadTest, SheetNamesNeverRunAsSql) {
    for (const char* workbook : {"words_sheet_name_adds_words.xls", "words_sheet_name_shows_address.xls",
                                 "words_sheet_name_runs_endless_query.xls"}) {
        folder.useWorkbook(workbook);
        WordLibrary library = libraryWith();
        EXPECT_EQ(load(library), "") << workbook;
        EXPECT_EQ(played(lists), std::vector<std::string>{"苹果|3"}) << workbook;
        ASSERT_EQ(library.sheetNames().size(), 1u) << workbook;
        EXPECT_NE(library.sheetNames().front().find("sqlite_master"), std::string::npos) << workbook;
        const SheetView view = library.browseSheet(library.sheetNames().front());
        EXPECT_EQ(view.rows, (std::vector<std::vector<std::string>>{{"苹果", "3"}})) << workbook;
    }
}

// The game survives the .xls files that break workbook libraries (the other
// formats' damaged files: FormatsTest.MalformedFilesOfEveryFormatFailCleanly).
TEST_F(LoadTest, MalformedWorkbooksFailCleanly) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::malformedFixtures())) {
        if (entry.path().extension() != ".xls") continue;
        std::filesystem::copy_file(entry.path(), folder.path() / "words.xls",
                                   std::filesystem::copy_options::overwrite_existing);
        WordLibrary library = libraryWith();
        const std::string text = load(library);
        EXPECT_EQ(text.rfind("词库文件已损坏或无法读取：" + folder.workbook(), 0), 0u) << entry.path() << ": " << text;
        EXPECT_FALSE(library.libraryLoaded());
        EXPECT_EQ(lists.library(), kEarlierLibrary);
    }
}

TEST_F(LoadTest, AMissingWorkbookSaysWhereItShouldBe) {
    WordLibrary library = libraryWith();
    EXPECT_EQ(load(library), missingWorkbookText(folder.workbook()));
    EXPECT_EQ(library.sqlLines(), std::vector<std::string>{"select * from [$]"});
    EXPECT_FALSE(library.libraryLoaded());
    EXPECT_EQ(lists.library(), kEarlierLibrary);
}

// Only a failed load can be followed by another; it reads the file again.
TEST_F(LoadTest, ASecondLoadReadsTheWorkbookAgain) {
    folder.useWorkbook("words_missing_points_column.xls");
    WordLibrary library = libraryWith();
    EXPECT_NE(load(library), "");
    folder.useWorkbook("words_two_sheets.xls");
    EXPECT_EQ(load(library), "");
    EXPECT_EQ(lists.library().size(), 4u);
    EXPECT_EQ(library.sheetNames(), (std::vector<std::string>{"Sheet1", "Sheet2"}));
    EXPECT_TRUE(library.libraryLoaded());
}

// When the workbook breaks between loads, the sheet names of the earlier
// listing stay, and the error is the damaged file's.
TEST_F(LoadTest, ADamagedWorkbookOnTheSecondLoadKeepsTheEarlierSheetNames) {
    folder.useWorkbook("words_missing_points_column.xls");
    WordLibrary library = libraryWith();
    EXPECT_NE(load(library), "");
    folder.useWorkbook("words_truncated.xls");
    EXPECT_EQ(load(library).rfind("词库文件已损坏或无法读取：", 0), 0u);
    EXPECT_EQ(library.sheetNames(), std::vector<std::string>{"Sheet1"});
    EXPECT_FALSE(library.libraryLoaded());
}

TEST_F(LoadTest, BrowsingShowsOneSheetAndLeavesTheWordListAlone) {
    folder.useWorkbook("words_extra_columns.xls");
    WordLibrary library = libraryWith();
    ASSERT_EQ(load(library), "");
    const auto loaded = played(lists);
    const SheetView view = library.browseSheet("Sheet2");
    EXPECT_EQ(view.columns, (std::vector<std::string>{"编号", "名称", "分值"}));
    EXPECT_EQ(view.rows, (std::vector<std::vector<std::string>>{{"2", "香蕉", "4"}}));
    EXPECT_EQ(library.sqlLines(), std::vector<std::string>{"SELECT * FROM [Sheet2$]"});
    EXPECT_EQ(played(lists), loaded);
    EXPECT_THROW(library.browseSheet("Sheet9"), Error);
}

}  // namespace
}  // namespace caici
