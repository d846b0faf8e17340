#include "game/match_store.h"

#include "game/history_database.h"

#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace caici {
namespace {

namespace fs = std::filesystem;

fs::path pathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

Verdict verdictNamed(std::string_view name) {
    if (name == "correct") return Verdict::correct;
    if (name == "skipped") return Verdict::skipped;
    if (name == "foul") return Verdict::foul;
    return Verdict::missed;
}

// A free name beside the damaged file, so nothing is overwritten.
fs::path asideName(const fs::path& file) {
    const auto stamp = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    for (int n = 0;; ++n) {
        fs::path aside = file;
        aside += ".damaged-" + std::to_string(stamp) + (n == 0 ? "" : "-" + std::to_string(n));
        std::error_code ignored;
        if (!fs::exists(aside, ignored)) return aside;
    }
}

}  // namespace

MatchStore::MatchStore(const std::string& path) : path_(path) {
    const fs::path file = pathOf(path);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) throw EMatchStore(HistoryNotKept{path, error.message()});
    try {
        db_ = std::make_unique<HistoryDatabase>(path);
        prepareSchema();
        return;
    } catch (const EHistory& failure) {
        // Only a file we can read and move is treated as damaged; anything
        // else (no access, no room) is reported as it is.
        if (!fs::is_regular_file(file, error) || ::access(file.c_str(), R_OK | W_OK) != 0) {
            throw EMatchStore(HistoryNotKept{path, failure.what()});
        }
    }
    const fs::path aside = asideName(file);
    fs::rename(file, aside, error);
    if (error) throw EMatchStore(HistoryNotKept{path, error.message()});
    movedAside_ = utf8Of(aside);
    try {
        db_ = std::make_unique<HistoryDatabase>(path);
        prepareSchema();
    } catch (const EHistory& failure) {
        throw EMatchStore(HistoryNotKept{path, failure.what()});
    }
}

MatchStore::~MatchStore() = default;

void MatchStore::prepareSchema() {
    db_->execute(
        "CREATE TABLE IF NOT EXISTS matches(id INTEGER PRIMARY KEY, created TEXT NOT NULL,"
        " passes INTEGER NOT NULL, closed INTEGER NOT NULL DEFAULT 0);"
        "CREATE TABLE IF NOT EXISTS teams(match INTEGER NOT NULL REFERENCES matches(id), place INTEGER NOT NULL,"
        " name TEXT NOT NULL, PRIMARY KEY(match, place));"
        "CREATE TABLE IF NOT EXISTS rounds(id INTEGER PRIMARY KEY, match INTEGER NOT NULL REFERENCES matches(id),"
        " team INTEGER NOT NULL, score INTEGER NOT NULL, skips INTEGER NOT NULL, closed_early INTEGER NOT NULL,"
        " counted INTEGER NOT NULL, committed TEXT NOT NULL);"
        "CREATE TABLE IF NOT EXISTS entries(round INTEGER NOT NULL REFERENCES rounds(id), place INTEGER NOT NULL,"
        " word TEXT NOT NULL, points INTEGER NOT NULL, as_played TEXT NOT NULL, verdict TEXT NOT NULL,"
        " penalty INTEGER NOT NULL, PRIMARY KEY(round, place));"
        "CREATE INDEX IF NOT EXISTS rounds_of_match ON rounds(match);");
}

std::int64_t MatchStore::createMatch(const std::vector<std::string>& teams, int passes) {
    try {
        HistoryTransaction transaction(*db_);
        SqliteStatement(*db_, "INSERT INTO matches(created, passes) VALUES(datetime('now', 'localtime'), ?)")
            .bind(1, std::int64_t{passes})
            .run();
        const std::int64_t id = db_->lastInsertId();
        SqliteStatement team(*db_, "INSERT INTO teams(match, place, name) VALUES(?, ?, ?)");
        for (std::size_t place = 0; place < teams.size(); ++place) {
            team.bind(1, id).bind(2, static_cast<std::int64_t>(place)).bind(3, teams[place]).run();
        }
        transaction.commit();
        return id;
    } catch (const EHistory& failure) {
        throw EMatchStore(HistoryNotKept{path_, failure.what()});
    }
}

