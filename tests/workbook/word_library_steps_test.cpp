#include "workbook/word_library.h"
#include "workbook/workbook_connection.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace caici {
namespace {

struct FilterCase {
    std::vector<std::string> listed;
    std::vector<std::string> kept;
};

// Print titles, print areas, filter ranges and "'_" names are dropped; "'"
// and "$" are removed from the rest.
TEST(FilterSheetNames, DropsBuiltInNamesAndStripsQuotesAndDollars) {
    const FilterCase cases[] = {
        {{"Sheet1$", "Sheet1$Print_Area", "Sheet2$"}, {"Sheet1", "Sheet2"}},
        {{"'动物 词库$'", "Sheet2$"}, {"动物 词库", "Sheet2"}},
        {{"'Bob''s$'"}, {"Bobs"}},
        {{"A$B$"}, {"AB"}},
        {{"x$Print_Titles", "y$_FilterDatabase", "'_hidden$'", "z"}, {"z"}},
        {{"print_area$"}, {"print_area"}},
        {{"$", "''", ""}, {}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names = c.listed;
        filterSheetNames(names);
        EXPECT_EQ(names, c.kept) << ::testing::PrintToString(c.listed);
    }
}

// Only the first 100 positions are looked at, filtered ones included.
TEST(FilterSheetNames, LooksAtTheFirstHundredPositionsOnly) {
    std::vector<std::string> names;
    for (int at = 0; at < 120; ++at) names.push_back("S" + std::to_string(at) + "$");
    names[5] = "S5$Print_Area";
    filterSheetNames(names);
    ASSERT_EQ(names.size(), 99u);
    EXPECT_EQ(names.front(), "S0");
    EXPECT_EQ(names[5], "S6");
    EXPECT_EQ(names.back(), "S99");
}

TEST(UnionQueryLines, OneLinePerSheetJoinedByUnionAll) {
    EXPECT_EQ(unionQueryLines({}), (std::vector<std::string>{"select * from [$]"}));
    EXPECT_EQ(unionQueryLines({"A"}), (std::vector<std::string>{"select * from [A$]"}));
    EXPECT_EQ(unionQueryLines({"A", "B", "C"}),
              (std::vector<std::string>{"select * from [A$] union all ", "select * from [B$] union all ",
                                        "select * from [C$]"}));
    EXPECT_EQ(unionQueryLines({"动物 词库"}), (std::vector<std::string>{"select * from [动物 词库$]"}));
}

struct ListedCase {
    const char* sheet;
    const char* listed;
};

// The listing puts names that need quoting between "'" marks.
TEST(ListedTableName, QuotesNamesWithBlanksAndOtherSigns) {
    const ListedCase cases[] = {
        {"Sheet1", "Sheet1$"}, {"词库", "词库$"},       {"my_words", "my_words$"}, {"动物 词库", "'动物 词库$'"},
        {"a-b", "'a-b$'"},     {"2024", "'2024$'"}, {"Bob's", "'Bob''s$'"},   {"_草稿", "'_草稿$'"},
    };
    for (const auto& c : cases) EXPECT_EQ(listedTableName(c.sheet), c.listed);
}

struct SourceCase {
    const char* path;
    const char* connectionString;
};

TEST(ConnectionString, NamesTheWorkbookAndGivesItBack) {
    const SourceCase cases[] = {
        {"/home/host/words.xls",
         "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/host/words.xls;Extended Properties=Excel 8.0"},
        {"/tmp/a;b/words.xls",
         "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/tmp/a;b/words.xls\";Extended Properties=Excel 8.0"},
        {"\"q\"/words.xls",
         "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"\"\"q\"\"/words.xls\";Extended Properties=Excel 8.0"},
        {"/词库 文件夹/words.xls",
         "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/词库 文件夹/words.xls;Extended Properties=Excel 8.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(connectionStringFor(c.path), c.connectionString);
        EXPECT_EQ(dataSourceOf(c.connectionString), c.path);
    }
    EXPECT_EQ(dataSourceOf("Provider=Microsoft.Jet.OLEDB.4.0"), "");
    EXPECT_EQ(dataSourceOf("Provider=\"x;Data Source=y\";Data Source=z"), "z");
}

TEST(FindWorkbook, MatchesTheFileNameWithoutRegardToCase) {
    testing::ScratchFolder folder;
    EXPECT_EQ(findWorkbook(folder.base()), folder.base() + "words.xls");
    folder.write("WORDS.XLS", "x");
    EXPECT_EQ(findWorkbook(folder.base()), folder.base() + "WORDS.XLS");
    folder.write("words.xls", "x");
    EXPECT_EQ(findWorkbook(folder.base()), folder.base() + "words.xls");
}

}  // namespace
}  // namespace caici
