#include "game/review.h"

#include <utility>

namespace caici {

const char* verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::correct: return "correct";
    case Verdict::skipped: return "skipped";
    case Verdict::missed: return "missed";
    case Verdict::foul: return "foul";
    }
    return "missed";
}

Review::Review(int team, std::vector<ReviewEntry> entries, bool closedEarly, bool doublePoints)
    : team_(team),
      entries_(std::move(entries)),
      closedEarly_(closedEarly),
      doublePoints_(doublePoints),
      counts_(!closedEarly) {}

void Review::toggle(std::size_t index) {
    if (index >= entries_.size()) return;
    ReviewEntry& entry = entries_[index];
    if (entry.verdict != Verdict::correct) {
        entry.verdict = Verdict::correct;
    } else {
        entry.verdict = entry.asPlayed == Verdict::correct ? Verdict::missed : entry.asPlayed;
    }
}

std::int64_t Review::total() const {
    const std::int64_t factor = doublePoints_ ? 2 : 1;
    std::int64_t total = 0;
    for (const auto& entry : entries_) {
        if (entry.verdict == Verdict::correct) total += entry.entry.points * factor;
        if (entry.verdict == Verdict::foul) total -= entry.pointsOff;
    }
    return total;
}

std::int32_t Review::skips() const {
    std::int32_t skips = 0;
    for (const auto& entry : entries_) {
        if (entry.verdict == Verdict::skipped || entry.verdict == Verdict::foul) ++skips;
    }
    return skips;
}

void Review::setCounts(bool counts) {
    if (closedEarly_) counts_ = counts;
}

}  // namespace caici
