#pragma once
// Where the guessing window's parts stand in its designed client area of
// 1184 x 722 pixels (the outer size 1200 x 760 less the border), and the rule
// that places the two buttons after a change of display mode.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>

namespace caici::design {

inline constexpr QSize outerSize{1200, 760};
inline constexpr QSize clientSize{1184, 722};
// The border of the design's outer size round its client area.
inline constexpr QMargins frame{8, 30, 8, 8};

inline constexpr QRect Label7{40, 33, 110, 58};     // "Time:"
inline constexpr QRect Label3{160, 33, 105, 77};    // time display
inline constexpr QRect Label6{261, 33, 48, 63};     // penalty flash
inline constexpr QRect Label8{882, 33, 120, 58};    // "Score:"
inline constexpr QRect Label2{1012, 32, 105, 77};   // score display
inline constexpr QRect Label5{1114, 33, 48, 63};    // score flash
inline constexpr QRect aft1{8, 136, 1169, 417};     // word display (with 禁词模式: word and aft2)
inline constexpr QRect btn1{763, 613, 169, 65};     // "正确"
inline constexpr QRect btn2{963, 613, 169, 65};     // "跳过"
inline constexpr QRect Label4{765, 689, 369, 13};   // footer
inline constexpr QRect pnl1{0, 664, 665, 57};       // sponsor panel

// With 禁词模式 the word display's area is shared: the word keeps the upper
// seven tenths, its forbidden words (aft2) take the rest. Each line is
// fitted to its own part, so neither is ever cut, and a list of five
// forbidden words still reads from the back of a room.
struct WordAreas {
    QRect word;
    QRect forbidden;
};

constexpr WordAreas splitWordArea(const QRect& area) {
    const int forbiddenHeight = area.height() * 3 / 10;
    const int wordHeight = area.height() - forbiddenHeight;
    return {QRect(area.left(), area.top(), area.width(), wordHeight),
            QRect(area.left(), area.top() + wordHeight, area.width(), forbiddenHeight)};
}

// The number row at the top: "Time:", the time and its penalty flash at the
// left, "Score:", the score and its flash at the right. A flash stands a
// clear gap after its number, as high as the digits, so "+2" never reads as
// part of "002"; where the score's flash needs more room than the design
// left it, the score and its caption move left together.
struct NumberRow {
    QRect time;
    QRect penaltyFlash;
    QRect scoreCaption;
    QRect score;
    QRect scoreFlash;
};

inline constexpr int flashGap = 12;
inline constexpr int rightMargin = 10;

constexpr NumberRow numberRow(int flashWidth) {
    const int flashLeft = clientSize.width() - rightMargin - flashWidth;
    const int shift = std::max(0, Label2.right() + 1 + flashGap - flashLeft);
    return {Label3,
            QRect(Label3.right() + 1 + flashGap, Label3.top(), flashWidth, Label3.height()),
            Label8.translated(-shift, 0),
            Label2.translated(-shift, 0),
            QRect(flashLeft, Label2.top(), flashWidth, Label2.height())};
}

// The skip button stands this far right of the correct button, and both
// buttons' tops this far above the window's outer bottom edge.
inline constexpr int buttonSpacing = 200;
inline constexpr int buttonTopFromOuterBottom = 150;

struct ButtonPlaces {
    QPoint correct;
    QPoint skip;
};

// After a switch of display mode: the correct button at the footer's left
// edge, the skip button 200 px right of it, both tops at the outer height
// less 150.
constexpr ButtonPlaces buttonPlaces(int footerLeft, int outerHeight) {
    const int top = outerHeight - buttonTopFromOuterBottom;
    return {QPoint(footerLeft, top), QPoint(footerLeft + buttonSpacing, top)};
}

}  // namespace caici::design
