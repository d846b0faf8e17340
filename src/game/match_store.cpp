#include "game/match_store.h"

#include "game/history_database.h"

#include <array>
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

// The names the history writes a kind and a stage under; a name it does not
// know reads as the plain describe round of the regular stage.
constexpr std::array<std::pair<RoundKind, std::string_view>, roundKindCount> kKindNames{{
    {RoundKind::describe, "describe"},
    {RoundKind::act, "act"},
    {RoundKind::oneWord, "oneWord"},
    {RoundKind::sounds, "sounds"},
    {RoundKind::forbidden, "forbidden"},
}};

constexpr std::array<std::pair<MatchStage, std::string_view>, 3> kStageNames{{
    {MatchStage::regular, "regular"},
    {MatchStage::tieBreak, "tieBreak"},
    {MatchStage::final, "final"},
}};

template <class Value, std::size_t N>
std::string_view nameOf(const std::array<std::pair<Value, std::string_view>, N>& names, Value value) {
    for (const auto& [known, name] : names) {
        if (known == value) return name;
    }
    return names.front().second;
}

template <class Value, std::size_t N>
Value valueNamed(const std::array<std::pair<Value, std::string_view>, N>& names, std::string_view name) {
    for (const auto& [value, known] : names) {
        if (known == name) return value;
    }
    return names.front().first;
}

// The kinds of the passes in one column: "describe,act".
std::string kindsText(const std::vector<RoundKind>& kinds) {
    std::string text;
    for (const RoundKind kind : kinds) {
        if (!text.empty()) text += ',';
        text += nameOf(kKindNames, kind);
    }
    return text;
}

std::vector<RoundKind> kindsOf(std::string_view text) {
    std::vector<RoundKind> kinds;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        kinds.push_back(valueNamed(kKindNames, text.substr(0, comma)));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return kinds;
}

// A word still on display at the end took no time to a verdict: NULL in the
// file, -1 on its way there and back.
constexpr std::int64_t kNoTime = -1;

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
        "CREATE TABLE IF NOT EXISTS players(match INTEGER NOT NULL REFERENCES matches(id), team INTEGER NOT NULL,"
        " place INTEGER NOT NULL, name TEXT NOT NULL, PRIMARY KEY(match, team, place));"
        "CREATE INDEX IF NOT EXISTS rounds_of_match ON rounds(match);");
    addMissingColumns();
}

void MatchStore::addMissingColumns() {
    // The defaults are what a match of an older version was: plain passes of
    // 描述, teams in the palette's order, rounds of the regular stage.
    const struct {
        const char* table;
        const char* column;
        const char* definition;
    } columns[] = {
        {"matches", "kinds", "TEXT NOT NULL DEFAULT ''"},
        {"matches", "same_words", "INTEGER NOT NULL DEFAULT 0"},
        {"matches", "target", "INTEGER"},
        {"matches", "final", "INTEGER NOT NULL DEFAULT 0"},
        {"teams", "colour", "INTEGER"},
        {"rounds", "stage", "TEXT NOT NULL DEFAULT 'regular'"},
        {"rounds", "kind", "TEXT NOT NULL DEFAULT 'describe'"},
        {"rounds", "actor", "TEXT NOT NULL DEFAULT ''"},
        {"entries", "milliseconds", "INTEGER"},
    };
    for (const auto& column : columns) {
        SqliteStatement info(*db_, std::string("SELECT 1 FROM pragma_table_info('") + column.table +
                                       "') WHERE name = '" + column.column + "'");
        if (info.step()) continue;
        db_->execute(std::string("ALTER TABLE ") + column.table + " ADD COLUMN " + column.column + " " +
                     column.definition);
    }
}

std::int64_t MatchStore::createMatch(const std::vector<std::string>& teams, int passes) {
    MatchSetup setup;
    for (std::size_t place = 0; place < teams.size(); ++place) {
        setup.teams.push_back({teams[place], place % teamPaletteSize, {}});
    }
    setup.rules.passes = passes;
    return createMatch(setup);
}

