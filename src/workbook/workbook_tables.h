#pragma once
// Builds one SQLite table per worksheet, the way the workbook provider shows
// a sheet to SQL: the table is named after the sheet with "$" appended, the
// first row names the columns and every later row is a row of the table,
// every cell stored as its text. An empty header cell, or one that repeats an
// earlier column name, gives the column the name "F" + its position (F1, F2,
// ...). A sheet without any cells still gets a table, with the one column F1
// and no rows.

#include "workbook/cell_text.h"
#include "workbook/reader_stream.h"
#include "workbook/sqlite_handle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

struct SheetInfo {
    std::string name;              // as in the workbook, without "$"
    std::vector<std::string> columns;
    std::uint32_t dataRows = 0;    // rows below the header
    bool empty = false;            // the sheet had no cells at all
};

class WorkbookTables : public WorkbookSink {
public:
    WorkbookTables(const SqliteDatabase& database, CellFormat format);

    void beginSheet(const std::string& name, std::uint32_t rows, std::uint32_t columns) override;
    void cell(const CellValue& value) override;
    void endSheet() override;

    const std::vector<SheetInfo>& sheets() const { return sheets_; }

private:
    void createTable(std::vector<std::string> headers);
    void insertRow();

    const SqliteDatabase& database_;
    CellFormat format_;
    std::vector<SheetInfo> sheets_;
    std::uint32_t columns_ = 0;
    std::vector<std::string> row_;
    bool headerDone_ = false;
    std::optional<SqliteStatement> insert_;
};

// SQLite matches table and column names without regard to ASCII case; two
// names are the same identifier when their keys are equal.
std::string identifierKey(std::string_view name);
bool sameIdentifier(std::string_view a, std::string_view b);

// The column names of a header row, by the rule above.
std::vector<std::string> columnNames(const std::vector<std::string>& headers);

}  // namespace caici
