#pragma once
// Which screen shows the round to the audience and which one the operator's
// console goes to, when the host plays with two screens (a laptop and a
// projector). Screens are told apart by name, as the system names them
// ("HDMI-1"); where two carry the same name, the later ones are numbered
// ("screen (2)") so that each can still be chosen and remembered.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace caici {

// The names the host sees and the settings keep, in the system's order.
std::vector<std::string> screenLabels(const std::vector<std::string>& names);

struct ScreenRoles {
    std::size_t projector = 0;
    std::size_t console = 0;

    friend bool operator==(const ScreenRoles&, const ScreenRoles&) = default;
};

// With fewer than two screens: nothing, the game plays on the one it has.
// Otherwise the projector is the screen labelled chosen, or, when there is
// none of that label, the first screen that is not the primary one (a
// laptop's own screen is its primary); the console goes to the primary
// screen, or the first other one when the projector is the primary.
std::optional<ScreenRoles> assignScreens(const std::vector<std::string>& labels, std::size_t primary,
                                         const std::string& chosen);

}  // namespace caici
