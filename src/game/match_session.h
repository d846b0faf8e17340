#pragma once
// The game's match, its history and the review of the round just played.
// After every round (a round that ran out, or a match round closed early)
// the host reviews it; confirming writes the round to the history and adds
// it to the match. Words a match has shown are not dealt again in that
// match, also after a restart, until the library has no other words left;
// a match of "每轮同一批词" deals the words of its first pass again in every
// later pass instead.
//
// Without a history file, or when it cannot be written, matches go on in
// memory and the host is told once.

#include "game/game_listener.h"
#include "game/match.h"
#include "game/review.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>
#include <string>

namespace caici {

class MatchStore;

class MatchSession {
public:
    explicit MatchSession(GameListener& events);
    ~MatchSession();

    // Keeps the history in path from now on.
    void openHistory(const std::string& path);
    // The match a previous run left unfinished, to offer to resume.
    std::optional<Match> unfinishedMatch() const;
    // Takes up the unfinished match again, or lets it go for good.
    void resume();
    void dismissUnfinished();

    // A new match; names that cannot make one are one error event (what is
    // wrong with them) and change nothing.
    void begin(const std::vector<std::string>& teams, int passes);
    // A new match as set up; a set-up with a problem (its team names, or
    // see matchSetupProblem, given whether the words in play have forbidden
    // words) is one error event and changes nothing.
    void begin(const MatchSetup& setup, bool wordsHaveForbidden);
    // Gives the match up (or forgets one played to its end).
    void end();

    const std::optional<Match>& match() const { return match_; }
    // The team a round started now plays for: the match's next, or -1.
    int nextTeam() const;
    // The round a start now plays: the match's next, or nothing.
    std::optional<NextRound> nextRound() const;
    // "每轮同一批词" from the second pass on: the words the round may deal
    // (those the first pass showed, less those this pass has shown); nothing
    // when the round deals as usual.
    std::optional<std::set<std::string>> sameWordsFor(const NextRound& round) const;
    // Whether the play order has to be dealt anew before the next round
    // (a match began or resumed, with words to leave out).
    bool takeRefill();
    // Whether a word may be dealt in the match.
    bool fresh(const std::string& word) const;

    // The round that just ended, to review: played is the match's round it
    // was, or nothing outside a match; a round closed early only in a match.
    void reviewRound(const std::optional<NextRound>& played, std::vector<ReviewEntry> entries, bool closedEarly);
    const std::optional<Review>& review() const { return review_; }
    void toggle(std::size_t index);
    void setCounts(bool counts);
    // Writes the reviewed round to the match and closes the review.
    void confirm();
    // Closes a review nobody confirmed: in a match it goes in as reviewed
    // so far (nothing is lost), outside one it is simply closed.
    void settle();

private:
    void keepOrDrop(const std::function<void()>& write);

    GameListener& events_;
    std::unique_ptr<MatchStore> store_;
    std::optional<Match> match_;
    std::optional<Review> review_;
    // The match's round under review, as it was played.
    std::optional<NextRound> reviewed_;
    std::set<std::string> played_;
    bool refill_ = false;
};

}  // namespace caici
