#pragma once
// F1 and F2 step the word display's size by 10 points. The size is bounded:
// the renderer supersamples the whole line up to four times in each
// direction, so an unbounded size would sooner or later ask for a raster that
// freezes the program or exhausts memory, and a size of zero or below has no
// sensible rendering. 400 points (533 px at 96 dots per inch) already fills a
// 1920 x 1080 screen with a two-character word.

#include <algorithm>

namespace caici {

inline constexpr int minWordPoints = 10;
inline constexpr int maxWordPoints = 400;
inline constexpr int wordPointsStep = 10;

// The size after one step up (+1) or down (-1), kept within the bounds.
constexpr int steppedWordPoints(int points, int direction) {
    return std::clamp(points + direction * wordPointsStep, minWordPoints, maxWordPoints);
}

}  // namespace caici