std::int64_t MatchStore::createMatch(const MatchSetup& setup) {
    const MatchRules& rules = setup.rules;
    try {
        HistoryTransaction transaction(*db_);
        // A match that ends by passes keeps no target: NULL says so.
        SqliteStatement(*db_,
                        "INSERT INTO matches(created, passes, kinds, same_words, target, final)"
                        " VALUES(datetime('now', 'localtime'), ?, ?, ?, NULLIF(?, -1), ?)")
            .bind(1, std::int64_t{rules.passes})
            .bind(2, kindsText(rules.kinds))
            .bind(3, std::int64_t{rules.sameWords})
            .bind(4, rules.end == MatchEnd::targetScore ? rules.targetScore : std::int64_t{-1})
            .bind(5, std::int64_t{rules.final})
            .run();
        const std::int64_t id = db_->lastInsertId();
        SqliteStatement team(*db_, "INSERT INTO teams(match, place, name, colour) VALUES(?, ?, ?, ?)");
        SqliteStatement player(*db_, "INSERT INTO players(match, team, place, name) VALUES(?, ?, ?, ?)");
        for (std::size_t place = 0; place < setup.teams.size(); ++place) {
            const MatchTeam& playing = setup.teams[place];
            team.bind(1, id)
                .bind(2, static_cast<std::int64_t>(place))
                .bind(3, playing.name)
                .bind(4, static_cast<std::int64_t>(playing.colour))
                .run();
            for (std::size_t at = 0; at < playing.players.size(); ++at) {
                player.bind(1, id)
                    .bind(2, static_cast<std::int64_t>(place))
                    .bind(3, static_cast<std::int64_t>(at))
                    .bind(4, playing.players[at])
                    .run();
            }
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
                        "INSERT INTO rounds(match, team, score, skips, closed_early, counted, committed, stage, kind,"
                        " actor) VALUES(?, ?, ?, ?, ?, ?, datetime('now', 'localtime'), ?, ?, ?)")
            .bind(1, match)
            .bind(2, std::int64_t{round.team})
            .bind(3, round.score)
            .bind(4, std::int64_t{round.skips})
            .bind(5, std::int64_t{round.closedEarly})
            .bind(6, std::int64_t{counts})
            .bind(7, nameOf(kStageNames, round.stage))
            .bind(8, nameOf(kKindNames, round.kind))
            .bind(9, round.actor)
            .run();
        const std::int64_t id = db_->lastInsertId();
        SqliteStatement entry(*db_,
                              "INSERT INTO entries(round, place, word, points, as_played, verdict, penalty,"
                              " milliseconds) VALUES(?, ?, ?, ?, ?, ?, ?, NULLIF(?, -1))");
        for (std::size_t place = 0; place < round.entries.size(); ++place) {
            const ReviewEntry& word = round.entries[place];
            entry.bind(1, id)
                .bind(2, static_cast<std::int64_t>(place))
                .bind(3, word.entry.word)
                .bind(4, std::int64_t{word.entry.points})
                .bind(5, verdictName(word.asPlayed))
                .bind(6, verdictName(word.verdict))
                .bind(7, std::int64_t{word.penalty})
                .bind(8, word.milliseconds.value_or(kNoTime))
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
        SqliteStatement latest(*db_,
                               "SELECT id, passes, kinds, same_words, IFNULL(target, -1), final FROM matches"
                               " WHERE closed = 0 ORDER BY id DESC LIMIT 1");
        if (!latest.step()) return std::nullopt;
        const std::int64_t id = latest.columnInteger(0);
        MatchSetup setup;
        MatchRules& rules = setup.rules;
        rules.passes = static_cast<int>(latest.columnInteger(1));
        rules.kinds = kindsOf(latest.columnText(2));
        rules.sameWords = latest.columnInteger(3) != 0;
        if (const std::int64_t target = latest.columnInteger(4); target >= 0) {
            rules.end = MatchEnd::targetScore;
            rules.targetScore = target;
        }
        rules.final = latest.columnInteger(5) != 0;

        SqliteStatement team(*db_, "SELECT name, IFNULL(colour, place) FROM teams WHERE match = ? ORDER BY place");
        team.bind(1, id);
        while (team.step()) {
            const auto colour = static_cast<std::size_t>(team.columnInteger(1)) % teamPaletteSize;
            setup.teams.push_back({std::string(team.columnText(0)), colour, {}});
        }
        if (setup.teams.size() < static_cast<std::size_t>(minTeams)) return std::nullopt;
        SqliteStatement player(*db_, "SELECT team, name FROM players WHERE match = ? ORDER BY team, place");
        player.bind(1, id);
        while (player.step()) {
            const auto place = static_cast<std::size_t>(player.columnInteger(0));
            if (place < setup.teams.size()) setup.teams[place].players.emplace_back(player.columnText(1));
        }
        std::vector<MatchRound> rounds = countedRounds(id, setup.teams.size());
        return Match(id, std::move(setup), std::move(rounds));
    } catch (const EHistory&) {
        // A history that cannot be read back offers nothing to resume.
        return std::nullopt;
    }
}

std::vector<MatchRound> MatchStore::countedRounds(std::int64_t match, std::size_t teams) const {
    std::vector<MatchRound> rounds;
    SqliteStatement round(*db_,
                          "SELECT id, team, score, skips, closed_early, stage, kind, actor FROM rounds"
                          " WHERE match = ? AND counted = 1 ORDER BY id");
    SqliteStatement entry(*db_,
                          "SELECT word, points, as_played, verdict, penalty, IFNULL(milliseconds, -1) FROM entries"
                          " WHERE round = ? ORDER BY place");
    round.bind(1, match);
    while (round.step()) {
        MatchRound played{static_cast<int>(round.columnInteger(1)), round.columnInteger(2),
                          static_cast<std::int32_t>(round.columnInteger(3)), round.columnInteger(4) != 0, {}};
        if (played.team < 0 || static_cast<std::size_t>(played.team) >= teams) continue;
        played.stage = valueNamed(kStageNames, round.columnText(5));
        played.kind = valueNamed(kKindNames, round.columnText(6));
        played.actor = std::string(round.columnText(7));
        entry.bind(1, round.columnInteger(0));
        while (entry.step()) {
            ReviewEntry word{WordEntry(std::string(entry.columnText(0)), static_cast<std::int32_t>(entry.columnInteger(1))),
                             verdictNamed(entry.columnText(2)), verdictNamed(entry.columnText(3)),
                             static_cast<std::int32_t>(entry.columnInteger(4))};
            if (const std::int64_t took = entry.columnInteger(5); took != kNoTime) word.milliseconds = took;
            played.entries.push_back(std::move(word));
        }
        entry.reset();
        rounds.push_back(std::move(played));
    }
    return rounds;
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
