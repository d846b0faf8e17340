#pragma once
// Where the guessing window's parts stand in its designed client area of
// 1184 x 722 pixels (the outer size 1200 x 760 less the border), and the rule
// that places the two buttons after a change of display mode.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

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
inline constexpr QRect aft1{8, 136, 1169, 417};     // word display
inline constexpr QRect btn1{763, 613, 169, 65};     // "正确"
inline constexpr QRect btn2{963, 613, 169, 65};     // "跳过"
inline constexpr QRect Label4{765, 689, 369, 13};   // footer
inline constexpr QRect pnl1{0, 664, 665, 57};       // sponsor panel

// The width a flash may take: from the score flash's left edge to 10 px short
// of the window's right edge.
inline constexpr int flashRoom = clientSize.width() - Label5.left() - 10;

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
