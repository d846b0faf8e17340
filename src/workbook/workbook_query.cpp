#include "workbook/workbook_query.h"

#include "workbook/workbook_tables.h"

namespace caici {

WorkbookQuery::WorkbookQuery(WorkbookConnection& connection) : connection_(connection) {}

void WorkbookQuery::close() {
    statement_.reset();
    data_.reset();
    columns_.clear();
    eof_ = true;
}

void WorkbookQuery::replaceSql(std::string text) {
    sql_.clear();
    sql_.push_back(std::move(text));
}

std::string WorkbookQuery::sqlText() const {
    std::string text;
    for (const auto& line : sql_) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return text;
}

void WorkbookQuery::open() {
    close();
    connection_.open();
    auto data = connection_.data();
    try {
        SqliteStatement statement(data->database, sqlText());
        std::vector<std::string> columns;
        for (int at = 0; at < statement.columnCount(); ++at) columns.push_back(statement.columnName(at));
        data_ = std::move(data);
        statement_.emplace(std::move(statement));
        columns_ = std::move(columns);
        fetch();
    } catch (const ESqlite& error) {
        close();
        throw EQueryFailed(error.what());
    }
}

void WorkbookQuery::first() {
    if (!statement_) return;
    statement_->reset();
    try {
        fetch();
    } catch (const ESqlite& error) {
        throw EQueryFailed(error.what());
    }
}

void WorkbookQuery::next() {
    if (!statement_ || eof_) return;
    try {
        fetch();
    } catch (const ESqlite& error) {
        throw EQueryFailed(error.what());
    }
}

void WorkbookQuery::fetch() {
    eof_ = !statement_->step();
}

std::size_t WorkbookQuery::fieldIndex(std::string_view name) const {
    for (std::size_t at = 0; at < columns_.size(); ++at) {
        if (sameIdentifier(columns_[at], name)) return at;
    }
    throw EFieldNotFound(std::string(name));
}

std::string_view WorkbookQuery::fieldText(std::size_t index) const {
    if (!statement_ || eof_ || index >= columns_.size()) return {};
    return statement_->columnText(static_cast<int>(index));
}

}  // namespace caici
