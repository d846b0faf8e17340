#include "workbook/library_check.h"

#include "common/number_text.h"
#include "words/word_entry.h"

#include <cstdint>
#include <unordered_map>

namespace caici {

std::vector<EntryProblem> findEntryProblems(const std::vector<std::string>& entries) {
    std::vector<EntryProblem> problems;
    std::unordered_map<std::string, std::size_t> firstSeen;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::string& entry = entries[index];
        auto report = [&](std::string message) { problems.push_back({index, entry, std::move(message)}); };

        // The round cuts at every "|": field 0 is the word, field 1 the points.
        const EntryFields fields(entry);
        if (fields.count() > 2) report("词语或分值里有“|”，游戏会把它当作分隔符");
        if (fields.at(0).empty()) report("词语是空的");
        const std::string& points = fields.count() > 1 ? fields.at(1) : std::string();
        std::int32_t value = 0;
        if (points.empty()) {
            report("分值是空的");
        } else if (!tryStrToInt(points, value)) {
            report("分值“" + points + "”不是整数");
        } else if (value <= 0) {
            // A correct answer is meant to raise the score.
            report("分值“" + points + "”不是正数，答对了不加分");
        }

        const auto [seen, inserted] = firstSeen.emplace(entry, index);
        if (!inserted) report("与 [" + std::to_string(seen->second) + "] 完全相同");
    }
    return problems;
}

}  // namespace caici