void MatchStore::commitRound(std::int64_t match, const MatchRound& round, bool counts) {
    try {
        HistoryTransaction transaction(*db_);
        SqliteStatement(*db_,
                        "INSERT INTO rounds(match, team, score, skips, closed_early, counted, committed)"
                        " VALUES(?, ?, ?, ?, ?, ?, datetime('now', 'localtime'))")
            .bind(1, match)
            .bind(2, std::int64_t{round.team})
            .bind(3, round.score)
            .bind(4, std::int64_t{round.skips})
            .bind(5, std::int64_t{round.closedEarly})
            .bind(6, std::int64_t{counts})
            .run();
        const std::int64_t id = db_->lastInsertId();
        SqliteStatement entry(*db_,
                              "INSERT INTO entries(round, place, word, points, as_played, verdict, penalty)"
                              " VALUES(?, ?, ?, ?, ?, ?, ?)");
        for (std::size_t place = 0; place < round.entries.size(); ++place) {
            const ReviewEntry& word = round.entries[place];
            entry.bind(1, id)
                .bind(2, static_cast<std::int64_t>(place))
                .bind(3, word.entry.word)
                .bind(4, std::int64_t{word.entry.points})
                .bind(5, verdictName(word.asPlayed))
                .bind(6, verdictName(word.verdict))
                .bind(7, std::int64_t{word.penalty})
                .run();
        }
        transaction.commit();
    } catch (const EHistory& failure) {
        throw EMatchStore(HistoryNotKept{path_, failure.what()});
    }
}

void MatchStore::closeMatch(std::int64_t match) {
    try {
        SqliteStatement(*db_, "UPDATE matches SET closed = 1 WHERE id = ?").bind(1, match).run();
    } catch (const EHistory& failure) {
        throw EMatchStore(HistoryNotKept{path_, failure.what()});
    }
}

std::optional<Match> MatchStore::unfinishedMatch() const {
    try {
        SqliteStatement latest(*db_, "SELECT id, passes FROM matches WHERE closed = 0 ORDER BY id DESC LIMIT 1");
        if (!latest.step()) return std::nullopt;
        const std::int64_t id = latest.columnInteger(0);
        const int passes = static_cast<int>(latest.columnInteger(1));

        std::vector<std::string> teams;
        SqliteStatement team(*db_, "SELECT name FROM teams WHERE match = ? ORDER BY place");
        team.bind(1, id);
        while (team.step()) teams.emplace_back(team.columnText(0));
        if (teams.size() < static_cast<std::size_t>(minTeams)) return std::nullopt;

        std::vector<MatchRound> rounds;
        SqliteStatement round(*db_,
                              "SELECT id, team, score, skips, closed_early FROM rounds"
                              " WHERE match = ? AND counted = 1 ORDER BY id");
        SqliteStatement entry(*db_,
                              "SELECT word, points, as_played, verdict, penalty FROM entries"
                              " WHERE round = ? ORDER BY place");
        round.bind(1, id);
        while (round.step()) {
            MatchRound played{static_cast<int>(round.columnInteger(1)), round.columnInteger(2),
                              static_cast<std::int32_t>(round.columnInteger(3)), round.columnInteger(4) != 0, {}};
            if (played.team < 0 || static_cast<std::size_t>(played.team) >= teams.size()) continue;
            entry.bind(1, round.columnInteger(0));
            while (entry.step()) {
                played.entries.push_back({WordEntry(std::string(entry.columnText(0)),
                                                    static_cast<std::int32_t>(entry.columnInteger(1))),
                                          verdictNamed(entry.columnText(2)), verdictNamed(entry.columnText(3)),
                                          static_cast<std::int32_t>(entry.columnInteger(4))});
            }
            entry.reset();
            rounds.push_back(std::move(played));
        }
        return Match(id, std::move(teams), passes, std::move(rounds));
    } catch (const EHistory&) {
        // A history that cannot be read back offers nothing to resume.
        return std::nullopt;
    }
}

std::set<std::string> MatchStore::playedWords(std::int64_t match) const {
    std::set<std::string> words;
    try {
        SqliteStatement word(*db_,
                             "SELECT DISTINCT word FROM entries JOIN rounds ON rounds.id = entries.round"
                             " WHERE rounds.match = ?");
        word.bind(1, match);
        while (word.step()) words.emplace(word.columnText(0));
    } catch (const EHistory&) {
    }
    return words;
}

}  // namespace caici
