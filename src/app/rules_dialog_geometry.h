#pragma once
// Where the rules dialog's parts stand: the designed dialog of 455 x 383
// pixels, and below it a row for the match, console and phone settings.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace caici::design::rules {

inline constexpr QSize designedSize{455, 383};
inline constexpr int settingsRowHeight = 40;
inline constexpr QSize clientSize{designedSize.width(), designedSize.height() + settingsRowHeight};

inline constexpr QRect rulesFrame{14, 16, 425, 351};  // dotted frame
// Texts at their top-left corner, at least this large.
inline constexpr QPoint Label1{40, 60};  // how to change words and sounds
inline constexpr QSize Label1Least{378, 57};
inline constexpr QPoint Label9{43, 149};  // "游戏规则："
inline constexpr QPoint Label7{171, 149}; // "倒计时设定：        秒。"
inline constexpr QPoint Label8{44, 178};  // the rules
inline constexpr QSize Label8Least{363, 152};
inline constexpr QRect edt1{266, 146, 41, 27};  // countdown, in Label7's gap

// The settings row: the match button at its left, the switches beside it,
// set this far into the row.
inline constexpr QRect btnMatch{14, designedSize.height() - 8, 200, settingsRowHeight - 4};
inline constexpr int switchInset = 8;
inline constexpr int remoteSwitchLeft = 240;
inline constexpr int consoleSwitchLeft = 350;
// The library panel under the dialog, overlapping its last pixels.
inline constexpr QPoint libraryPanel{14, -4};
// Tonight's words: a column right of everything else, from the rules frame's
// top down to the library panel's bottom, so that the dialog grows in width,
// not in height, and still fits a screen of 768 pixels with the phone
// remote's section open. A button at the rules frame's top right shows and
// hides it.
inline constexpr int tonightLeft = designedSize.width();
inline constexpr int tonightWidth = 300;
inline constexpr int tonightRightMargin = 14;
inline constexpr QRect btnTonight{323, 22, 110, 30};
// "活动和玩法": a column in the same place, at a click of its button left of
// tonight's.
inline constexpr QRect btnShowSettings{207, 22, 110, 30};
// At the foot of that column, under tonight's words: 禁词模式 and the foul's
// extra point, the two settings of the words' forbidden words.
inline constexpr int forbiddenRowHeight = 34;
inline constexpr int forbiddenSwitchLeft = 10;
inline constexpr int foulPointSwitchLeft = 132;

}  // namespace caici::design::rules
