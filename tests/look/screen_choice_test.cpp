// Which screen is the projector and which the operator's, as a host with a
// laptop and a projector expects it.

#include "look/screen_choice.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

TEST(ScreenChoice, ScreensWithTheSameNameCanStillBeToldApart) {
    EXPECT_EQ(screenLabels({"eDP-1", "HDMI-1"}), (std::vector<std::string>{"eDP-1", "HDMI-1"}));
    EXPECT_EQ(screenLabels({"screen", "screen", "DP-2", "screen"}),
              (std::vector<std::string>{"screen", "screen (2)", "DP-2", "screen (3)"}));
}

TEST(ScreenChoice, TheProjectorIsTheChosenScreenElseTheFirstBesideTheLaptopsOwn) {
    struct Case {
        std::vector<std::string> labels;
        std::size_t primary;
        std::string chosen;
        std::optional<ScreenRoles> roles;
    };
    const Case cases[] = {
        // One screen: nothing changes.
        {{"eDP-1"}, 0, "eDP-1", std::nullopt},
        {{}, 0, "", std::nullopt},
        // Nothing chosen: the projector is not the laptop's screen.
        {{"eDP-1", "HDMI-1"}, 0, "", ScreenRoles{1, 0}},
        {{"HDMI-1", "eDP-1"}, 1, "", ScreenRoles{0, 1}},
        // The chosen one, even the primary; the console then takes another.
        {{"eDP-1", "HDMI-1", "DP-2"}, 0, "DP-2", ScreenRoles{2, 0}},
        {{"eDP-1", "HDMI-1"}, 0, "eDP-1", ScreenRoles{0, 1}},
        // A remembered screen that is not connected today.
        {{"eDP-1", "DP-2"}, 0, "HDMI-1", ScreenRoles{1, 0}},
        {{"screen", "screen (2)"}, 0, "screen (2)", ScreenRoles{1, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(assignScreens(c.labels, c.primary, c.chosen), c.roles) << c.chosen << " of " << c.labels.size();
    }
}

}  // namespace
}  // namespace caici
