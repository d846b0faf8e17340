// What the game takes at each moment, which every view shows by greying out
// the rest: the round's presses while it runs, the start otherwise, and the
// review's commands while a review is open.

#include "game_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace caici::testing {
namespace {

std::string named(const CommandSet& commands) {
    const std::pair<CommandKind, const char*> names[] = {
        {CommandKind::start, "start"},          {CommandKind::correct, "correct"},
        {CommandKind::skip, "skip"},            {CommandKind::foul, "foul"},
        {CommandKind::pause, "pause"},
        {CommandKind::toggleEntry, "toggle"},   {CommandKind::setCounts, "counts"},
        {CommandKind::confirm, "confirm"},
    };
    std::string text;
    for (const auto& [kind, name] : names) {
        if (commands.has(kind)) text += text.empty() ? name : std::string(" ") + name;
    }
    return text;
}

class AvailableCommands : public GameFixture, public ::testing::Test {};

TEST_F(AvailableCommands, FollowTheRoundAndItsReview) {
    dealInOrder({{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 4}, {"戊", 5}});
    const struct {
        const char* moment;
        std::function<void()> reach;
        const char* taken;
    } steps[] = {
        {"before the first round", [] {}, "start"},
        {"a round running", [this] { start(12); }, "correct skip foul pause"},
        {"held", [this] { game->togglePause(); }, "pause"},
        {"going on", [this] { game->togglePause(); later(); }, "correct skip foul pause"},
        // 9 s left: too little for a skip.
        {"skipping refused", [this] { ticks(3); skip(); }, "correct pause"},
        {"time ran out, the review open", [this] { ticks(9); }, "start toggle counts confirm"},
        {"the review confirmed", [this] { game->confirmReview(); }, "start"},
    };
    for (const auto& step : steps) {
        step.reach();
        EXPECT_EQ(named(game->available()), step.taken) << step.moment;
    }
}

}  // namespace
}  // namespace caici::testing
