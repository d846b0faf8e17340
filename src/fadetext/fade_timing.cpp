#include "fadetext/fade_timing.h"

#include <cmath>

namespace caici {

std::uint32_t clampFadeDelay(std::uint32_t value, std::uint32_t lineDelay) {
    const std::uint32_t ceiling = lineDelay > kLineDelayMargin ? lineDelay - kLineDelayMargin : 0;
    if (value > ceiling) {
        value = ceiling;
    }
    if (value < kMinFadeDelay) {
        value = kMinFadeDelay;
    }
    if (value > kMaxFadeDelay) {
        value = kMaxFadeDelay;
    }
    return value;
}

std::uint32_t clampLineDelay(std::uint32_t value, std::uint32_t fadeDelay) {
    // Widened so that a raw FadeDelay near the top of its range cannot wrap.
    const std::uint64_t floor = std::uint64_t{fadeDelay} + kLineDelayMargin;
    std::uint64_t result = value < floor ? floor : value;
    if (result > kMaxLineDelay) {
        result = kMaxLineDelay;
    }
    return static_cast<std::uint32_t>(result);
}

FadeProgress::Step FadeProgress::Advance(std::uint8_t currentAlpha, std::uint32_t fadeDelay,
                                         std::uint32_t tickMs) {
    if (std::fabs(progress_ - currentAlpha) > 1.0) {
        progress_ = currentAlpha;
    }
    const std::uint32_t delay = fadeDelay == 0 ? 1 : fadeDelay;
    progress_ += static_cast<double>((tickMs * 255u) / delay);
    bool finished = false;
    if (progress_ > 255.0) {
        progress_ = 255.0;
        finished = true;
    }
    // nearbyint rounds halves to even in the default rounding mode.
    return {static_cast<std::uint8_t>(std::nearbyint(progress_)), finished};
}

}  // namespace caici
