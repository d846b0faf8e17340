#include "look/screen_choice.h"

#include <algorithm>
#include <map>

namespace caici {

std::vector<std::string> screenLabels(const std::vector<std::string>& names) {
    std::vector<std::string> labels;
    std::map<std::string, int> seen;
    for (const std::string& name : names) {
        const int count = ++seen[name];
        labels.push_back(count == 1 ? name : name + " (" + std::to_string(count) + ")");
    }
    return labels;
}

std::optional<ScreenRoles> assignScreens(const std::vector<std::string>& labels, std::size_t primary,
                                         const std::string& chosen) {
    if (labels.size() < 2) return std::nullopt;
    if (primary >= labels.size()) primary = 0;
    ScreenRoles roles;
    const auto named = std::find(labels.begin(), labels.end(), chosen);
    if (!chosen.empty() && named != labels.end()) {
        roles.projector = static_cast<std::size_t>(named - labels.begin());
    } else {
        roles.projector = primary == 0 ? 1 : 0;
    }
    roles.console = roles.projector != primary ? primary : (roles.projector == 0 ? 1 : 0);
    return roles;
}

}  // namespace caici
