#include "game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace caici::testing {
namespace {

class WordChoiceTest : public GameFixture, public ::testing::Test {
protected:
    WordChoiceTest() {
        library().sheets = {"动物", "食物", "地点"};
        library().entries = {{"猫", 1, "动物"},   {"大象", 2, "动物"}, {"苹果", 1, "食物"}, {"火锅", 3, "食物"},
                             {"长城", 1, "地点"}, {"故宫", 2, "地点"}, {"狗", 1, "动物"},   {"饺子", 1, "食物"}};
    }

    // Every word the play order deals from the next start until it runs out.
    std::multiset<std::string> dealtFromNextStart() {
        start();
        std::multiset<std::string> dealt{round().currentEntry.word};
        while (game->words().count() != 0) {
            correct();
            dealt.insert(round().currentEntry.word);
        }
        return dealt;
    }
};

// Only entries of a ticked category with ticked points are dealt.
TEST_F(WordChoiceTest, OnlyChosenCategoriesAndPointsAreDealt) {
    const struct {
        WordChoice choice;
        std::multiset<std::string> dealt;
    } cases[] = {
        {WordChoice{}, {"猫", "大象", "苹果", "火锅", "长城", "故宫", "狗", "饺子"}},
        {WordChoice{std::set<std::string>{"动物", "食物"}, std::set<std::int32_t>{1}}, {"猫", "苹果", "狗", "饺子"}},
        {WordChoice{std::set<std::string>{"地点"}, std::nullopt}, {"长城", "故宫"}},
        {WordChoice{std::nullopt, std::set<std::int32_t>{2, 3}}, {"大象", "火锅", "故宫"}},
    };
    for (const auto& c : cases) {
        game->choose(c.choice);
        EXPECT_EQ(dealtFromNextStart(), c.dealt);
        EXPECT_EQ(game->words().library().size(), 8u) << "the word list keeps the whole library";
    }
    EXPECT_EQ(log.since(0, "error"), Log{});
}

// The dialog lists the categories and points with their counts.
TEST_F(WordChoiceTest, CategoriesAndPointsAreCounted) {
    game->load();
    EXPECT_EQ(game->categories(), (std::vector<CategoryCount>{{"动物", 3}, {"食物", 3}, {"地点", 2}}));
    EXPECT_EQ(game->pointCounts(), (std::map<std::int32_t, std::size_t>{{1, 5}, {2, 2}, {3, 1}}));
}

// At least one entry must remain: a choice without any is refused with a
// message, and the choice in force stays.
TEST_F(WordChoiceTest, AChoiceThatLeavesNoWordIsRefused) {
    game->load();
    const WordChoice animals{std::set<std::string>{"动物"}, std::nullopt};
    game->choose(animals);
    game->choose(WordChoice{std::set<std::string>{"地点"}, std::set<std::int32_t>{3}});
    game->choose(WordChoice{std::set<std::string>{}, std::nullopt});
    EXPECT_EQ(log.since(0, "error"), Log(2, "error nothing chosen"));
    EXPECT_EQ(game->choice(), animals);
}

// A choice remembered from an earlier run is taken before the first load;
// when the library has no such words any more, the start says so and does
// not begin a round.
TEST_F(WordChoiceTest, ARememberedChoiceThatNoLongerFitsStopsTheStart) {
    game->choose(WordChoice{std::set<std::string>{"已经删掉的表"}, std::nullopt});
    game->start();
    EXPECT_EQ(log.since(0, "error"), Log{"error nothing chosen"});
    EXPECT_EQ(round().phase, RoundPhase::idle);
}

// A new choice waits for the next start: the round in play keeps dealing
// its play order, the next start deals the chosen words afresh even though
// more than 50 entries were left.
TEST_F(WordChoiceTest, AChangedChoiceTakesEffectAtTheNextStart) {
    library().entries.clear();
    for (int i = 0; i < 120; ++i) library().entries.push_back({"词" + std::to_string(i), 1 + i % 2});
    start();
    game->choose(WordChoice{std::nullopt, std::set<std::int32_t>{2}});
    EXPECT_EQ(game->words().count(), 119u);
    correct();
    EXPECT_EQ(game->words().count(), 118u);
    start();
    EXPECT_EQ(game->words().count(), 59u);
    // The same choice again keeps the order where it is.
    game->choose(WordChoice{std::nullopt, std::set<std::int32_t>{2}});
    start();
    EXPECT_EQ(game->words().count(), 58u);
}

// A chosen library file replaces the one in play at once and is dealt from
// the next start; one that fails to load leaves everything as it was.
TEST_F(WordChoiceTest, OpeningAnotherLibrary) {
    library().files["/host/班级.xlsx"] = {{"黑板", 1}, {"粉笔", 2}};
    game->load();
    game->choose(WordChoice{std::set<std::string>{"动物"}, std::nullopt});
    game->openLibrary("/host/坏的.xlsx");
    EXPECT_EQ(log.since(0, "error"), Log{"error 无法读取词库文件：/host/坏的.xlsx。"});
    EXPECT_EQ(game->libraryFile().path, "/游戏/words.xls");
    EXPECT_EQ(game->words().library().size(), 8u);

    game->openLibrary("/host/班级.xlsx");
    EXPECT_EQ(game->libraryFile(), (LibraryFile{"/host/班级.xlsx", LibraryOrigin::chosen, {}}));
    EXPECT_TRUE(game->choice().isEverything());
    EXPECT_EQ(dealtFromNextStart(), (std::multiset<std::string>{"黑板", "粉笔"}));
    EXPECT_EQ(log.since(0, "error").size(), 1u);
}

// While the library loads, a change of library or choice is refused, and
// editing reports a failure once.
TEST_F(WordChoiceTest, BusyGameRefusesChangesAndEditingFailsOnce) {
    library().onLoad = [this] {
        library().onLoad = nullptr;
        game->choose(WordChoice{std::nullopt, std::set<std::int32_t>{1}});
        game->openLibrary("/host/班级.xlsx");
    };
    game->load();
    EXPECT_EQ(log.since(0, "error"), (Log{"error busy choose", "error busy open"}));
    EXPECT_TRUE(game->choice().isEverything());

    EXPECT_EQ(game->fileToEdit(), std::nullopt);
    library().editable = "/home/主持人/.local/share/caici/words.xls";
    EXPECT_EQ(game->fileToEdit(), library().editable);
    EXPECT_EQ(log.since(0, "error").size(), 3u);
}

}  // namespace
}  // namespace caici::testing
