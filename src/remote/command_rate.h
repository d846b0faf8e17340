#pragma once
// Counts one phone's messages over the last second. Nobody presses buttons
// twenty times a second; a phone that sends more is a script flooding the
// game, which would otherwise spend the projector's frames answering it.

#include "common/clock.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <utility>

namespace caici {

class CommandRate {
public:
    static constexpr std::size_t perSecond = 20;
    static constexpr std::chrono::milliseconds window{1000};

    explicit CommandRate(MonotonicClock clock) : clock_(std::move(clock)) {}

    // Counts a message; false when it is one more than a second may hold.
    bool admit();

private:
    MonotonicClock clock_;
    // When the admitted messages of the last second came; never more than
    // perSecond of them.
    std::deque<std::chrono::milliseconds> recent_;
};

}  // namespace caici
