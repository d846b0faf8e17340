#include "workbook/workbook_connection.h"
#include "workbook/workbook_query.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace caici {
namespace {

using testing::ScratchFolder;

WorkbookConnection connectionTo(const std::string& path, const std::string& reader = CAICI_XLSREADER) {
    WorkbookConnection connection(reader, ReaderLimits{}, CellFormat{".", "%Y/%m/%d"});
    connection.setConnectionString(connectionStringFor(path));
    return connection;
}

struct ListingCase {
    const char* workbook;
    std::vector<std::string> tables;
};

// Worksheets are listed in workbook order as name + "$", quoted where needed.
TEST(WorkbookConnection, ListsTheWorksheetsAsTables) {
    const ListingCase cases[] = {
        {"words_two_sheets.xls", {"Sheet1$", "Sheet2$"}},
        {"words_sheet_name_with_blank.xls", {"'动物 词库$'", "Sheet2$"}},
        {"words_mismatched_columns.xls", {"水果$", "动物$"}},
        {"words_empty_sheet.xls", {"Sheet1$", "Sheet2$"}},
    };
    for (const auto& c : cases) {
        auto connection = connectionTo(testing::fixture(c.workbook).string());
        std::vector<std::string> names = {"left over"};
        connection.getTableNames(names);
        EXPECT_EQ(names, c.tables) << c.workbook;
        EXPECT_TRUE(connection.isOpen());
    }
}

TEST(WorkbookConnection, ListsAllOfManySheets) {
    auto connection = connectionTo(testing::fixture("words_many_sheets.xls").string());
    std::vector<std::string> names;
    connection.getTableNames(names);
    ASSERT_EQ(names.size(), 120u);
    EXPECT_EQ(names.front(), "S001$");
    EXPECT_EQ(names.back(), "S120$");
}

// Every damaged file ends in the one clear error, whatever the reader did
// with it, and the listing is left as it was.
TEST(WorkbookConnection, DamagedFilesFailWithOneClearError) {
    std::vector<std::filesystem::path> files = {testing::fixture("words_truncated.xls"),
                                                testing::fixture("words_not_a_workbook.xls")};
    for (const auto& entry : std::filesystem::directory_iterator(testing::malformedFixtures())) {
        files.push_back(entry.path());
    }
    ASSERT_GE(files.size(), 7u);
    for (const auto& file : files) {
        auto connection = connectionTo(file.string());
        std::vector<std::string> names = {"kept"};
        try {
            connection.getTableNames(names);
            ADD_FAILURE() << file << " was read";
        } catch (const EWorkbookUnreadable& error) {
            const std::string text = error.what();
            EXPECT_EQ(text.rfind("词库文件已损坏或无法读取：" + file.string(), 0), 0u) << text;
        }
        EXPECT_EQ(names, std::vector<std::string>{"kept"}) << file;
        EXPECT_FALSE(connection.isOpen());
    }
}

// A reader that crashes is reported as crashed. (The file that crashed the
// earlier workbook library is now refused as damaged, with the others.)
TEST(WorkbookConnection, AReaderCrashIsReportedAsSuch) {
    ScratchFolder folder;
    auto connection = connectionTo("/some/words.xls", folder.script("reader", "printf CAICIXR1; kill -SEGV $$"));
    try {
        connection.open();
        FAIL() << "the crash file was read";
    } catch (const EWorkbookUnreadable& error) {
        EXPECT_EQ(error.cause(), ReaderFailure::crashed);
    }
}

TEST(WorkbookConnection, MalformedReaderOutputIsAnUnreadableWorkbook) {
    ScratchFolder folder;
    const ReaderFailure expected = ReaderFailure::malformed;
    for (const char* body : {"printf 'CAICIXR1B\\001\\000\\000\\000E'", "printf garbage", "printf ''"}) {
        auto connection = connectionTo("/some/words.xls", folder.script("reader", body));
        try {
            connection.open();
            ADD_FAILURE() << body;
        } catch (const EWorkbookUnreadable& error) {
            EXPECT_EQ(error.cause(), expected) << body;
        }
    }
}

// A failed open is remembered: the query does not start the reader again,
// but a new connection string does.
TEST(WorkbookConnection, AFailedOpenIsKeptUntilTheConnectionStringIsSetAgain) {
    ScratchFolder folder;
    const std::string reader = folder.script("reader", "echo run >> \"$(dirname \"$0\")/runs\"; exit 1");
    auto connection = connectionTo("/some/words.xls", reader);
    EXPECT_THROW(connection.open(), EWorkbookUnreadable);
    EXPECT_THROW(connection.open(), EWorkbookUnreadable);
    auto runs = [&] {
        std::ifstream in(folder.path() / "runs");
        int count = 0;
        for (std::string line; std::getline(in, line);) ++count;
        return count;
    };
    EXPECT_EQ(runs(), 1);
    connection.setConnectionString(connectionStringFor("/some/words.xls"));
    EXPECT_THROW(connection.open(), EWorkbookUnreadable);
    EXPECT_EQ(runs(), 2);
}

TEST(WorkbookConnection, WithoutADataSourceNothingOpens) {
    WorkbookConnection connection(CAICI_XLSREADER);
    EXPECT_EQ(connection.connectionString(), "Provider=Microsoft.Jet.OLEDB.4.0");
    EXPECT_THROW(connection.open(), Error);
}

class QueryOverFixture : public ::testing::Test {
protected:
    QueryOverFixture() : connection(connectionTo(testing::fixture("words_two_sheets.xls").string())), query(connection) {}

