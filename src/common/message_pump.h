#pragma once
// Long operations (a workbook load, a shuffle, a countdown tick) let pending
// window messages run through a callback that the application supplies.

#include <chrono>
#include <functional>

namespace caici {

using MessagePump = std::function<void()>;

// Passes calls on at most once per interval, so that a loop over a million
// entries does not spend its time in the event loop.
class RateLimitedPump {
public:
    explicit RateLimitedPump(MessagePump inner,
                             std::chrono::milliseconds interval = std::chrono::milliseconds(15));

    void operator()();

private:
    MessagePump inner_;
    std::chrono::nanoseconds interval_;
    std::chrono::nanoseconds last_{};
    bool pumped_ = false;
};

}  // namespace caici
