#pragma once
// Builds one SQLite table per worksheet, the way the workbook provider shows
// a sheet: the first row names the columns and every later row is a row of
// the table, every cell stored as its text. An empty header cell, or one that
// repeats an earlier column name, gives the column the name "F" + its
// position (F1, F2, ...). A sheet without any cells still gets a table, with
// the one column F1 and no rows.
//
// Sheet names and headers are the workbook's text and never become SQL: the
// tables and their columns get names of our own (sheet_1, c1, ...), and the
// workbook's names are kept beside them as data. Two sheets whose names match
// as SQL names match (ignoring ASCII case) cannot both be found by name; such
// a workbook is refused as damaged.

#include "workbook/cell_text.h"
#include "workbook/reader_stream.h"
#include "workbook/sqlite_database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

// A cell that does not show its value as text: an error value, or a formula
// whose file keeps no result.
struct CellMark {
    std::uint32_t row = 0;     // in the sheet, the header being row 1
    std::uint32_t column = 0;  // from 0
    CellKind kind = CellKind::error;
};

struct SheetInfo {
    std::string name;              // as in the workbook, without "$"
    std::string table;             // the database's name for its table
    std::vector<std::string> columns;  // the names the header gives the columns
    std::uint32_t dataRows = 0;    // rows below the header
    bool empty = false;            // the sheet had no cells at all
    std::vector<CellMark> marks;   // in row order
};

// The kind of the cell at row and column if it is marked, else text.
CellKind markAt(const SheetInfo& sheet, std::uint32_t row, std::uint32_t column);

class WorkbookTables : public WorkbookSink {
public:
    WorkbookTables(SqliteDatabase& database, CellFormat format);

    void beginSheet(const std::string& name, std::uint32_t rows, std::uint32_t columns) override;
    void cell(const CellValue& value) override;
    void endSheet() override;

    const std::vector<SheetInfo>& sheets() const { return sheets_; }
    // Once every sheet is in: the database answers nothing but reads of
    // these tables from now on.
    void allowOnlyReading();

private:
    void createTable(std::vector<std::string> headers);
    void insertRow();

    SqliteDatabase& database_;
    CellFormat format_;
    std::vector<SheetInfo> sheets_;
    std::uint32_t columns_ = 0;
    std::uint32_t row_ = 1;
    std::vector<std::string> cells_;  // of the row being read
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
