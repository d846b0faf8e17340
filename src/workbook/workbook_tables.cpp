#include "workbook/workbook_tables.h"

#include "common/ascii.h"
#include "workbook/reader_stream.h"

#include <algorithm>
#include <set>
#include <utility>

namespace caici {

std::string identifierKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = asciiLower(c);
    return key;
}

bool sameIdentifier(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (asciiLower(a[at]) != asciiLower(b[at])) return false;
    }
    return true;
}

std::vector<std::string> columnNames(const std::vector<std::string>& headers) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (std::size_t at = 0; at < headers.size(); ++at) {
        std::string name = headers[at];
        if (name.empty() || taken.count(identifierKey(name)) != 0) name = "F" + std::to_string(at + 1);
        // A header may itself read "F3"; keep the names distinct, so that each
        // field is found by exactly one name.
        for (int suffix = 2; taken.count(identifierKey(name)) != 0; ++suffix) {
            name = "F" + std::to_string(at + 1) + "_" + std::to_string(suffix);
        }
        taken.insert(identifierKey(name));
        names.push_back(std::move(name));
    }
    return names;
}

WorkbookTables::WorkbookTables(SqliteDatabase& database, CellFormat format)
    : database_(database), format_(std::move(format)) {}

void WorkbookTables::beginSheet(const std::string& name, std::uint32_t rows, std::uint32_t columns) {
    insert_.reset();
    for (const auto& sheet : sheets_) {
        if (sameIdentifier(sheet.name, name)) throw EReaderStream("two sheets are named " + name);
    }
    const std::string table = "sheet_" + std::to_string(sheets_.size() + 1);
    sheets_.push_back(SheetInfo{name, table, {}, 0, rows == 0 || columns == 0, {}});
    columns_ = columns;
    row_ = 1;
    cells_.clear();
    cells_.reserve(columns);
    headerDone_ = false;
    if (sheets_.back().empty) createTable({std::string()});
}

void WorkbookTables::cell(const CellValue& value) {
    if (value.kind == CellKind::error || value.kind == CellKind::formulaWithoutResult) {
        sheets_.back().marks.push_back(CellMark{row_, static_cast<std::uint32_t>(cells_.size()), value.kind});
    }
    cells_.push_back(cellText(value, format_));
    if (cells_.size() < columns_) return;
    if (headerDone_) {
        insertRow();
    } else {
        createTable(std::move(cells_));
    }
    cells_.clear();
    ++row_;
}

CellKind markAt(const SheetInfo& sheet, std::uint32_t row, std::uint32_t column) {
    const auto first = std::lower_bound(sheet.marks.begin(), sheet.marks.end(), row,
                                        [](const CellMark& mark, std::uint32_t r) { return mark.row < r; });
    for (auto mark = first; mark != sheet.marks.end() && mark->row == row; ++mark) {
        if (mark->column == column) return mark->kind;
    }
    return CellKind::text;
}

void WorkbookTables::endSheet() {
    insert_.reset();
}

void WorkbookTables::allowOnlyReading() {
    std::set<std::string> tables;
    for (const auto& sheet : sheets_) tables.insert(sheet.table);
    database_.allowOnlyReading(std::move(tables));
}

void WorkbookTables::createTable(std::vector<std::string> headers) {
    SheetInfo& sheet = sheets_.back();
    sheet.columns = columnNames(headers);
    std::string create = "CREATE TABLE " + sheet.table + " (";
    std::string insert = "INSERT INTO " + sheet.table + " VALUES (";
    for (std::size_t at = 0; at < sheet.columns.size(); ++at) {
        create += (at == 0 ? "c" : ", c") + std::to_string(at + 1);
        insert += at == 0 ? "?" : ", ?";
    }
    database_.execute(create + ")");
    insert_.emplace(database_, insert + ")");
    headerDone_ = true;
}

void WorkbookTables::insertRow() {
    for (std::size_t at = 0; at < cells_.size(); ++at) insert_->bind(static_cast<int>(at + 1), cells_[at]);
    insert_->step();
    insert_->reset();
    ++sheets_.back().dataRows;
}

}  // namespace caici
