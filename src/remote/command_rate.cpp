#include "remote/command_rate.h"

namespace caici {

bool CommandRate::admit() {
    const std::chrono::milliseconds now = clock_();
    while (!recent_.empty() && now - recent_.front() >= span_) recent_.pop_front();
    if (recent_.size() >= limit_) return false;
    recent_.push_back(now);
    return true;
}

}  // namespace caici
