#include "game/history_database.h"

#include <sqlite3.h>

namespace caici {

void HistoryDatabase::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

HistoryDatabase::HistoryDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    const int status = sqlite3_open_v2(path.c_str(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(db);
    if (status != SQLITE_OK) throw EHistory(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(status));
    sqlite3_extended_result_codes(db, 1);
    // The history is a file of the user's: nothing in it may run code.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    // Every commit on the disk before the call returns.
    execute("PRAGMA synchronous = FULL");
    execute("PRAGMA foreign_keys = ON");
    // A file that is not a database, or a damaged one, fails here.
    HistoryStatement check(*this, "PRAGMA quick_check");
    if (!check.step() || check.text(0) != "ok") throw EHistory("the history file is damaged");
}

void HistoryDatabase::execute(std::string_view sql) const {
    char* message = nullptr;
    const std::string statement(sql);
    if (sqlite3_exec(db_.get(), statement.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : sqlite3_errmsg(db_.get());
        sqlite3_free(message);
        throw EHistory(text);
    }
}

std::int64_t HistoryDatabase::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_.get());
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

void HistoryStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

HistoryStatement::HistoryStatement(const HistoryDatabase& database, std::string_view sql) : db_(database.get()) {
    sqlite3_stmt* statement = nullptr;
    const int status = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    statement_.reset(statement);
    if (status != SQLITE_OK) fail();
}

HistoryStatement& HistoryStatement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_.get(), index, value) != SQLITE_OK) fail();
    return *this;
}

HistoryStatement& HistoryStatement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK) {
        fail();
    }
    return *this;
}

bool HistoryStatement::step() {
    const int status = sqlite3_step(statement_.get());
    if (status == SQLITE_ROW) return true;
    if (status == SQLITE_DONE) return false;
    fail();
}

void HistoryStatement::run() {
    step();
    reset();
}

void HistoryStatement::reset() {
    sqlite3_reset(statement_.get());
}

std::int64_t HistoryStatement::integer(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

std::string HistoryStatement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    return text == nullptr ? std::string() : std::string(text, sqlite3_column_bytes(statement_.get(), column));
}

void HistoryStatement::fail() const {
    throw EHistory(sqlite3_errmsg(db_));
}

}  // namespace caici
