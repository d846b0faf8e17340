#pragma once
// Owning handles for an SQLite database and its prepared statements.
//
// The database holds a workbook that anyone may have written, and the game
// runs in the same process, so the engine is kept to what the load needs:
// no extension loading, no ATTACH, no triggers or views, defensive mode,
// tight limits, a bound on the work of each step, and, once the tables are
// built, an authorizer that lets statements do nothing but read them.

#include "common/errors.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace caici {

// An SQLite failure; the text is SQLite's own message, or ours where we
// stopped the statement.
class ESqlite : public Error {
public:
    using Error::Error;
};

// What the engine's callbacks of one database consult: whether statements
// may only read, which tables, and how much work the running step has left.
struct SqliteGuard {
    bool readOnly = false;
    std::set<std::string> readable;
    std::uint32_t ticksLeft = 0;
    bool stopped = false;

    void startStep();
};

class SqliteDatabase {
public:
    // A private, hardened database in memory.
    static SqliteDatabase openInMemory();

    sqlite3* get() const { return db_.get(); }
    // Runs statements that return no rows.
    void execute(const std::string& sql) const;

    // From now on statements may only read these tables (and their columns);
    // anything else, the schema, functions, PRAGMA and writes included, is
    // refused when the statement is prepared.
    void allowOnlyReading(std::set<std::string> tables);

private:
    friend class SqliteStatement;

    struct Closer {
        void operator()(sqlite3* db) const;
    };
    SqliteDatabase(std::unique_ptr<SqliteGuard> guard, sqlite3* db) : guard_(std::move(guard)), db_(db) {}
    void harden();

    // On the heap, so that its address stays put when the database moves;
    // declared before the handle, so the handle closes first.
    std::unique_ptr<SqliteGuard> guard_;
    std::unique_ptr<sqlite3, Closer> db_;
};

class SqliteStatement {
public:
    SqliteStatement(const SqliteDatabase& database, std::string_view sql);

    // Advances to the next row: true when there is one. A step that runs
    // far longer than any read of the workbook's tables could is stopped.
    bool step();
    void reset();
    void bindText(int index, std::string_view text);

    int columnCount() const;
    std::string_view columnText(int column) const;
    std::int64_t columnInteger(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    [[noreturn]] void fail() const;

    sqlite3* db_;
    SqliteGuard* guard_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// The text with which a runaway statement stops.
std::string runawayStatementText();

}  // namespace caici
