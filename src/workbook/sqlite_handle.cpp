#include "workbook/sqlite_handle.h"

#include <sqlite3.h>

namespace caici {

void SqliteDatabase::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

SqliteDatabase SqliteDatabase::openInMemory() {
    sqlite3* db = nullptr;
    // One thread uses the database: no locking needed.
    const int status = sqlite3_open_v2(":memory:", &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDatabase database(db);
    if (status != SQLITE_OK) {
        throw ESqlite(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(status));
    }
    return database;
}

void SqliteDatabase::execute(const std::string& sql) const {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : sqlite3_errmsg(db_.get());
        sqlite3_free(message);
        throw ESqlite(text);
    }
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(const SqliteDatabase& database, std::string_view sql) : db_(database.get()) {
    sqlite3_stmt* statement = nullptr;
    const int status =
        sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    statement_.reset(statement);
    if (status != SQLITE_OK) fail();
    if (!statement_) throw ESqlite("empty SQL text");
}

bool SqliteStatement::step() {
    const int status = sqlite3_step(statement_.get());
    if (status == SQLITE_ROW) return true;
    if (status == SQLITE_DONE) return false;
    fail();
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_.get());
}

void SqliteStatement::bindText(int index, std::string_view text) {
    // SQLITE_STATIC: the text outlives the step that uses it.
    if (sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC) !=
        SQLITE_OK) {
        fail();
    }
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(statement_.get());
}

std::string SqliteStatement::columnName(int column) const {
    const char* name = sqlite3_column_name(statement_.get(), column);
    return name != nullptr ? name : std::string();
}

std::string_view SqliteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    if (text == nullptr) return {};
    return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column))};
}

void SqliteStatement::fail() const {
    throw ESqlite(sqlite3_errmsg(db_));
}

std::string quoteIdentifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

}  // namespace caici
