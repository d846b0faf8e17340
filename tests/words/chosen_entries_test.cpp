// Which entries a choice deals: those of the ticked categories whose points,
// read as a round reads them, were ticked. An entry whose points no round
// can read is dealt only when any points are.

#include "words/word_choice.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

TEST(WordChoice, AdmitsTickedCategoriesWithReadablePoints) {
    const WordChoice everything{};
    const WordChoice animals{std::set<std::string>{"动物"}, std::nullopt};
    const WordChoice ones{std::nullopt, std::set<std::int32_t>{1}};
    const WordChoice animalOnes{std::set<std::string>{"动物"}, std::set<std::int32_t>{1}};
    const struct {
        const WordChoice& choice;
        const char* category;
        const char* entry;
        bool admitted;
    } cases[] = {
        {everything, "食物", "饺子|x", true},  {animals, "动物", "猫", true},
        {animals, "食物", "饺子|1", false},    {ones, "食物", "饺子|1", true},
        {ones, "动物", "猫|2", false},         {ones, "动物", "猫|x", false},
        {ones, "动物", "猫|", false},          {ones, "动物", "猫", false},
        {ones, "动物", "猫|1|备注", true},     {animalOnes, "动物", "猫|1", true},
        {animalOnes, "食物", "饺子|1", false}, {animalOnes, "动物", "狗|3", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.choice.admits(c.category, c.entry), c.admitted) << c.category << " " << c.entry;
    }
}

}  // namespace
}  // namespace caici
