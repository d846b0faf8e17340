// How a host's hand-typed 禁词 cell becomes the words shown under the word.

#include "words/forbidden_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace caici {
namespace {

// Any of the usual separators and blanks work; what cannot be a forbidden
// word is dropped and reported in the cell's order, the rest kept in order.
TEST(ForbiddenWords, ReadsACellAsTheHostTypedIt) {
    using Fault = ForbiddenFault;
    const struct {
        const char* cell;
        const char* word;
        std::vector<std::string> words;
        std::vector<ForbiddenProblem> problems;
    } cases[] = {
        {"脖子、高、动物园", "长颈鹿", {"脖子", "高", "动物园"}, {}},
        {"鼻子，耳朵,灰色", "大象", {"鼻子", "耳朵", "灰色"}, {}},
        {" 黑白  竹子\u3000国宝\t胖 ", "熊猫", {"黑白", "竹子", "国宝", "胖"}, {}},
        {"竹子 、 国宝", "熊猫", {"竹子", "国宝"}, {}},
        {"", "猫", {}, {}},
        {" \u3000\t", "猫", {}, {}},
        {"脖子、、高", "长颈鹿", {"脖子", "高"}, {{Fault::emptyItem, ""}}},
        {"、高,", "长颈鹿", {"高"}, {{Fault::emptyItem, ""}, {Fault::emptyItem, ""}}},
        {"脖子， ，高", "长颈鹿", {"脖子", "高"}, {{Fault::emptyItem, ""}}},
        {"长颈鹿、高", "长颈鹿", {"高"}, {{Fault::sameAsWord, "长颈鹿"}}},
        {"高, 长颈鹿 ", " 长颈鹿", {"高"}, {{Fault::sameAsWord, "长颈鹿"}}},
        {"高、矮、高", "长颈鹿", {"高", "矮"}, {{Fault::repeated, "高"}}},
        {"一、二、三、四、五、六、七", "数", {"一", "二", "三", "四", "五"}, {{Fault::tooMany, "六"}}},
        {"一 二 三 四 五 六、一、七", "数", {"一", "二", "三", "四", "五"},
         {{Fault::tooMany, "六"}, {Fault::repeated, "一"}}},
    };
    for (const auto& c : cases) {
        const ForbiddenList list = readForbiddenWords(c.cell, c.word);
        EXPECT_EQ(list.words, c.words) << c.cell;
        EXPECT_EQ(list.problems, c.problems) << c.cell;
    }
}

}  // namespace
}  // namespace caici
