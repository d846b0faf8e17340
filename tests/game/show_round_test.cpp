// A round as a show plays it: the rule card before the first word, the skip
// cap, the final's double points, the time each word took, the ticks of the
// last ten seconds and a 禁词 round that shows the forbidden words.

#include "game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace caici::testing {
namespace {

class ShowRound : public GameFixture, public ::testing::Test {
protected:
    ShowRound() { library().entries = numberedWords(120); }

    // The card's events and what follows them, from mark on.
    Log cardLog(std::size_t mark) const {
        Log out;
        for (const std::string& entry : log.since(mark)) {
            if (entry.rfind("card", 0) == 0 || entry.rfind("word", 0) == 0 || entry == "cue start" ||
                entry == "started" || entry.rfind("score", 0) == 0) {
                out.push_back(entry.rfind("word", 0) == 0 ? "word" : entry);
            }
        }
        return out;
    }

    MatchSetup twoTeams(MatchRules rules = {}) const {
        MatchSetup setup;
        setup.teams = {{"红队", 0, {"阿", "波"}}, {"蓝队", 1, {}}};
        setup.rules = std::move(rules);
        return setup;
    }
};

// The card counts 3-2-1 on the countdown's ticks and the first word comes
// when it ends, or at once on 正确 or 开始; meanwhile nothing else is taken
// and the start cue waits for the word.
TEST_F(ShowRound, TheRuleCardCountsDownOrIsCutShort) {
    const struct {
        const char* name;
        std::function<void(ShowRound&)> end;
        Log expected;
    } cases[] = {
        {"three ticks",
         [](ShowRound& t) { t.ticks(3); },
         {"started", "card 1 team -1 ", "card time 2", "card time 1", "cue start", "word"}},
        {"正确", [](ShowRound& t) { t.game->perform({CommandKind::correct}); },
         {"started", "card 1 team -1 ", "cue start", "word"}},
        {"开始", [](ShowRound& t) { t.game->perform({CommandKind::start}); },
         {"started", "card 1 team -1 ", "cue start", "word"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowRound& t = *this;
        t.game->setRoundKind(RoundKind::act);
        t.game->setCountdownSeconds(30);
        const std::size_t mark = t.log.entries.size();
        t.game->start();
        ASSERT_EQ(t.round().phase, RoundPhase::card);
        ASSERT_TRUE(t.game->card());
        EXPECT_EQ(t.game->card()->kind, RoundKind::act);
        EXPECT_EQ(t.game->card()->countdownSeconds, 30);
        EXPECT_EQ(t.game->perform({CommandKind::skip}), Refusal::noRound);
        EXPECT_EQ(t.game->perform({CommandKind::foul}), Refusal::noRound);
        EXPECT_EQ(t.game->perform({CommandKind::pause}), Refusal::noRound);
        EXPECT_TRUE(t.game->available().has(CommandKind::correct));
        EXPECT_TRUE(t.game->available().has(CommandKind::start));

        c.end(t);
        // The press that ended the card credits nothing, nor does one that follows at once.
        t.game->correct();
        EXPECT_EQ(cardLog(mark), c.expected);
        EXPECT_EQ(t.round().phase, RoundPhase::running);
        EXPECT_EQ(t.round().remainingSeconds, 30);
        EXPECT_EQ(t.round().score, 0);
        EXPECT_FALSE(t.game->card());
        t.game->close();
    }
}

// A plain single 描述 round starts at once, as it always has.
TEST_F(ShowRound, ASingleDescribeRoundHasNoCard) {
    start(30);
    EXPECT_EQ(round().phase, RoundPhase::running);
    EXPECT_EQ(log.since(0, "card"), Log{});
}

// At the cap 跳过 is refused with its own reason on every device; 犯规 is
// still called and counts among the skips.
TEST_F(ShowRound, TheSkipCapStopsSkipsButNotFouls) {
    const struct {
        std::int32_t cap;
        int skipsTaken;
    } cases[] = {{0, 0}, {1, 1}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cap);
        game->setSkipCap(c.cap);
        start(90);
        for (int i = 0; i < c.skipsTaken; ++i) {
            EXPECT_EQ(game->perform({CommandKind::skip}), std::nullopt) << i;
            later();
        }
        EXPECT_EQ(round().skipCount, c.skipsTaken);
        EXPECT_TRUE(round().skipCapReached);
        EXPECT_FALSE(round().skipEnabled);
        EXPECT_EQ(game->perform({CommandKind::skip}), Refusal::skipCap);
        EXPECT_FALSE(game->available().has(CommandKind::skip));
        EXPECT_EQ(log.since(0, "controls").back(), "controls on off");

        EXPECT_TRUE(game->available().has(CommandKind::foul));
        EXPECT_EQ(game->perform({CommandKind::foul}), std::nullopt);
        later();
        EXPECT_EQ(round().skipCount, c.skipsTaken + 1);
        EXPECT_EQ(game->perform({CommandKind::skip}), Refusal::skipCap);
        game->close();
    }
    game->setSkipCap(std::nullopt);
    start(90);
    EXPECT_FALSE(round().skipCapReached);
}

// The final's words count twice: on the big screen as they are credited, in
// the review's total and in the standings.
TEST_F(ShowRound, TheFinalCountsDouble) {
    MatchRules rules;
    rules.passes = 1;
    rules.final = true;
    game->startMatch(twoTeams(rules));
    ASSERT_TRUE(game->match());
    // 红队 one word, 蓝队 none but a skip: the final comes next, 蓝队 first.
    start(30);
    correct();
    ticks(30);
    game->confirmReview();
    start(30);
    skip();
    ticks(30);
    game->confirmReview();
    ASSERT_EQ(game->match()->next()->stage, MatchStage::final);
    EXPECT_EQ(game->match()->next()->team, 1);

    const std::size_t mark = log.entries.size();
    start(90);
    EXPECT_EQ(log.since(mark, "card"), Log{"card 0 team 1  double"});
    EXPECT_EQ(round().remainingSeconds, 45);
    const std::int32_t points = round().currentEntry.points;
    correct();
    EXPECT_EQ(round().score, 2 * points);
    EXPECT_EQ(log.since(mark, "score"), Log{"score " + std::to_string(2 * points) + " +" + std::to_string(2 * points)});
    ticks(45);
    ASSERT_TRUE(game->review());
    EXPECT_EQ(game->review()->total(), 2 * points);
    game->toggleReviewEntry(1);  // the word on display at the end, credited afterwards
    const std::int32_t late = game->review()->entries()[1].entry.points;
    EXPECT_EQ(game->review()->total(), 2 * (points + late));
    game->confirmReview();

    const MatchRound& final = game->match()->rounds().back();
    EXPECT_EQ(final.stage, MatchStage::final);
    EXPECT_EQ(final.score, 2 * (points + late));
    const auto standings = game->match()->standings();
    const auto blue = std::find_if(standings.begin(), standings.end(), [](const Standing& s) { return s.team == 1; });
    EXPECT_EQ(blue->score, 2 * (points + late));
}

// The time from a word's appearance to its verdict, the time held left out;
// a word on display at the end has none.
TEST_F(ShowRound, EveryWordIsTimedWithoutThePauses) {
    start(30);  // the first word has been up for a second
    correct();
    // The second word: up for 1.5 s before the pause and 1.5 s after it.
    now += std::chrono::milliseconds(500);
    game->setPaused(true);
    now += std::chrono::milliseconds(7000);
    game->setPaused(false);
    now += std::chrono::milliseconds(1500);
    skip();
    ticks(30);
    ASSERT_TRUE(game->review());
    const auto& entries = game->review()->entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].milliseconds, 1000);
    EXPECT_EQ(entries[1].milliseconds, 3000);
    EXPECT_EQ(entries[2].milliseconds, std::nullopt);
}

