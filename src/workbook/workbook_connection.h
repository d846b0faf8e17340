#pragma once
// The connection through which the word library reads words.xls. It answers
// what the load needs of a database provider: a connection string naming
// the workbook, the list of its tables, and the sheets to query.
//
// Opening runs caici-xlsreader on the workbook and loads every worksheet into
// an in-memory SQLite table of its own (see WorkbookTables); from then on the
// database answers nothing but reads of those tables. The table listing names
// each sheet as the provider does, with "$" appended: a list of names, never
// SQL. A workbook that cannot be read fails with one clear error; the failure
// is kept until the connection string is set again, so a query over a broken
// workbook does not start the reader a second time.

#include "workbook/cell_text.h"
#include "workbook/reader_process.h"
#include "workbook/sqlite_database.h"
#include "workbook/workbook_tables.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

// A workbook that could not be read. The text is for the user.
class EWorkbookUnreadable : public Error {
public:
    EWorkbookUnreadable(const std::string& text, ReaderFailure cause) : Error(text), cause_(cause) {}
    ReaderFailure cause() const { return cause_; }

private:
    ReaderFailure cause_;
};

// What an open connection holds; queries keep it alive while they run.
struct WorkbookData {
    SqliteDatabase database;
    std::vector<SheetInfo> sheets;
};

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Extended Properties=Excel 8.0",
// the path between double quotes when it holds ";" or starts with a quote.
std::string connectionStringFor(const std::string& workbookPath);
// The Data Source of a connection string; empty when there is none.
std::string dataSourceOf(std::string_view connectionString);

// How the table listing names a sheet: the name with "$" appended, between
// "'" marks (inner marks doubled) when it holds anything but letters, digits
// and "_" or starts with a digit or "_". The load's filter drops names that
// begin "'_", so a sheet named "_草稿" stays out of the game.
std::string listedTableName(const std::string& sheetName);

class WorkbookConnection {
public:
    static constexpr std::string_view kProvider = "Provider=Microsoft.Jet.OLEDB.4.0";

    WorkbookConnection(std::string readerPath, ReaderLimits limits = {},
                       CellFormat format = CellFormat::user());

    // Closes the connection; the next use reads the workbook anew.
    void setConnectionString(std::string text);
    const std::string& connectionString() const { return connectionString_; }

    // Reads the workbook unless the connection is open; rethrows the kept
    // failure of an earlier attempt.
    void open();
    void close();
    bool isOpen() const { return data_ != nullptr; }

    // Opens the connection if needed, empties names and lists the tables
    // (one per worksheet) in workbook order. When opening fails the error
    // passes on and names is left as it was.
    void getTableNames(std::vector<std::string>& names);

    // The open workbook; throws when the connection is not open.
    std::shared_ptr<const WorkbookData> data() const;
    const SheetInfo* findSheet(std::string_view tableName) const;

private:
    std::string readerPath_;
    ReaderLimits limits_;
    CellFormat format_;
    std::string connectionString_{kProvider};
    std::shared_ptr<const WorkbookData> data_;
    std::optional<EWorkbookUnreadable> failure_;
};

}  // namespace caici
