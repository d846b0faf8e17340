#pragma once
// A monotonic clock in milliseconds, behind a function so that tests can set
// the time the game sees.

#include <chrono>
#include <functional>

namespace caici {

using MonotonicClock = std::function<std::chrono::milliseconds()>;

// The system's steady clock.
inline std::chrono::milliseconds steadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace caici
