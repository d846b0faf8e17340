// Which entries a choice deals: those of the ticked categories whose points
// were ticked.

#include "words/word_choice.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

TEST(WordChoice, AdmitsTickedCategoriesAndPoints) {
    const WordChoice everything{};
    const WordChoice animals{std::set<std::string>{"动物"}, std::nullopt};
    const WordChoice ones{std::nullopt, std::set<std::int32_t>{1}};
    const WordChoice animalOnes{std::set<std::string>{"动物"}, std::set<std::int32_t>{1}};
    const struct {
        const WordChoice& choice;
        WordEntry entry;
        bool admitted;
    } cases[] = {
        {everything, {"饺子", 3, "食物"}, true},   {animals, {"猫", 2, "动物"}, true},
        {animals, {"饺子", 1, "食物"}, false},     {ones, {"饺子", 1, "食物"}, true},
        {ones, {"猫", 2, "动物"}, false},          {animalOnes, {"猫", 1, "动物"}, true},
        {animalOnes, {"饺子", 1, "食物"}, false},  {animalOnes, {"狗", 3, "动物"}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.choice.admits(c.entry), c.admitted) << c.entry.sheet << " " << c.entry.word;
    }
}

}  // namespace
}  // namespace caici
