#pragma once
// Owning handles for an SQLite database and its prepared statements.

#include "common/errors.h"

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace caici {

// An SQLite failure; the text is SQLite's own message.
class ESqlite : public Error {
public:
    using Error::Error;
};

class SqliteDatabase {
public:
    // A private database in memory.
    static SqliteDatabase openInMemory();

    sqlite3* get() const { return db_.get(); }
    // Runs statements that return no rows.
    void execute(const std::string& sql) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    explicit SqliteDatabase(sqlite3* db) : db_(db) {}

    std::unique_ptr<sqlite3, Closer> db_;
};

class SqliteStatement {
public:
    SqliteStatement(const SqliteDatabase& database, std::string_view sql);

    // Advances to the next row: true when there is one.
    bool step();
    void reset();
    void bindText(int index, std::string_view text);

    int columnCount() const;
    std::string columnName(int column) const;
    std::string_view columnText(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    [[noreturn]] void fail() const;

    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// name between double quotes, inner quotes doubled.
std::string quoteIdentifier(std::string_view name);

}  // namespace caici
