#pragma once
// The match history in a file of the user's: matches with their rules and
// teams (colours and players), and every reviewed round with its stage, kind,
// actor and words (each with the time it took), each round written in one
// transaction when the host confirms it. A history of an older version opens
// as it is: the columns it lacks are added, and its matches read as matches
// of plain passes. A crash, a power cut or a closed
// program loses nothing that was confirmed; the next start finds the
// unfinished match and the words it has already played.
//
// A file that is not a readable history (damaged, or something else) is
// moved aside under a new name, never overwritten, and a new history is
// started; a history that cannot be kept at all (a folder without write
// access, a full disk) fails with the file and the reason.

#include "game/match.h"
#include "game/problem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace caici {

class HistoryDatabase;

// The history cannot be kept: where, and why.
class EMatchStore : public std::runtime_error {
public:
    explicit EMatchStore(HistoryNotKept fact) : std::runtime_error(fact.reason), fact_(std::move(fact)) {}
    const HistoryNotKept& fact() const { return fact_; }

private:
    HistoryNotKept fact_;
};

class MatchStore {
public:
    // Opens or starts the history at path (UTF-8), creating its folder.
    explicit MatchStore(const std::string& path);
    ~MatchStore();
    MatchStore(const MatchStore&) = delete;
    MatchStore& operator=(const MatchStore&) = delete;

    // Where a damaged file was moved aside when the store was opened.
    const std::optional<std::string>& movedAside() const { return movedAside_; }

    // A new match; answers its id.
    std::int64_t createMatch(const MatchSetup& setup);
    // A match of plain passes.
    std::int64_t createMatch(const std::vector<std::string>& teams, int passes);
    // One reviewed round, counted or not, with its words.
    void commitRound(std::int64_t match, const MatchRound& round, bool counts);
    // The match is over (played to its end or given up): it is not offered
    // again.
    void closeMatch(std::int64_t match);

    // The latest match not yet closed, with its counted rounds.
    std::optional<Match> unfinishedMatch() const;
    // Every word shown in a round of the match, counted or not.
    std::set<std::string> playedWords(std::int64_t match) const;

private:
    void prepareSchema();
    // Adds to a history of an older version what this one keeps.
    void addMissingColumns();
    std::vector<MatchRound> countedRounds(std::int64_t match, std::size_t teams) const;

    std::string path_;
    std::optional<std::string> movedAside_;
    std::unique_ptr<HistoryDatabase> db_;
};

}  // namespace caici