    std::vector<std::vector<std::string>> all() {
        std::vector<std::vector<std::string>> rows;
        for (query.first(); !query.eof(); query.next()) {
            std::vector<std::string> row;
            for (std::size_t at = 0; at < query.columnNames().size(); ++at) row.emplace_back(query.fieldText(at));
            rows.push_back(std::move(row));
        }
        return rows;
    }

    WorkbookConnection connection;
    WorkbookQuery query;
};

TEST_F(QueryOverFixture, RunsTheUnionOfSheetsAsCellTexts) {
    query.open({"Sheet1", "Sheet2"});
    EXPECT_EQ(query.columnNames(), (std::vector<std::string>{"名称", "分值"}));
    const std::vector<std::vector<std::string>> expected = {
        {"苹果", "3"}, {"香蕉", "5"}, {" 冰 淇 淋 ", "2"}, {"大象", "4"}, {"长颈鹿", "2.5"},
    };
    EXPECT_EQ(all(), expected);
    EXPECT_EQ(all(), expected);  // first() starts over
}

// Each row tells its sheet and its row number as the spreadsheet shows it.
TEST_F(QueryOverFixture, RowsKnowWhereTheyStand) {
    query.open({"sheet2", "Sheet1"});
    std::vector<std::pair<std::string, std::uint32_t>> places;
    for (query.first(); !query.eof(); query.next()) places.emplace_back(query.place().sheet, query.place().row);
    EXPECT_EQ(places, (std::vector<std::pair<std::string, std::uint32_t>>{
                          {"Sheet2", 2}, {"Sheet2", 3}, {"Sheet1", 2}, {"Sheet1", 3}, {"Sheet1", 4}}));
}

TEST_F(QueryOverFixture, FieldsAreFoundByNameOrNotAtAll) {
    query.open({"Sheet1"});
    EXPECT_EQ(query.fieldText(query.fieldIndex("名称")), "苹果");
    EXPECT_EQ(query.fieldText(query.fieldIndex("分值")), "3");
    try {
        query.fieldIndex("分数");
        FAIL() << "a missing field was found";
    } catch (const EFieldNotFound& error) {
        EXPECT_EQ(error.field(), "分数");
    }
}

// Sheet names are looked up, never run: a name that is no sheet fails.
TEST_F(QueryOverFixture, NamesThatAreNoSheetFail) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {""}, {"Sheet3"}, {"Sheet1$"}, {"Sheet1", "Sheet1] union all select 1, 2 --"}, {"[Sheet1]"},
    };
    for (const auto& names : cases) {
        EXPECT_THROW(query.open(names), EQueryFailed) << ::testing::PrintToString(names);
        EXPECT_FALSE(query.isOpen());
    }
}

TEST(WorkbookQuery, SheetsOfDifferentWidthsFailTogether) {
    auto connection = connectionTo(testing::fixture("words_mismatched_columns.xls").string());
    WorkbookQuery query(connection);
    EXPECT_THROW(query.open({"水果", "动物"}), EQueryFailed);
    EXPECT_NO_THROW(query.open({"动物"}));
}

// The rows stay readable when the connection is closed under a running query.
TEST_F(QueryOverFixture, AnOpenQueryOutlivesItsConnection) {
    query.open({"Sheet2"});
    connection.close();
    EXPECT_EQ(all(), (std::vector<std::vector<std::string>>{{"大象", "4"}, {"长颈鹿", "2.5"}}));
}

}  // namespace
}  // namespace caici
