#pragma once
// An SQLite database in a file of ours, for the match history: every
// transaction reaches the disk before it counts as done, so a crash or a
// power cut loses nothing that was committed.

#include "sqlite/sqlite_connection.h"

#include <cstdint>
#include <string>

namespace caici {

// A failure of the history file; the text is SQLite's own.
using EHistory = ESqlite;

class HistoryDatabase : public SqliteConnection {
public:
    // Opens the file, creating it when it is missing. Throws EHistory when
    // it cannot be opened, or when it is not a sound database (damaged, or
    // some other kind of file).
    explicit HistoryDatabase(const std::string& path);

    // The row id the last insert gave.
    std::int64_t lastInsertId() const;
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

}  // namespace caici
