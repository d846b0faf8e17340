// A 禁词 cell as hosts type it: every separator taken, what cannot be a
// forbidden word dropped and named.

#include "words/forbidden_words.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

using Words = std::vector<std::string>;
using Problems = std::vector<ForbiddenProblem>;
constexpr auto empty = ForbiddenFault::emptyItem;
constexpr auto same = ForbiddenFault::sameAsWord;
constexpr auto repeated = ForbiddenFault::repeated;
constexpr auto tooMany = ForbiddenFault::tooMany;

TEST(ForbiddenWords, ReadsEverySeparatorAndNamesWhatItDrops) {
    const struct {
        const char* cell;
        Words words;
        Problems problems;
    } cases[] = {
        {"", {}, {}},
        {" \t\u3000", {}, {}},
        {"脖子、高，动物园,斑点", {"脖子", "高", "动物园", "斑点"}, {}},
        {" 脖子  高\u3000动物园 ", {"脖子", "高", "动物园"}, {}},
        {"脖子 、 高", {"脖子", "高"}, {}},
        {"脖子、、高", {"脖子", "高"}, {{empty, ""}}},
        {"、高", {"高"}, {{empty, ""}}},
        {"高，", {"高"}, {{empty, ""}}},
        {"长颈鹿、高", {"高"}, {{same, "长颈鹿"}}},
        {"高、脖子 高", {"高", "脖子"}, {{repeated, "高"}}},
        {"一、二、三、四、五、六、七", {"一", "二", "三", "四", "五"}, {{tooMany, "六"}}},
        {"<Title1>、a&b", {"<Title1>", "a&b"}, {}},
    };
    for (const auto& c : cases) {
        const ForbiddenList list = readForbiddenWords(c.cell, "长颈鹿");
        EXPECT_EQ(list.words, c.words) << c.cell;
        EXPECT_EQ(list.problems, c.problems) << c.cell;
    }
}

}  // namespace
}  // namespace caici
