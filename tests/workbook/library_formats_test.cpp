// Word libraries in every format through the real reader: what the load
// makes of them, and the clear error every file it refuses ends in.

#include "workbook/load_errors.h"
#include "workbook/word_library.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace caici {
namespace {

using testing::played;
using testing::ScratchFolder;

const std::vector<WordEntry> kLibraryInPlay = {{"旧词", 1}};

class FormatsTest : public ::testing::Test {
protected:
    FormatsTest() { lists.replaceLibrary(kLibraryInPlay); }

    WordLibrary libraryIn(const ScratchFolder& where, const std::string& reader = CAICI_XLSREADER) {
        return WordLibrary(where.base(), reader, ReaderLimits{}, CellFormat{".", "%Y/%m/%d"});
    }

    // Loads the fixture as words.<its extension> and returns the load's error, or "".
    std::string loadAs(const std::string& fixture, WordLibrary& library) {
        const std::string name = "words" + std::filesystem::path(fixture).extension().string();
        folder.useWorkbook(fixture, name);
        std::string error;
        try {
            library.load(lists);
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        std::filesystem::remove(folder.path() / name);
        return error;
    }
    std::string loadAs(const std::string& fixture) {
        WordLibrary library = libraryIn(folder);
        return loadAs(fixture, library);
    }

    ScratchFolder folder;
    WordLists lists;
};

// The same library gives the same entries and sheets in every format.
TEST_F(FormatsTest, EveryFormatGivesTheSameEntries) {
    const std::vector<std::string> both = {"苹果|3", "香蕉|5", " 冰 淇 淋 |2", "大象|4", "长颈鹿|2.5"};
    const std::vector<std::string> first = {"苹果|3", "香蕉|5", " 冰 淇 淋 |2"};
    const struct {
        const char* fixture;
        std::vector<std::string> sheets;
        std::vector<std::string> entries;
    } cases[] = {
        {"words_two_sheets.xls", {"Sheet1", "Sheet2"}, both},
        {"words_two_sheets.xlsx", {"Sheet1", "Sheet2"}, both},
        {"words_two_sheets.ods", {"Sheet1", "Sheet2"}, both},
        {"words_two_sheets.csv", {"words"}, first},
        {"words_two_sheets.tsv", {"words"}, first},
    };
    for (const auto& c : cases) {
        WordLibrary library = libraryIn(folder);
        EXPECT_EQ(loadAs(c.fixture, library), "") << c.fixture;
        EXPECT_EQ(library.sheetNames(), c.sheets) << c.fixture;
        EXPECT_EQ(testing::rowsAsRead(library, lists), c.entries) << c.fixture;
    }
}

// The bundled library ships as words.xls and words.xlsx, made from one
// table: both give the same entries in the same categories.
TEST_F(FormatsTest, TheBundledLibraryIsTheSameInBothFormats) {
    WordLists fromXls;
    WordLists fromXlsx;
    WordLibrary xls = libraryIn(folder);
    WordLibrary xlsx = libraryIn(folder);
    xls.useFile(CAICI_SOURCE_DIR "/game/words.xls", fromXls);
    xlsx.useFile(CAICI_SOURCE_DIR "/game/words.xlsx", fromXlsx);
    EXPECT_GT(fromXls.library().size(), 600u);
    EXPECT_EQ(fromXls.library(), fromXlsx.library());
    EXPECT_EQ(fromXls.categories(), fromXlsx.categories());
}

// Cells read as the spreadsheet shows them: a formula's kept result, error
// values as their text, dates in the short date format right to 9999-12-31,
// times rounded to the second, texts whole (NUL and 8,300 characters too).
TEST_F(FormatsTest, ValuesAsTheSpreadsheetShowsThem) {
    std::string longWord;
    for (int i = 0; i < 8300; ++i) longWord += "长";
    const struct {
        const char* fixture;
        std::vector<std::string> entries;
    } cases[] = {
        {"words_values.xlsx",
         {"公式|3", "文字公式|AB", "行内|1", "富文本|2", "没算的公式|", "错误|#DIV/0!", "真假|TRUE", "日期|2024/03/09",
          "日期时间|2024/03/09 13:05:00", "时间|00:00:00", "经过时间|36:00:00", "最后一天|9999/12/31", "换行\n符|1",
          "大数|1E20"}},
        {"words_values.xls",
         {"公式|3", "文字公式|AB", "没算的公式|", "错误|#DIV/0!", "真假|TRUE", "错误值|#N/A", "最后一天|9999/12/31",
          "二一零零年|2100/03/01", "闰日|1900/02/29", "时间|00:00:00", std::string("a\0b|1", 5), longWord + "|2"}},
        {"words_values.ods",
         {"公式|3", "没算的公式|", "错误|#DIV/0!", "日期|2024/03/09", "日期时间|2024/03/09 13:05:00", "时间|13:05:00",
          "真假|TRUE", "多  空格\n第二段|1", "重复|2", "重复|2", "7|7"}},
        {"words_quoted.csv", {"苹果,红的|3", "两行\n的词|2", "说\"你好\"|1", "桃|"}},
        {"words_gbk.csv", {"苹果,红的|3", "两行\n的词|2", "说\"你好\"|1", "桃|"}},
        {"words_utf8_bom.csv", {"苹果,红的|3", "两行\n的词|2", "说\"你好\"|1", "桃|"}},
        {"words_utf16.tsv", {"苹果,红的|3", "两行\n的词|2", "说\"你好\"|1", "桃|"}},
    };
    for (const auto& c : cases) {
        WordLibrary library = libraryIn(folder);
        EXPECT_EQ(loadAs(c.fixture, library), "") << c.fixture;
        EXPECT_EQ(testing::rowsAsRead(library, lists), c.entries) << c.fixture;
    }
    // The long text is left out of play for its length, whole.
    WordLibrary library = libraryIn(folder);
    ASSERT_EQ(loadAs("words_values.xls", library), "");
    const auto& leftOut = library.leftOut().entries;
    const auto tooLong = std::find_if(leftOut.begin(), leftOut.end(),
                                      [](const LeftOutEntry& entry) { return entry.wordFault == WordFault::tooLong; });
    ASSERT_NE(tooLong, leftOut.end());
    EXPECT_EQ(tooLong->word, longWord);
}

// The load knows which points cells hold an error value or a formula without
// a result, for the checker to name; such entries are left out of play.
TEST_F(FormatsTest, ErrorValuesAndFormulasWithoutResultAreMarked) {
    using Marked = std::vector<std::pair<std::string, CellKind>>;
    const Marked common = {{"没算的公式|", CellKind::formulaWithoutResult}, {"错误|#DIV/0!", CellKind::error}};
    Marked withErrorCell = common;
    withErrorCell.emplace_back("错误值|#N/A", CellKind::error);
    const std::pair<const char*, Marked> cases[] = {
        {"words_values.xlsx", common}, {"words_values.xls", withErrorCell}, {"words_values.ods", common}};
    for (const auto& [fixture, expected] : cases) {
        WordLibrary library = libraryIn(folder);
        ASSERT_EQ(loadAs(fixture, library), "") << fixture;
        std::vector<std::pair<std::string, CellKind>> marked;
        for (const auto& left : library.leftOut().entries) {
            if (left.pointsKind != CellKind::text) marked.emplace_back(left.word + "|" + left.points, left.pointsKind);
        }
        EXPECT_EQ(marked, expected) << fixture;
    }
}

// Everything the reader refuses ends in one clear message that names the
// file and what to do; the library in play stays.
TEST_F(FormatsTest, RefusedFilesSayWhyAndKeepTheLibraryInPlay) {
    const struct {
        const char* fixture;
        const char* says;
    } cases[] = {
        {"words_zip_bomb.xlsx", "解压或展开后的内容超过了游戏的上限"},
        {"words_zip_bomb_lying_sizes.xlsx", "词库文件已损坏或无法读取："},
        {"words_entity_expansion.xlsx", "声明了实体或文档类型"},
        {"words_external_entity.xlsx", "声明了实体或文档类型"},
        {"words_encrypted.xls", "它设置了打开密码"},
        {"words_encrypted.ods", "它设置了打开密码"},
        {"words_xlsx_named.xls", "它其实是 Excel 工作簿 (.xlsx)，扩展名不对）。请把扩展名改为 .xlsx"},
        {"words_ods_named.xlsx", "它其实是 OpenDocument 电子表格 (.ods)"},
        {"words_xls_named.xlsx", "它其实是 Excel 97-2003 工作簿"},
        {"words_binary_junk.csv", "它不是 UTF-8 或 GBK 编码的文本表格"},
        {"words_quote_not_closed.csv", "引号开始的字段直到文件末尾都没有结束"},
        {"words_too_many_sheets.xlsx", "工作表超过 4096 个"},
    };
    for (const auto& c : cases) {
        const std::string error = loadAs(c.fixture);
        EXPECT_NE(error.find(c.says), std::string::npos) << c.fixture << ": " << error;
        EXPECT_NE(error.find(folder.base() + "words."), std::string::npos) << c.fixture << ": " << error;
        EXPECT_EQ(lists.library(), kLibraryInPlay) << c.fixture;
    }
}

// A file that is no readable regular file is named for what it is.
TEST_F(FormatsTest, FilesThatCannotBeReadNameTheRealCause) {
    const std::filesystem::path file = folder.path() / "words.xls";
    auto loadError = [&] {
        WordLibrary library = libraryIn(folder);
        try {
            library.load(lists);
        } catch (const std::exception& failure) {
            return std::string(failure.what());
        }
        return std::string();
    };
    std::filesystem::create_directory(file);
    EXPECT_NE(loadError().find("这是一个文件夹，不是文件"), std::string::npos);
    std::filesystem::remove(file);

    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_NE(loadError().find("它不是普通文件"), std::string::npos);
    std::filesystem::remove(file);

    std::filesystem::create_symlink("words.xls", file);
    EXPECT_NE(loadError().find("指向自己的符号链接"), std::string::npos);
    std::filesystem::remove(file);

    // 100 MB without writing them: the size alone refuses it.
    {
        std::ofstream create(folder.path() / "words.csv");
    }
    std::filesystem::resize_file(folder.path() / "words.csv", 100u * 1024 * 1024);
    EXPECT_NE(loadError().find("文件超过 64 MB"), std::string::npos);
    std::filesystem::remove(folder.path() / "words.csv");

    // Gone between the game's look and the reader's.
    folder.useWorkbook("words_two_sheets.xls");
    const std::string vanishing = folder.script("vanishing-reader", "rm -f \"$1\"; exec '" CAICI_XLSREADER "' \"$1\"");
    WordLibrary library = libraryIn(folder, vanishing);
    EXPECT_THROW(
        {
            try {
                library.load(lists);
            } catch (const Error& failure) {
                EXPECT_NE(std::string(failure.what()).find("读取时文件不见了"), std::string::npos) << failure.what();
                throw;
            }
        },
        Error);
    EXPECT_EQ(lists.library(), kLibraryInPlay);
}

// A chosen file is loaded at once and is the library from then on; one that
// does not load leaves the library in play, its file and its sheets.
TEST_F(FormatsTest, ChoosingAFileValidatesItByLoading) {
    folder.useWorkbook("words_two_sheets.xls");
    folder.useWorkbook("words_values.ods", "班级词库.ods");
    folder.useWorkbook("words_binary_junk.csv", "坏的.csv");
    WordLibrary library = libraryIn(folder);
    library.load(lists);
    const auto inPlay = played(lists);

    EXPECT_THROW(library.useFile(folder.base() + "坏的.csv", lists), Error);
    EXPECT_EQ(played(lists), inPlay);
    EXPECT_EQ(library.libraryFile(), (LibraryFile{folder.workbook(), LibraryOrigin::base, {}}));
    EXPECT_EQ(library.sheetNames(), (std::vector<std::string>{"Sheet1", "Sheet2"}));
    EXPECT_EQ(library.browseSheet("Sheet2").rows.size(), 2u);

    library.useFile(folder.base() + "班级词库.ods", lists);
    EXPECT_EQ(library.libraryFile(), (LibraryFile{folder.base() + "班级词库.ods", LibraryOrigin::chosen, {}}));
    EXPECT_EQ(played(lists).front(), "公式|3");
    EXPECT_EQ(library.places().chosenFile, folder.base() + "班级词库.ods");
}

// The game survives the files that break workbook libraries, in every format.
TEST_F(FormatsTest, MalformedFilesOfEveryFormatFailCleanly) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::malformedFixtures())) {
        const std::string name = "words" + entry.path().extension().string();
        std::filesystem::copy_file(entry.path(), folder.path() / name, std::filesystem::copy_options::overwrite_existing);
        WordLibrary library = libraryIn(folder);
        std::string text;
        try {
            library.load(lists);
        } catch (const Error& error) {
            text = error.what();
        }
        EXPECT_EQ(text.rfind("词库文件已损坏或无法读取：" + folder.base() + name, 0), 0u) << entry.path() << ": " << text;
        EXPECT_EQ(lists.library(), kLibraryInPlay);
        std::filesystem::remove(folder.path() / name);
    }
}

}  // namespace
}  // namespace caici
