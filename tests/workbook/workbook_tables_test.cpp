#include "workbook/workbook_tables.h"

#include "workbook/reader_stream.h"
#include "workbook/sqlite_handle.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace caici {
namespace {

using testing::StreamWriter;

struct NamingCase {
    std::vector<std::string> headers;
    std::vector<std::string> names;
};

// Empty and repeated headers are named F + position, and names stay distinct.
TEST(ColumnNames, NameColumnsAsTheProviderDoes) {
    const NamingCase cases[] = {
        {{"名称", "分值"}, {"名称", "分值"}},
        {{"名称", "", "分值", "名称", "7"}, {"名称", "F2", "分值", "F4", "7"}},
        {{"", ""}, {"F1", "F2"}},
        {{"Word", "word"}, {"Word", "F2"}},
        {{"F2", ""}, {"F2", "F2_2"}},
        {{" "}, {" "}},
    };
    for (const auto& c : cases) EXPECT_EQ(columnNames(c.headers), c.names);
}

class TablesFromStream : public ::testing::Test {
protected:
    // Decodes the stream into tables of database.
    void load(const StreamWriter& stream) {
        WorkbookTables tables(database, CellFormat{});
        ReaderStreamDecoder decoder(tables);
        decoder.feed(stream.bytes());
        decoder.finish();
        sheets = tables.sheets();
    }

    std::vector<std::vector<std::string>> rows(const std::string& sql) const {
        SqliteStatement statement(database, sql);
        std::vector<std::vector<std::string>> out;
        while (statement.step()) {
            std::vector<std::string> row;
            for (int at = 0; at < statement.columnCount(); ++at) row.emplace_back(statement.columnText(at));
            out.push_back(std::move(row));
        }
        return out;
    }

    SqliteDatabase database = SqliteDatabase::openInMemory();
    std::vector<SheetInfo> sheets;
};

TEST_F(TablesFromStream, EverySheetBecomesATableNamedWithDollar) {
    StreamWriter s;
    s.magic().workbook(2);
    s.sheet("动物 词库", 3, 2).textCell("名称").textCell("分值").textCell("猫").integer(1).empty().number(2.5);
    s.sheet("Sheet2", 2, 2).textCell("名称").textCell("分值").textCell("狗").integer(2).end();
    load(s);

    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name, "动物 词库");
    EXPECT_EQ(sheets[0].dataRows, 2u);
    const std::vector<std::vector<std::string>> expected = {{"猫", "1"}, {"", "2.5"}, {"狗", "2"}};
    EXPECT_EQ(rows("select * from [动物 词库$] union all select * from [Sheet2$]"), expected);
    EXPECT_EQ(rows("select 分值 from [sheet2$]"), (std::vector<std::vector<std::string>>{{"2"}}));
}

TEST_F(TablesFromStream, HeaderOnlyAndEmptySheetsHaveNoRows) {
    StreamWriter s;
    s.magic().workbook(2).sheet("H", 1, 2).textCell("名称").textCell("分值").sheet("E", 0, 0).end();
    load(s);
    EXPECT_TRUE(rows("select * from [H$]").empty());
    EXPECT_TRUE(rows("select * from [E$]").empty());
    EXPECT_EQ(sheets[0].columns, (std::vector<std::string>{"名称", "分值"}));
    EXPECT_FALSE(sheets[0].empty);
    EXPECT_EQ(sheets[1].columns, (std::vector<std::string>{"F1"}));
    EXPECT_TRUE(sheets[1].empty);
}

// Names that need quoting in SQL are stored safely.
TEST_F(TablesFromStream, QuotesInNamesAreHarmless) {
    StreamWriter s;
    s.magic().workbook(1).sheet("a\"b]", 2, 1).textCell("x\"); DROP TABLE t; --").textCell("v").end();
    load(s);
    EXPECT_EQ(rows("select * from \"a\"\"b]$\""), (std::vector<std::vector<std::string>>{{"v"}}));
}

// SQLite refuses two tables whose names differ only in ASCII case.
TEST_F(TablesFromStream, SheetsWithTheSameNameFail) {
    StreamWriter s;
    s.magic().workbook(2).sheet("Sheet1", 0, 0).sheet("SHEET1", 0, 0).end();
    EXPECT_THROW(load(s), ESqlite);
}

}  // namespace
}  // namespace caici
