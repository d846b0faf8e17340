#include "workbook/sqlite_handle.h"

#include "workbook/reader_protocol.h"

#include <sqlite3.h>

#include <utility>

namespace caici {
namespace {

// The progress handler runs every kOpsPerTick virtual-machine instructions.
// A step of the load reads one row of one sheet, a few hundred instructions
// at most; kTicksPerStep lets a single step run 10^7 of them (a few tens of
// milliseconds) before it counts as runaway.
constexpr int kOpsPerTick = 1000;
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

int onProgress(void* context) {
    auto& guard = *static_cast<SqliteGuard*>(context);
    if (guard.ticksLeft == 0) {
        guard.stopped = true;
        return 1;
    }
    --guard.ticksLeft;
    return 0;
}

int authorize(void* context, int action, const char* table, const char*, const char* database, const char*) {
    const auto& guard = *static_cast<const SqliteGuard*>(context);
    if (!guard.readOnly) return SQLITE_OK;
    switch (action) {
    case SQLITE_SELECT:
        return SQLITE_OK;
    case SQLITE_READ:
        // A table of a join whose columns go unused is reported without a
        // database name.
        if (table != nullptr && (database == nullptr || std::string_view(database) == "main") &&
            guard.readable.count(table) != 0) {
            return SQLITE_OK;
        }
        return SQLITE_DENY;
    default:
        return SQLITE_DENY;
    }
}

}  // namespace

std::string runawayStatementText() {
    return "查询运行时间过长，已中止";
}

void SqliteGuard::startStep() {
    ticksLeft = kTicksPerStep;
    stopped = false;
}

void SqliteDatabase::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

SqliteDatabase SqliteDatabase::openInMemory() {
    sqlite3* db = nullptr;
    // One thread uses the database: no locking needed.
    const int status = sqlite3_open_v2(":memory:", &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDatabase database(std::make_unique<SqliteGuard>(), db);
    if (status != SQLITE_OK) {
        throw ESqlite(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(status));
    }
    database.harden();
    return database;
}

void SqliteDatabase::harden() {
    sqlite3* db = db_.get();
    for (const auto& setting : kSwitches) {
        int now = -1;
        if (sqlite3_db_config(db, setting.option, setting.on, &now) != SQLITE_OK || now != setting.on) {
            throw ESqlite("cannot configure the in-memory database");
        }
    }
    for (const auto& limit : kLimits) sqlite3_limit(db, limit.id, limit.value);
    sqlite3_progress_handler(db, kOpsPerTick, onProgress, guard_.get());
}

void SqliteDatabase::execute(const std::string& sql) const {
    char* message = nullptr;
    guard_->startStep();
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text =
            guard_->stopped ? runawayStatementText() : message != nullptr ? message : sqlite3_errmsg(db_.get());
        sqlite3_free(message);
        throw ESqlite(text);
    }
}

void SqliteDatabase::allowOnlyReading(std::set<std::string> tables) {
    guard_->readable = std::move(tables);
    guard_->readOnly = true;
    if (sqlite3_set_authorizer(db_.get(), authorize, guard_.get()) != SQLITE_OK) {
        throw ESqlite(sqlite3_errmsg(db_.get()));
    }
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(const SqliteDatabase& database, std::string_view sql)
    : db_(database.get()), guard_(database.guard_.get()) {
    sqlite3_stmt* statement = nullptr;
    const int status =
        sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    statement_.reset(statement);
    if (status != SQLITE_OK) fail();
    if (!statement_) throw ESqlite("empty SQL text");
}

bool SqliteStatement::step() {
    guard_->startStep();
    const int status = sqlite3_step(statement_.get());
    if (status == SQLITE_ROW) return true;
    if (status == SQLITE_DONE) return false;
    if (guard_->stopped) throw ESqlite(runawayStatementText());
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

std::string_view SqliteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    if (text == nullptr) return {};
    return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column))};
}

std::int64_t SqliteStatement::columnInteger(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

void SqliteStatement::fail() const {
    throw ESqlite(sqlite3_errmsg(db_));
}

}  // namespace caici