// 最后十秒提示: a tick at each of the last ten seconds, or none when it is off.
TEST_F(ShowRound, TheLastTenSecondsTick) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        game->setLastSecondsCue(on);
        start(15);
        const std::size_t mark = log.entries.size();
        ticks(4);
        EXPECT_EQ(log.since(mark, "cue tick").size(), 0u);
        ticks(11);
        EXPECT_EQ(log.since(mark, "cue tick").size(), on ? 10u : 0u);
        game->confirmReview();
    }
}

// A 禁词 round shows the forbidden words whatever the switch, and only
// while it is up.
TEST_F(ShowRound, AForbiddenRoundShowsTheForbiddenWords) {
    game->setForbiddenMode(false);
    game->setRoundKind(RoundKind::forbidden);
    start(30);
    EXPECT_TRUE(game->forbiddenMode());
    game->close();
    EXPECT_FALSE(game->forbiddenMode());
    game->setRoundKind(RoundKind::describe);
    start(30);
    EXPECT_FALSE(game->forbiddenMode());
}

// A match's card names the team and its actor in turn, and the pass's kind.
TEST_F(ShowRound, AMatchCardNamesTheActorAndTheKind) {
    MatchRules rules;
    rules.kinds = {RoundKind::describe, RoundKind::oneWord};
    rules.passes = 2;
    game->startMatch(twoTeams(rules));
    Log cards;
    for (int round = 0; round < 4; ++round) {
        const std::size_t mark = log.entries.size();
        start(30);
        const Log shown = log.since(mark, "card");
        cards.insert(cards.end(), shown.begin(), shown.end());
        skip();
        ticks(30);
        game->confirmReview();
    }
    EXPECT_EQ(cards, (Log{"card 0 team 0 阿", "card 0 team 1 ", "card 2 team 0 波", "card 2 team 1 "}));
}

// 每轮同一批词: every later pass deals the words the first pass showed, each
// once in the pass, although the match has shown them all already; when
// they are used up the round shows exhaustion.
TEST_F(ShowRound, EveryPassPlaysTheWordsOfTheFirst) {
    MatchRules rules;
    rules.passes = 2;
    rules.sameWords = true;
    game->startMatch(twoTeams(rules));
    const auto playRound = [&](int corrects) {
        start(30);
        for (int i = 0; i < corrects; ++i) correct();
        ticks(30);
        std::vector<std::string> words;
        for (const ReviewEntry& entry : game->review()->entries()) words.push_back(entry.entry.word);
        game->confirmReview();
        return words;
    };
    std::set<std::string> firstPass;
    for (int team = 0; team < 2; ++team) {
        for (const std::string& word : playRound(2)) firstPass.insert(word);
    }
    ASSERT_EQ(firstPass.size(), 6u);

    const std::size_t mark = log.entries.size();
    std::vector<std::string> secondPass = playRound(2);
    const std::vector<std::string> last = playRound(3);
    secondPass.insert(secondPass.end(), last.begin(), last.end());
    EXPECT_EQ(std::set<std::string>(secondPass.begin(), secondPass.end()), firstPass);
    EXPECT_EQ(secondPass.size(), 6u);
    EXPECT_EQ(log.since(mark, "exhausted"), Log{"exhausted"});
}

// A set-up with a problem is one error event and starts no match.
TEST_F(ShowRound, ASetUpWithAProblemStartsNoMatch) {
    MatchRules rules;
    rules.kinds = {RoundKind::forbidden};
    game->startMatch(twoTeams(rules));
    EXPECT_FALSE(game->match());
    EXPECT_EQ(log.since(0, "error"), Log{"error match setup forbidden without words 0 0 "});
}

}  // namespace
}  // namespace caici::testing
