#pragma once
// Where the start window's parts stand in its fixed client area of 453 x 463
// pixels, and those of the library browser page it keeps out of sight.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace caici::design::start {

inline constexpr QSize clientSize{453, 463};

inline constexpr QRect img1{0, 0, 453, 234};          // banner
inline constexpr QRect aft1{86, 71, 227, 44};         // title
inline constexpr QRect Label2{346, 141, 48, 56};      // "开 始 游 戏"
inline constexpr QRect btn3{114, 179, 109, 34};       // "游戏规则和设置"
inline constexpr QRect makerFrame{14, 239, 427, 209}; // dotted frame round the maker's corner
inline constexpr QRect img2{22, 250, 188, 188};       // contact picture
inline constexpr QPoint thanks{221, 258};
inline constexpr QPoint custom{220, 337};
inline constexpr QPoint contact{220, 382};
// The phone remote's panel stands over the contact picture, this much
// higher at its top and bottom.
inline constexpr int remoteOverhang = 7;
// The next team's name, under the start label.
inline constexpr int nextTeamGap = 8;
// The event's logo and name: on the stage's back wall, under the maker's
// line and left of the start label, clear of the rules button below.
inline constexpr QRect eventBrand{16, 134, 318, 42};

// The library browser page pgc1, above the client area.
inline constexpr QRect pgc1{8, -2471, 437, 400};
inline constexpr QRect libraryCaption{10, 14, 80, 20};  // "请选择词库："
inline constexpr QRect cbb1{92, 10, 180, 24};
inline constexpr QRect btn2{284, 9, 80, 26};            // "打开词库"
inline constexpr QRect dbgrd1{10, 44, 410, 316};

}  // namespace caici::design::start
