#pragma once
// Counts one phone's messages over the last second. Nobody presses buttons
// twenty times a second; a phone that sends more is a script flooding the
// game, which would otherwise spend the projector's frames answering it.
// Other limits (the words a phone adds, which are kept on disk) count their
// own messages over their own span.

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

    explicit CommandRate(MonotonicClock clock, std::size_t limit = perSecond, std::chrono::milliseconds span = window)
        : clock_(std::move(clock)), limit_(limit), span_(span) {}

    // Counts a message; false when it is one more than the span may hold.
    bool admit();

private:
    MonotonicClock clock_;
    std::size_t limit_;
    std::chrono::milliseconds span_;
    // When the admitted messages of the last span came; never more than
    // limit_ of them.
    std::deque<std::chrono::milliseconds> recent_;
};

}  // namespace caici
