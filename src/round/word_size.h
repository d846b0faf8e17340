#pragma once
// Without fitting, F1 and F2 step the word display's size by 10 points. The
// size is bounded: the renderer supersamples the whole line up to four times
// in each direction, so an unbounded size would sooner or later ask for a
// raster that freezes the program or exhausts memory, and a size of zero or
// below has no sensible rendering. 400 points (533 px at 96 dots per inch) already fills a
// 1920 x 1080 screen with a two-character word.

#include <algorithm>
#include <cmath>

namespace caici {

inline constexpr int minWordPoints = 10;
inline constexpr int maxWordPoints = 400;
inline constexpr int wordPointsStep = 10;

// The size after one step up (+1) or down (-1), kept within the bounds.
constexpr int steppedWordPoints(int points, int direction) {
    return std::clamp(points + direction * wordPointsStep, minWordPoints, maxWordPoints);
}

// With the word fitted to the screen, F1 and F2 scale the fitted size in
// tenths. Above 1 only a word the height cap held back grows; none is ever
// drawn past the screen's edges.
inline constexpr double minWordScale = 0.3;
inline constexpr double maxWordScale = 2.0;
inline constexpr double wordScaleStep = 0.1;

// The scale after one step, kept within the bounds and to whole tenths.
inline double steppedWordScale(double scale, int direction) {
    const double stepped = std::round((scale + direction * wordScaleStep) * 10.0) / 10.0;
    return std::clamp(stepped, minWordScale, maxWordScale);
}

}  // namespace caici
