#include "common/message_pump.h"

#include <utility>

namespace caici {

RateLimitedPump::RateLimitedPump(MessagePump inner, std::chrono::milliseconds interval)
    : inner_(std::move(inner)), interval_(interval) {}

void RateLimitedPump::operator()() {
    if (!inner_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < interval_) return;
    last_ = now;
    inner_();
}

}  // namespace caici
