#pragma once
// A query over the workbook connection: the rows of the named sheets one
// after another, as the load's UNION ALL reads them, the columns named by the
// first sheet's header; the rows are visited with first / next / eof and
// their fields found by name, every value as text.
//
// Sheet names are data. They are looked up among the workbook's sheets, and
// the SQL that runs names only the tables built for those sheets, so a name
// that reads like SQL is just a name that matches no sheet or one sheet.

#include "common/errors.h"
#include "workbook/workbook_connection.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

// The query could not run: a name that is no sheet, no names at all, or
// sheets whose column counts differ. The text says which.
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

// Where a row of the result stands in the workbook.
struct RowPlace {
    std::string sheet;        // the sheet's name in the workbook
    std::uint32_t row = 0;    // the row's number in the sheet, the header being row 1
};

// The statement that reads the named sheets (matched as SQL matches names)
// one after another. Each row carries two columns after the sheet's own:
// the position of its sheet in `sheets` and its row id in that sheet's table.
struct SheetSelection {
    std::vector<std::size_t> sheets;  // positions in the workbook's sheet list, in query order
    std::string sql;
};
// Throws EQueryFailed when names is empty or one of them is no sheet.
SheetSelection selectSheets(const std::vector<SheetInfo>& workbook, const std::vector<std::string>& names);

class WorkbookQuery {
public:
    explicit WorkbookQuery(WorkbookConnection& connection);

    void close();
    bool isOpen() const { return statement_.has_value(); }

    // Opens the connection if needed and reads the named sheets; the result
    // stands on its first row. Throws EQueryFailed, or the connection's own
    // error.
    void open(const std::vector<std::string>& sheets);

    void first();
    void next();
    bool eof() const { return eof_; }

    const std::vector<std::string>& columnNames() const { return columns_; }
    // The position of a column, matched as SQL matches names; throws
    // EFieldNotFound.
    std::size_t fieldIndex(std::string_view name) const;
    // The same for a column that a library may leave out.
    std::optional<std::size_t> findField(std::string_view name) const;
    // The text of a field of the current row.
    std::string_view fieldText(std::size_t index) const;
    // Where the current row comes from.
    RowPlace place() const;
    // The same as numbers: the position of its sheet among the sheets the
    // query was opened with, and its row in the sheet (the header being 1).
    struct RowIndex {
        std::size_t sheet = 0;
        std::uint32_t row = 0;
    };
    RowIndex index() const;
    // The workbook's description of the sheet at that position of the query.
    const SheetInfo& sheetInfo(std::size_t position) const;

private:
    void fetch();

    WorkbookConnection& connection_;
    // The workbook stays alive while the statement runs over it, even if
    // the connection is closed meanwhile.
    std::shared_ptr<const WorkbookData> data_;
    std::vector<std::size_t> sheets_;
    std::optional<SqliteStatement> statement_;
    std::vector<std::string> columns_;
    bool eof_ = true;
};

}  // namespace caici
