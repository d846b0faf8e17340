#pragma once
// A query over the workbook connection: SQL text kept as lines, opened to a
// result whose rows are visited with first / next / eof and whose fields are
// found by name, every value as text.

#include "common/errors.h"
#include "workbook/workbook_connection.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

// The SQL could not run (no such sheet, sheets whose column counts differ, a
// syntax error); the text is SQLite's message.
class EQueryFailed : public Error {
public:
    using Error::Error;
};

// The result has no column of that name.
class EFieldNotFound : public Error {
public:
    explicit EFieldNotFound(const std::string& field) : Error("Field '" + field + "' not found"), field_(field) {}
    const std::string& field() const { return field_; }

private:
    std::string field_;
};

class WorkbookQuery {
public:
    explicit WorkbookQuery(WorkbookConnection& connection);

    void close();
    bool isOpen() const { return statement_.has_value(); }

    void clearSql() { sql_.clear(); }
    void addSqlLine(std::string line) { sql_.push_back(std::move(line)); }
    void replaceSql(std::string text);
    const std::vector<std::string>& sqlLines() const { return sql_; }
    // The lines joined as SQLite receives them.
    std::string sqlText() const;

    // Opens the connection if needed and runs the SQL; the result stands on
    // its first row. Throws EQueryFailed, or the connection's own error.
    void open();

    void first();
    void next();
    bool eof() const { return eof_; }

    const std::vector<std::string>& columnNames() const { return columns_; }
    // The position of a column, matched as SQL matches names; throws
    // EFieldNotFound.
    std::size_t fieldIndex(std::string_view name) const;
    // The text of a field of the current row.
    std::string_view fieldText(std::size_t index) const;
    std::string_view fieldByName(std::string_view name) const { return fieldText(fieldIndex(name)); }

private:
    void fetch();

    WorkbookConnection& connection_;
    std::vector<std::string> sql_;
    // The workbook stays alive while the statement runs over it, even if
    // the connection is closed meanwhile.
    std::shared_ptr<const WorkbookData> data_;
    std::optional<SqliteStatement> statement_;
    std::vector<std::string> columns_;
    bool eof_ = true;
};

}  // namespace caici
