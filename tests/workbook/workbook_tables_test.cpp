#include "workbook/workbook_tables.h"

#include "workbook/reader_stream.h"
#include "workbook/sqlite_database.h"

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

TEST_F(TablesFromStream, EverySheetBecomesATableOfItsOwn) {
    StreamWriter s;
    s.magic().workbook(2);
    s.sheet("动物 词库", 3, 2).textCell("名称").textCell("分值").textCell("猫").integer(1).empty().number(2.5);
    s.sheet("Sheet2", 2, 2).textCell("名称").textCell("分值").textCell("狗").integer(2).end();
    load(s);

    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name, "动物 词库");
    EXPECT_EQ(sheets[0].columns, (std::vector<std::string>{"名称", "分值"}));
    EXPECT_EQ(sheets[0].dataRows, 2u);
    const std::vector<std::vector<std::string>> expected = {{"猫", "1"}, {"", "2.5"}, {"狗", "2"}};
    EXPECT_EQ(rows("select * from " + sheets[0].table + " union all select * from " + sheets[1].table), expected);
}

TEST_F(TablesFromStream, HeaderOnlyAndEmptySheetsHaveNoRows) {
    StreamWriter s;
    s.magic().workbook(2).sheet("H", 1, 2).textCell("名称").textCell("分值").sheet("E", 0, 0).end();
    load(s);
    EXPECT_TRUE(rows("select * from " + sheets[0].table).empty());
    EXPECT_TRUE(rows("select * from " + sheets[1].table).empty());
    EXPECT_EQ(sheets[0].columns, (std::vector<std::string>{"名称", "分值"}));
    EXPECT_FALSE(sheets[0].empty);
    EXPECT_EQ(sheets[1].columns, (std::vector<std::string>{"F1"}));
    EXPECT_TRUE(sheets[1].empty);
}

// Sheet names and headers are kept as data, whatever SQL they spell.
TEST_F(TablesFromStream, NamesThatSpellSqlAreKeptAsData) {
    StreamWriter s;
    s.magic().workbook(1).sheet("a\"b]; DROP TABLE x; --", 2, 1).textCell("x\"); DROP TABLE t; --").textCell("v").end();
    load(s);
    EXPECT_EQ(sheets[0].name, "a\"b]; DROP TABLE x; --");
    EXPECT_EQ(sheets[0].columns, std::vector<std::string>{"x\"); DROP TABLE t; --"});
    EXPECT_EQ(rows("select * from " + sheets[0].table), (std::vector<std::vector<std::string>>{{"v"}}));
}

// Two sheets that one name would find (ASCII case aside) mark a damaged file.
TEST_F(TablesFromStream, SheetsWithTheSameNameFail) {
    StreamWriter s;
    s.magic().workbook(2).sheet("Sheet1", 0, 0).sheet("SHEET1", 0, 0).end();
    EXPECT_THROW(load(s), EReaderStream);
}

class ReadOnlyTables : public TablesFromStream {
protected:
    // A sheet of 100 words, built and closed for reading as the load does it.
    ReadOnlyTables() {
        StreamWriter s;
        s.magic().workbook(1).sheet("Sheet1", 101, 2).textCell("名称").textCell("分值");
        for (int at = 0; at < 100; ++at) s.textCell("词" + std::to_string(at)).integer(at);
        load(s.end());
        database.allowOnlyReading({sheets[0].table});
    }
};

// Once the tables are built, a statement may read them and do nothing else.
TEST_F(ReadOnlyTables, RefuseEverythingButReadingTheSheetTables) {
    EXPECT_EQ(rows("select * from sheet_1 where rowid = 1"), (std::vector<std::vector<std::string>>{{"词0", "0"}}));
    for (const char* sql : {
             "select * from sqlite_master",
             "select hex(fts3_tokenizer('simple'))",
             "select load_extension('/tmp/x.so')",
             "select count(*) from sheet_1",
             "with recursive c(x) as (select 1 union all select x + 1 from c) select x from c",
             "select * from pragma_table_info('sheet_1')",
             "pragma table_info(sheet_1)",
             "attach ':memory:' as other",
             "insert into sheet_1 values ('骗子词', 99)",
             "delete from sheet_1",
             "create table sheet_2 (c1)",
             "drop table sheet_1",
         }) {
        EXPECT_THROW(SqliteStatement(database, sql), ESqlite) << sql;
    }
}

// A step that runs away is stopped with a clear message instead of hanging.
TEST_F(ReadOnlyTables, ARunawayStepIsStopped) {
    SqliteStatement statement(database,
                              "select a.c1 from sheet_1 a, sheet_1 b, sheet_1 c, sheet_1 d "
                              "where a.rowid + b.rowid + c.rowid + d.rowid < 0");
    try {
        statement.step();
        FAIL() << "the step ran to its end";
    } catch (const ESqlite& error) {
        EXPECT_EQ(error.what(), runawayStatementText());
    }
}

}  // namespace
}  // namespace caici
