#include "workbook/library_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace caici {
namespace {

struct CheckCase {
    std::string entry;
    std::vector<std::string> messages;
};

// Each entry is judged as the round will read it.
TEST(FindEntryProblems, ReportsWhatARoundWouldTripOver) {
    const CheckCase cases[] = {
        {"苹果|3", {}},
        {" 冰 淇 淋 |2", {}},
        {"负分|-1", {"分值“-1”不是正数，答对了不加分"}},
        {"零分|0", {"分值“0”不是正数，答对了不加分"}},
        {"空格分|  4", {}},
        {"|3", {"词语是空的"}},
        {"苹果|", {"分值是空的"}},
        {"|", {"词语是空的", "分值是空的"}},
        {"小数|2.5", {"分值“2.5”不是整数"}},
        {"太大|2147483648", {"分值“2147483648”不是整数"}},
        {"a|b|3", {"词语或分值里有“|”，游戏会把它当作分隔符", "分值“b”不是整数"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> messages;
        for (const auto& problem : findEntryProblems({c.entry})) {
            EXPECT_EQ(problem.entry, c.entry);
            EXPECT_EQ(problem.index, 0u);
            messages.push_back(problem.message);
        }
        EXPECT_EQ(messages, c.messages) << c.entry;
    }
}

TEST(FindEntryProblems, NamesTheFirstCopyOfAnExactDuplicate) {
    const auto problems = findEntryProblems({"苹果|3", "香蕉|2", "苹果|3", "苹果 |3", "苹果|3"});
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].index, 2u);
    EXPECT_EQ(problems[0].message, "与 [0] 完全相同");
    EXPECT_EQ(problems[1].index, 4u);
    EXPECT_EQ(problems[1].message, "与 [0] 完全相同");
}

}  // namespace
}  // namespace caici
