// Tonight's words in the game: what the host or a phone may not add, how they
// join the deal, and that a word is kept before it counts.

#include "common/errors.h"
#include "game_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace caici::testing {
namespace {

// A shelf in memory that notes every write and can be made to fail.
struct MemoryShelf : TonightShelf {
    struct State {
        TonightKept kept;
        std::vector<std::vector<TonightWord>> writes;
        std::string failure;
    };
    explicit MemoryShelf(std::shared_ptr<State> state) : state(std::move(state)) {}
    TonightKept read() override { return state->kept; }
    void write(const std::vector<TonightWord>& words) override {
        if (!state->failure.empty()) throw Error(state->failure);
        state->writes.push_back(words);
    }
    std::shared_ptr<State> state;
};

class TonightTest : public GameFixture, public ::testing::Test {
protected:
    TonightTest() {
        library().sheets = {"动物", "食物"};
        library().entries = {{"猫", 1, "动物"}, {"大象", 2, "动物"}, {"苹果", 1, "食物"}};
        game->load();
        game->openTonightWords(std::make_unique<MemoryShelf>(shelf));
    }

    std::optional<TonightRefusal> add(const std::string& word, std::int32_t points = 1,
                                      const std::string& forbidden = {}) {
        return game->addTonightWord(TonightInput{word, points, forbidden}, TonightOrigin::host);
    }

    std::shared_ptr<MemoryShelf::State> shelf = std::make_shared<MemoryShelf::State>();
};

TonightProblem problemOf(const std::optional<TonightRefusal>& refusal) {
    if (!refusal || !std::holds_alternative<TonightProblem>(*refusal)) return {};
    return std::get<TonightProblem>(*refusal);
}

// Whatever the panel or a phone sends that a library could not play, or that
// is in play already, is refused with its fault, and nothing is kept.
TEST_F(TonightTest, BadInputIsRefusedAndNothingIsKept) {
    ASSERT_FALSE(add("火锅"));
    const std::size_t writes = shelf->writes.size();
    const std::string fortyOne(41, 'x');
    const struct {
        const char* name;
        TonightInput input;
        TonightFault fault;
    } cases[] = {
        {"empty", {"", 1, ""}, TonightFault::blank},
        {"spaces only", {"  \u3000 ", 1, ""}, TonightFault::blank},
        {"over the length cap", {fortyOne, 1, ""}, TonightFault::tooLong},
        {"a line break", {"长\n城", 1, ""}, TonightFault::controlCharacter},
        {"in the library", {"大象", 1, ""}, TonightFault::inLibrary},
        {"in the library, spaced", {" 猫 ", 2, ""}, TonightFault::inLibrary},
        {"tonight's already", {"火锅", 1, ""}, TonightFault::alreadyTonight},
        {"no points", {"长城", 0, ""}, TonightFault::points},
        {"four points", {"长城", 4, ""}, TonightFault::points},
        {"forbidden word is the word", {"长城", 1, "城墙、长城"}, TonightFault::forbidden},
        {"forbidden list with an empty item", {"长城", 1, "城墙、、北京"}, TonightFault::forbidden},
        {"six forbidden words", {"长城", 1, "一 二 三 四 五 六"}, TonightFault::forbidden},
        {"forbidden word over the cap", {"长城", 1, fortyOne}, TonightFault::forbiddenTooLong},
    };
    for (const auto& c : cases) {
        const auto refused = game->addTonightWord(c.input, TonightOrigin::phone);
        EXPECT_EQ(problemOf(refused).fault, c.fault) << c.name;
        EXPECT_TRUE(refused.has_value()) << c.name;
    }
    EXPECT_EQ(problemOf(add("大象")).sheet, "动物");
    EXPECT_EQ(problemOf(add("长城", 1, "长城")).forbidden->fault, ForbiddenFault::sameAsWord);
    EXPECT_EQ(game->tonightWords().size(), 1u);
    EXPECT_EQ(shelf->writes.size(), writes);
}

// A word typed tonight is dealt like any other, under 今晚, from the next
// start, whatever library loads meanwhile; with only 今晚 chosen it is all
// there is to deal.
TEST_F(TonightTest, OnlyTonightChosenDealsTonightsWord) {
    ASSERT_FALSE(add("<Title1>", 3, "标题、一"));
    EXPECT_TRUE(game->forbiddenMode()) << "the first word in play with forbidden words shows them";
    game->choose(WordChoice{std::set<std::string>{tonightCategory}, std::nullopt});
    // The host's "重新读取" after editing the library keeps tonight's words.
    game->load();
    EXPECT_EQ(game->words().chosenCount(game->choice()), 1u);
    start();
    EXPECT_EQ(round().currentEntry.word, "<Title1>");
    EXPECT_EQ(round().currentEntry.points, 3);
    EXPECT_EQ(round().currentEntry.sheet, tonightCategory);
    EXPECT_EQ(round().currentEntry.forbidden, (std::vector<std::string>{"标题", "一"}));
    EXPECT_EQ(game->words().count(), 0u);
}

// The first word ticks 今晚 in a choice of categories and the last takes it
// away again; a choice of everything stays everything.
TEST_F(TonightTest, TonightIsTickedOnceItHasWords) {
    game->choose(WordChoice{std::set<std::string>{"食物"}, std::nullopt});
    ASSERT_FALSE(add("火锅"));
    EXPECT_EQ(game->choice().categories, (std::set<std::string>{"食物", tonightCategory}));
    ASSERT_FALSE(add("饺子"));
    ASSERT_FALSE(game->removeTonightWord(0));
    ASSERT_FALSE(game->removeTonightWord(0));
    EXPECT_EQ(game->choice().categories, (std::set<std::string>{"食物"}));

    game->choose(WordChoice{});
    ASSERT_FALSE(add("火锅"));
    EXPECT_TRUE(game->choice().isEverything());
    const auto categories = game->categories();
    ASSERT_EQ(categories.size(), 3u);
    EXPECT_EQ(categories.back(), (CategoryCount{tonightCategory, 1}));
}

// A word that cannot be kept is not taken: the host hears why, and the
// words in play stay as they were.
TEST_F(TonightTest, AWordThatCannotBeKeptIsRefused) {
    shelf->failure = "disk full";
    const auto refused = add("火锅");
    EXPECT_EQ(problemOf(refused).fault, TonightFault::notSaved);
    EXPECT_EQ(problemOf(refused).item, "disk full");
    EXPECT_TRUE(game->tonightWords().empty());
    EXPECT_TRUE(game->categories().size() == 2u);
}

// A phone adds words between rounds only; the host's panel at any time.
TEST_F(TonightTest, APhoneAddsNoWordWhileARoundRuns) {
    start();
    const auto refused = game->addTonightWord(TonightInput{"火锅", 1, {}}, TonightOrigin::phone);
    ASSERT_TRUE(refused && std::holds_alternative<Refusal>(*refused));
    EXPECT_EQ(std::get<Refusal>(*refused), Refusal::roundRunning);
    EXPECT_FALSE(add("火锅"));
    EXPECT_EQ(game->tonightWords().size(), 1u);
}

}  // namespace
}  // namespace caici::testing
