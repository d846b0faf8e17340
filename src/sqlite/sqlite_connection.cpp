#include "sqlite/sqlite_connection.h"

#include <sqlite3.h>

namespace caici {
namespace {

// The progress handler runs every kOpsPerTick virtual-machine instructions.
constexpr int kOpsPerTick = 1000;

}  // namespace

std::string runawayStatementText() {
    return "查询运行时间过长，已中止";
}

void SqliteConnection::StepBudget::startStep() {
    ticksLeft = ticksPerStep;
    stopped = false;
}

void SqliteConnection::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

SqliteConnection::SqliteConnection(const std::string& path, int flags) {
    sqlite3* db = nullptr;
    const int status = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    db_.reset(db);
    if (status != SQLITE_OK) throw ESqlite(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(status));
}

void SqliteConnection::execute(std::string_view sql) const {
    char* message = nullptr;
    const std::string statement(sql);
    if (budget_) budget_->startStep();
    if (sqlite3_exec(db_.get(), statement.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const bool stopped = budget_ && budget_->stopped;
        const std::string text =
            stopped ? runawayStatementText() : message != nullptr ? message : sqlite3_errmsg(db_.get());
        sqlite3_free(message);
        throw ESqlite(text);
    }
}

void SqliteConnection::limitWorkPerStep(std::uint32_t ticks) {
    budget_ = std::make_unique<StepBudget>();
    budget_->ticksPerStep = ticks;
    const auto onProgress = [](void* context) {
        auto& budget = *static_cast<StepBudget*>(context);
        if (budget.ticksLeft == 0) {
            budget.stopped = true;
            return 1;
        }
        --budget.ticksLeft;
        return 0;
    };
    sqlite3_progress_handler(db_.get(), kOpsPerTick, onProgress, budget_.get());
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(const SqliteConnection& connection, std::string_view sql)
    : db_(connection.get()), budget_(connection.budget_.get()) {
    sqlite3_stmt* statement = nullptr;
    const int status = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    statement_.reset(statement);
    if (status != SQLITE_OK) fail();
    if (!statement_) throw ESqlite("empty SQL text");
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_.get(), index, value) != SQLITE_OK) fail();
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    // SQLITE_STATIC: the caller keeps the text until the step has run, which
    // spares a copy of every cell of a workbook.
    if (sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC) !=
        SQLITE_OK) {
        fail();
    }
    return *this;
}

bool SqliteStatement::step() {
    if (budget_ != nullptr) budget_->startStep();
    const int status = sqlite3_step(statement_.get());
    if (status == SQLITE_ROW) return true;
    if (status == SQLITE_DONE) return false;
    if (budget_ != nullptr && budget_->stopped) throw ESqlite(runawayStatementText());
    fail();
}

void SqliteStatement::run() {
    step();
    reset();
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_.get());
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
