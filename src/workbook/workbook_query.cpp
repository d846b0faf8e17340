#include "workbook/workbook_query.h"

#include "workbook/workbook_tables.h"

namespace caici {

SheetSelection selectSheets(const std::vector<SheetInfo>& workbook, const std::vector<std::string>& names) {
    if (names.empty()) throw EQueryFailed("没有要读取的工作表");
    SheetSelection selection;
    for (const auto& name : names) {
        std::size_t at = 0;
        while (at < workbook.size() && !sameIdentifier(workbook[at].name, name)) ++at;
        if (at == workbook.size()) throw EQueryFailed("找不到工作表“" + name + "”");
        if (!selection.sql.empty()) selection.sql += " UNION ALL ";
        selection.sql += "SELECT *, " + std::to_string(selection.sheets.size()) + ", rowid FROM " + workbook[at].table;
        selection.sheets.push_back(at);
    }
    return selection;
}

WorkbookQuery::WorkbookQuery(WorkbookConnection& connection) : connection_(connection) {}

void WorkbookQuery::close() {
    statement_.reset();
    data_.reset();
    sheets_.clear();
    columns_.clear();
    eof_ = true;
}

void WorkbookQuery::open(const std::vector<std::string>& sheets) {
    close();
    connection_.open();
    auto data = connection_.data();
    SheetSelection selection = selectSheets(data->sheets, sheets);
    try {
        SqliteStatement statement(data->database, selection.sql);
        columns_ = data->sheets[selection.sheets.front()].columns;
        sheets_ = std::move(selection.sheets);
        data_ = std::move(data);
        statement_.emplace(std::move(statement));
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
    if (const auto at = findField(name)) return *at;
    throw EFieldNotFound(std::string(name));
}

std::optional<std::size_t> WorkbookQuery::findField(std::string_view name) const {
    for (std::size_t at = 0; at < columns_.size(); ++at) {
        if (sameIdentifier(columns_[at], name)) return at;
    }
    return std::nullopt;
}

std::string_view WorkbookQuery::fieldText(std::size_t index) const {
    if (!statement_ || eof_ || index >= columns_.size()) return {};
    return statement_->columnText(static_cast<int>(index));
}

WorkbookQuery::RowIndex WorkbookQuery::index() const {
    if (!statement_ || eof_) return {};
    const auto column = static_cast<int>(columns_.size());
    // Row ids count the rows below the header from 1.
    return RowIndex{static_cast<std::size_t>(statement_->columnInteger(column)),
                    static_cast<std::uint32_t>(statement_->columnInteger(column + 1) + 1)};
}

const SheetInfo& WorkbookQuery::sheetInfo(std::size_t position) const {
    return data_->sheets.at(sheets_.at(position));
}

RowPlace WorkbookQuery::place() const {
    if (!statement_ || eof_) return {};
    const auto column = static_cast<int>(columns_.size());
    const auto position = static_cast<std::size_t>(statement_->columnInteger(column));
    const auto rowId = statement_->columnInteger(column + 1);
    if (position >= sheets_.size()) return {};
    // Row ids count the rows below the header from 1.
    return RowPlace{data_->sheets[sheets_[position]].name, static_cast<std::uint32_t>(rowId + 1)};
}

}  // namespace caici
