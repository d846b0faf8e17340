#include "game/history_database.h"

#include <sqlite3.h>

namespace caici {

HistoryDatabase::HistoryDatabase(const std::string& path)
    : SqliteConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX) {
    sqlite3* db = get();
    sqlite3_extended_result_codes(db, 1);
    // The history is a file of the user's: nothing in it may run code.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    // Every commit on the disk before the call returns.
    execute("PRAGMA synchronous = FULL");
    execute("PRAGMA foreign_keys = ON");
    // A file that is not a database, or a damaged one, fails here.
    SqliteStatement check(*this, "PRAGMA quick_check");
    if (!check.step() || check.columnText(0) != "ok") throw EHistory("the history file is damaged");
}

std::int64_t HistoryDatabase::lastInsertId() const {
    return sqlite3_last_insert_rowid(get());
}

HistoryTransaction::HistoryTransaction(const HistoryDatabase& database) : database_(database) {
    // The write lock at once: nothing can come between the reads and writes.
    database_.execute("BEGIN IMMEDIATE");
}

HistoryTransaction::~HistoryTransaction() {
    if (!done_) sqlite3_exec(database_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void HistoryTransaction::commit() {
    database_.execute("COMMIT");
    done_ = true;
}

}  // namespace caici
