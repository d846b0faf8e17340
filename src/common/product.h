#pragma once
// Names and texts that belong to the product as a whole rather than to one
// window.

namespace caici {

// The application title: the program's name on the taskbar, the caption of
// the start window and of every message box the program shows.
inline constexpr char productTitle[] = "猜词大挑战";

// The maker as it signs its work ("Velmarin 出品") and its full name.
inline constexpr char makerBrand[] = "Velmarin";
inline constexpr char makerName[] = "Velmarin 工作室";

// The maker's page: news, new word libraries, sponsoring.
inline constexpr char productPage[] = "https://caici.example.org/";

}  // namespace caici
