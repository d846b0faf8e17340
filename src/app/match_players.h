#pragma once
// The players of a team as a host types them into one field: names
// separated by "、", "，", "," or spaces, the way Chinese and Western lists
// are written. Runs of spaces, and spaces around a mark, separate once; two
// marks with nothing between them leave an empty name, which the set-up's
// check refuses, since the host most likely forgot one; marks at either end
// are ignored.

#include <QString>

#include <string>
#include <vector>

namespace caici {

std::vector<std::string> splitPlayerNames(const QString& typed);

}  // namespace caici
