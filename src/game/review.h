#pragma once
// A finished round as the host reviews it: every word that was shown, in
// order, with what became of it. A misclick is mended by toggling a word:
// a word marked correct goes back to how it was played (skipped, a foul, or
// missed when it was still on display at the end; a word that was credited
// by mistake becomes missed), any other word becomes correct. The total and
// the skip count follow. A round closed before its time ran out counts for
// the match only if the host says so.
//
// A foul (the describer said a forbidden word) ends the word as a skip does
// and counts among the skips. Under the rule that a foul also costs a point,
// the point stays with the line: the total loses it while the line stands a
// foul, and gets it back, with the word's own points, when the host mends
// the line to correct. The total as played is therefore the round's live
// score.

#include "words/word_entry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

enum class Verdict { correct, skipped, missed, foul };

// The verdict's name where a review is written down (the history, the
// phone): "correct", "skipped", "missed", "foul".
const char* verdictName(Verdict verdict);

// One word shown in a round, as the round played it.
struct ReviewEntry {
    WordEntry entry;
    Verdict asPlayed = Verdict::missed;
    Verdict verdict = Verdict::missed;
    // Seconds the skip took off the clock (0 for the free ones).
    std::int32_t penalty = 0;
    // Points a foul cost on top, taken off the total while the line is a foul.
    std::int32_t pointsOff = 0;
    // Milliseconds from the word's appearance to its verdict in play (the
    // time paused left out); nothing for a word still on display at the end.
    std::optional<std::int64_t> milliseconds{};
};

class Review {
public:
    // entries carry verdict == asPlayed. team is the team's place in the
    // match, or -1 outside a match. In a round of double points (a match's
    // final) every word marked correct counts twice.
    Review(int team, std::vector<ReviewEntry> entries, bool closedEarly, bool doublePoints = false);

    int team() const { return team_; }
    bool doublePoints() const { return doublePoints_; }
    const std::vector<ReviewEntry>& entries() const { return entries_; }
    bool closedEarly() const { return closedEarly_; }

    // Flips one word between correct and how it was played; an index past
    // the end changes nothing.
    void toggle(std::size_t index);

    // Points of the words marked correct (twice in a round of double
    // points), less what the fouls cost.
    std::int64_t total() const;
    // Words marked skipped or foul.
    std::int32_t skips() const;

    // Whether the round goes into the match: always for a round that ran to
    // its end; for one closed early, as the host decides (no until then).
    bool counts() const { return counts_; }
    void setCounts(bool counts);

private:
    int team_;
    std::vector<ReviewEntry> entries_;
    bool closedEarly_;
    bool doublePoints_;
    bool counts_;
};

}  // namespace caici
