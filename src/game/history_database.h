#pragma once
// An SQLite database in a file of ours, for the match history: every
// transaction reaches the disk before it counts as done, so a crash or a
// power cut loses nothing that was committed.

#include "common/errors.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace caici {

// A failure of the history file; the text is SQLite's own.
class EHistory : public Error {
public:
    using Error::Error;
};

class HistoryDatabase {
public:
    // Opens the file, creating it when it is missing. Throws EHistory when
    // it cannot be opened, or when it is not a sound database (damaged, or
    // some other kind of file).
    explicit HistoryDatabase(const std::string& path);

    sqlite3* get() const { return db_.get(); }
    void execute(std::string_view sql) const;
    // The row id the last insert gave.
    std::int64_t lastInsertId() const;

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// One write transaction: rolled back unless committed, so a failure half way
// leaves the file as it was.
class HistoryTransaction {
public:
    explicit HistoryTransaction(const HistoryDatabase& database);
    ~HistoryTransaction();
    HistoryTransaction(const HistoryTransaction&) = delete;
    HistoryTransaction& operator=(const HistoryTransaction&) = delete;

    void commit();

private:
    const HistoryDatabase& database_;
    bool done_ = false;
};

class HistoryStatement {
public:
    HistoryStatement(const HistoryDatabase& database, std::string_view sql);

    // Binds the values from the first parameter on; returns the statement.
    HistoryStatement& bind(int index, std::int64_t value);
    HistoryStatement& bind(int index, std::string_view text);
    // Runs to the next row: true when there is one.
    bool step();
    // Runs a statement that returns no rows, ready to run again.
    void run();
    // Ready to run again with new values.
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    [[noreturn]] void fail() const;

    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

}  // namespace caici
