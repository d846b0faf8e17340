#pragma once
// The demonstration text that a new fade-text control shows until its owner
// gives it lines of its own: 48 lines about the game, written in the markup of
// the styles Title1, Title2, Title3, Text1 and the labels Center, Owner and
// Organization.

#include <string>
#include <vector>

namespace caici {

const std::vector<std::string>& defaultFadeTextLines();

// The lines joined with CR LF, the form in which texts are compared.
const std::string& defaultFadeText();

}  // namespace caici
