#pragma once
// Names and texts that belong to the product as a whole rather than to one
// window.

namespace caici {

// The application title: the program's name on the taskbar, the caption of
// the start window and of every message box the program shows.
inline constexpr char productTitle[] = "猜词大挑战";

inline constexpr char makerName[] = "Velmarin 工作室";

}  // namespace caici
