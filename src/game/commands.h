#pragma once
// What a host can ask of the game, from whichever device: the keyboard and a
// presenter clicker, the mouse on the big screen, the operator's console and
// a phone all turn their input into a Command and hand it to Game::perform.
// The game says which kinds it takes at the moment (Game::available), and
// every view shows exactly that; a device whose command is not taken hears
// why (a Refusal), and the sentence for it comes from the user texts every
// view shares (texts/user_texts.h).

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace caici {

enum class CommandKind : std::uint8_t {
    start,        // "开始" / "下一轮": the next round; while the rule card shows, the round at once
    correct,      // "正确"; while the rule card shows, the round at once
    skip,         // "跳过"
    foul,         // "犯规": the describer said a forbidden word; taken when "跳过" is
    pause,        // "暂停" while the round runs, "继续" while it is held
    toggleEntry,  // the review: a word's verdict the other way round
    setCounts,    // the review: whether a round closed early counts
    confirm,      // the review: "确认"
};

inline constexpr std::size_t commandKindCount = 8;

struct Command {
    CommandKind kind = CommandKind::start;
    // toggleEntry: the review's line, counted from 0.
    std::size_t entry = 0;
    // setCounts: the round counts.
    bool counts = false;
};

// The kinds of command the game takes now.
class CommandSet {
public:
    CommandSet() = default;
    CommandSet(std::initializer_list<CommandKind> kinds) {
        for (const CommandKind kind : kinds) add(kind);
    }

    bool has(CommandKind kind) const { return bits_.test(static_cast<std::size_t>(kind)); }
    void add(CommandKind kind) { bits_.set(static_cast<std::size_t>(kind)); }

    friend bool operator==(const CommandSet&, const CommandSet&) = default;

private:
    std::bitset<commandKindCount> bits_;
};

// Why a command was not carried out.
enum class Refusal : std::uint8_t {
    busy,          // a load is under way
    roundRunning,  // a start while a round runs would throw it away
    noRound,       // a press with no round running
    paused,        // a press while the round is held
    pressOff,      // that button is off in this round (a skip refused for time)
    skipCap,       // the round has taken as many skips as its "跳过上限" allows
    noReview,      // a review command with no review open
    noSuchEntry,   // a review line that is not there
};

}  // namespace caici
