#include "common/message_pump.h"

#include <time.h>

#include <utility>

namespace caici {
namespace {

// The coarse monotonic clock ticks every few milliseconds, plenty for a
// 15 ms limit, and costs a fraction of the precise one: the shuffle asks it
// once per entry.
std::chrono::nanoseconds coarseNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

RateLimitedPump::RateLimitedPump(MessagePump inner, std::chrono::milliseconds interval)
    : inner_(std::move(inner)), interval_(interval) {}

void RateLimitedPump::operator()() {
    if (!inner_) return;
    const auto now = coarseNow();
    if (pumped_ && now - last_ < interval_) return;
    pumped_ = true;
    last_ = now;
    inner_();
}

}  // namespace caici
