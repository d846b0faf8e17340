#pragma once
// The timing rules of a cross-fade. The fade timer ticks every 25 ms and each
// tick adds 25 * 255 / FadeDelay (whole-number division) to the fade's
// progress, so FadeDelay 600 fades in 26 steps of 10 and FadeDelay 50 in
// three steps of 127. FadeDelay stays between 50 and 6375 ms (above 6375 the
// step would be 0 and a fade would never end) and at most LineDelay - 200;
// LineDelay stays at least FadeDelay + 200 so that a fade ends before the
// next line starts.

#include <cstdint>

namespace caici {

inline constexpr std::uint32_t kFadeTickMs = 25;
inline constexpr std::uint32_t kMinFadeDelay = 50;
inline constexpr std::uint32_t kMaxFadeDelay = kFadeTickMs * 255;
inline constexpr std::uint32_t kLineDelayMargin = 200;
// The longest interval a timer takes.
inline constexpr std::uint32_t kMaxLineDelay = 0x7FFFFFFF;

// The FadeDelay that a request for value becomes next to lineDelay.
std::uint32_t clampFadeDelay(std::uint32_t value, std::uint32_t lineDelay);
// The LineDelay that a request for value becomes next to fadeDelay.
std::uint32_t clampLineDelay(std::uint32_t value, std::uint32_t fadeDelay);

// The fractional accumulator behind the fade alpha.
class FadeProgress {
public:
    struct Step {
        std::uint8_t alpha;
        // The fade has reached its end and its timer stops.
        bool finished;
    };

    // One tick. An accumulator more than 1 away from the alpha on display is
    // first brought back to it (that is how a new fade starts from 0).
    Step Advance(std::uint8_t currentAlpha, std::uint32_t fadeDelay, std::uint32_t tickMs = kFadeTickMs);

private:
    double progress_ = 0.0;
};

}  // namespace caici
