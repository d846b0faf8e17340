#include "workbook/sqlite_database.h"

#include "workbook/reader_protocol.h"

#include <sqlite3.h>

#include <string_view>
#include <utility>

namespace caici {
namespace {

// A step of the load reads one row of one sheet, a few hundred instructions
// at most; kTicksPerStep lets a single step run 10^7 of them (a few tens of
// milliseconds) before it counts as runaway.
constexpr std::uint32_t kTicksPerStep = 10000;

// Limits sized to the workbook format: a cell holds at most 32,767 UTF-16
// units, a sheet 256 columns; the load's query adds two columns of its own
// and joins at most 100 sheets; an insert binds one value per column.
struct Limit {
    int id;
    int value;
};
constexpr Limit kLimits[] = {
    {SQLITE_LIMIT_LENGTH, 1 << 20},
    {SQLITE_LIMIT_SQL_LENGTH, 1 << 16},
    {SQLITE_LIMIT_COLUMN, static_cast<int>(readerstream::kMaxColumns) + 2},
    {SQLITE_LIMIT_EXPR_DEPTH, 16},
    {SQLITE_LIMIT_COMPOUND_SELECT, 100},
    {SQLITE_LIMIT_FUNCTION_ARG, 2},
    {SQLITE_LIMIT_ATTACHED, 0},
    {SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 16},
    {SQLITE_LIMIT_VARIABLE_NUMBER, static_cast<int>(readerstream::kMaxColumns)},
    {SQLITE_LIMIT_TRIGGER_DEPTH, 1},
    {SQLITE_LIMIT_WORKER_THREADS, 0},
};

// Switches that the load never needs; each is set explicitly, whatever the
// library's build defaults are.
struct Switch {
    int option;
    int on;
};
constexpr Switch kSwitches[] = {
    {SQLITE_DBCONFIG_DEFENSIVE, 1},
    {SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0},
    {SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0},
    {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0},
    {SQLITE_DBCONFIG_ENABLE_VIEW, 0},
    {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},
    {SQLITE_DBCONFIG_DQS_DML, 0},
    {SQLITE_DBCONFIG_DQS_DDL, 0},
};

int authorize(void* context, int action, const char* table, const char*, const char* database, const char*) {
    const auto& readable = *static_cast<const std::set<std::string>*>(context);
    switch (action) {
    case SQLITE_SELECT:
        return SQLITE_OK;
    case SQLITE_READ:
        // A table of a join whose columns go unused is reported without a
        // database name.
        if (table != nullptr && (database == nullptr || std::string_view(database) == "main") &&
            readable.count(table) != 0) {
            return SQLITE_OK;
        }
        return SQLITE_DENY;
    default:
        return SQLITE_DENY;
    }
}

}  // namespace

SqliteDatabase::SqliteDatabase()
    // One thread uses the database: no locking needed.
    : SqliteConnection(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX) {}

SqliteDatabase SqliteDatabase::openInMemory() {
    SqliteDatabase database;
    database.harden();
    return database;
}

void SqliteDatabase::harden() {
    sqlite3* db = get();
    for (const auto& setting : kSwitches) {
        int now = -1;
        if (sqlite3_db_config(db, setting.option, setting.on, &now) != SQLITE_OK || now != setting.on) {
            throw ESqlite("cannot configure the in-memory database");
        }
    }
    for (const auto& limit : kLimits) sqlite3_limit(db, limit.id, limit.value);
    limitWorkPerStep(kTicksPerStep);
}

void SqliteDatabase::allowOnlyReading(std::set<std::string> tables) {
    readable_ = std::make_unique<std::set<std::string>>(std::move(tables));
    if (sqlite3_set_authorizer(get(), authorize, readable_.get()) != SQLITE_OK) throw ESqlite(sqlite3_errmsg(get()));
}

}  // namespace caici
