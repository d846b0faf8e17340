#pragma once
// Owning handles for an SQLite database and its prepared statements, failing
// with SQLite's own message. How a database is set up and what it may do (a
// workbook held in memory, the match history on disk) is its user's: get()
// gives the handle for that.

#include "common/errors.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace caici {

// An SQLite failure; the text is SQLite's own message, or ours where we
// stopped the statement.
class ESqlite : public Error {
public:
    using Error::Error;
};

class SqliteConnection {
public:
    // Opens path (":memory:" for a private database in memory) with the
    // SQLITE_OPEN_* flags; ESqlite when it cannot be opened.
    SqliteConnection(const std::string& path, int flags);

    sqlite3* get() const { return db_.get(); }
    // Runs statements that return no rows.
    void execute(std::string_view sql) const;

    // From now on a step (or an execute) that runs more than ticks thousand
    // virtual-machine instructions is stopped with runawayStatementText().
    void limitWorkPerStep(std::uint32_t ticks);

private:
    friend class SqliteStatement;

    struct StepBudget {
        std::uint32_t ticksPerStep = 0;
        std::uint32_t ticksLeft = 0;
        bool stopped = false;

        void startStep();
    };
    struct Closer {
        void operator()(sqlite3* db) const;
    };

    // On the heap, so that its address stays put when the connection moves;
    // declared before the handle, so the handle closes first.
    std::unique_ptr<StepBudget> budget_;
    std::unique_ptr<sqlite3, Closer> db_;
};

class SqliteStatement {
public:
    SqliteStatement(const SqliteConnection& connection, std::string_view sql);

    // Binds from the first parameter on; returns the statement. A text is
    // not copied: it must stay until the step that uses it has run.
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, std::string_view text);
    // Advances to the next row: true when there is one.
    bool step();
    // Runs a statement that returns no rows, ready to run again.
    void run();
    // Ready to run again with new values.
    void reset();

    int columnCount() const;
    std::string_view columnText(int column) const;
    std::int64_t columnInteger(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    [[noreturn]] void fail() const;

    sqlite3* db_;
    SqliteConnection::StepBudget* budget_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// The text with which a runaway statement stops.
std::string runawayStatementText();

}  // namespace caici
