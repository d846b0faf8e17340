// "犯规": the describer said a forbidden word. The word ends as a skip does,
// under the skip's penalties, and, by the host's rule, costs a point on top;
// the review shows it and mends it like any other line, and the history and
// the exported table keep it. 禁词模式 follows the words in play until the
// host switches it.

#include "game/match_store.h"
#include "game_fixture.h"
#include "history_folder.h"
#include "texts/match_export.h"

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

class Foul : public GameFixture, public ::testing::Test {
protected:
    void foul() {
        EXPECT_EQ(game->perform(Command{CommandKind::foul}), std::nullopt);
        later();
    }

    TemporaryFolder folder;
};

// A foul takes its place among the growing skip penalties; with the point
// rule it also costs a point, which the review's total keeps as long as the
// line stays a foul.
TEST_F(Foul, CountsAsASkipAndMayCostAPoint) {
    dealInOrder({{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 2}, {"戊", 1}, {"己", 1}});
    game->openHistory(folder.file("history.db"));
    game->startMatch({"红队", "蓝队"}, 1);
    game->setFoulRule(FoulRule::alsoPoint);
    start(60);
    const std::size_t from = log.entries.size();
    correct();  // 甲 +1
    skip();     // 乙, free
    foul();     // 丙, free, -1 point
    foul();     // 丁, the third: 2 seconds
    EXPECT_EQ(log.since(from, "s"), (Log{"score 1 +1", "skip 1 -0", "skip 2 -0", "score 0 +-1", "skip 3 -2",
                                         "score -1 +-1"}));
    EXPECT_EQ(round().skipCount, 3);
    EXPECT_EQ(round().remainingSeconds, 58);
    EXPECT_EQ(round().score, -1);
    ticks(60);

    ASSERT_TRUE(game->review());
    const Review& review = *game->review();
    ASSERT_EQ(review.entries().size(), 5u);
    EXPECT_EQ(review.entries()[2].verdict, Verdict::foul);
    EXPECT_EQ(review.entries()[3].verdict, Verdict::foul);
    EXPECT_EQ(review.total(), -1) << "the total as played is the round's live score";
    EXPECT_EQ(review.skips(), 3);

    // Mended to correct, 丙 earns its 3 points and its foul point comes back.
    game->toggleReviewEntry(2);
    EXPECT_EQ(game->review()->entries()[2].verdict, Verdict::correct);
    EXPECT_EQ(game->review()->total(), 3);
    EXPECT_EQ(game->review()->skips(), 2);
    game->toggleReviewEntry(2);
    EXPECT_EQ(game->review()->entries()[2].verdict, Verdict::foul);
    EXPECT_EQ(game->review()->total(), -1);

    game->toggleReviewEntry(3);  // 丁 counts after all: 2 - 1 + 1
    game->confirmReview();
    ASSERT_EQ(game->match()->rounds().size(), 1u);
    EXPECT_EQ(game->match()->rounds()[0].score, 2);
    EXPECT_EQ(game->match()->rounds()[0].skips, 2);

    // The history read back keeps the foul; the exported table names it.
    const std::optional<Match> kept = MatchStore(folder.file("history.db")).unfinishedMatch();
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->rounds().size(), 1u);
    EXPECT_EQ(kept->rounds()[0].entries[2].verdict, Verdict::foul);
    EXPECT_EQ(kept->rounds()[0].entries[3].asPlayed, Verdict::foul);
    EXPECT_EQ(kept->rounds()[0].score, 2);
    const std::string csv = matchCsv(*kept);
    EXPECT_NE(csv.find("1,红队,丙,3,犯规\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("1,红队,丁,2,正确\r\n"), std::string::npos) << csv;
}

// Under the default rule a foul is a skip by another name: no point is lost.
// When too little time is left for a skip, a foul is refused with it.
TEST_F(Foul, ByDefaultCostsNoPointAndIsRefusedWithTheSkip) {
    dealInOrder({{"甲", 1}, {"乙", 2}, {"丙", 3}});
    start(12);
    foul();
    EXPECT_EQ(round().score, 0);
    EXPECT_EQ(round().skipCount, 1);
    ticks(3);  // 9 s left: too little for a skip
    EXPECT_EQ(game->perform(Command{CommandKind::foul}), std::nullopt);
    EXPECT_EQ(round().skipCount, 1);
    EXPECT_EQ(game->perform(Command{CommandKind::foul}), Refusal::pressOff);
    EXPECT_FALSE(game->available().has(CommandKind::foul));
}

// 禁词模式 is on when the words in play carry forbidden words, until the
// host switches it; the views hear of each change.
TEST_F(Foul, ForbiddenModeFollowsTheWordsInPlay) {
    struct ModeLog : GameListener {
        void forbiddenModeChanged(bool on) override { seen.push_back(on); }
        std::vector<bool> seen;
    } modes;
    game->addListener(modes);
    library().entries = {{"长颈鹿", 2, "动物", 2, {"脖子", "高", "动物园"}}, {"猫", 1, "动物", 3}};
    game->load();
    EXPECT_TRUE(game->forbiddenMode());
    game->setForbiddenMode(false);
    EXPECT_FALSE(game->forbiddenMode());
    EXPECT_EQ(modes.seen, (std::vector<bool>{true, false}));

    library().files["/词库/plain.csv"] = {{"猫", 1}, {"狗", 1}};
    game->setForbiddenMode(true);
    game->openLibrary("/词库/plain.csv");
    EXPECT_FALSE(game->forbiddenMode()) << "a library opened afresh follows its own words";
    game->removeListener(modes);
}

}  // namespace
}  // namespace caici::testing
