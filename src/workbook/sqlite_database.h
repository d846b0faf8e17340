#pragma once
// The database that holds a workbook while it loads.
//
// The workbook is one that anyone may have written, and the game runs in the
// same process, so the engine is kept to what the load needs: no extension
// loading, no ATTACH, no triggers or views, defensive mode, tight limits, a
// bound on the work of each step, and, once the tables are built, an
// authorizer that lets statements do nothing but read them.

#include "sqlite/sqlite_connection.h"

#include <memory>
#include <set>
#include <string>

namespace caici {

class SqliteDatabase : public SqliteConnection {
public:
    // A private, hardened database in memory.
    static SqliteDatabase openInMemory();

    // From now on statements may only read these tables (and their columns);
    // anything else, the schema, functions, PRAGMA and writes included, is
    // refused when the statement is prepared.
    void allowOnlyReading(std::set<std::string> tables);

private:
    SqliteDatabase();
    void harden();

    // On the heap, so that its address, which the authorizer holds, stays
    // put when the database moves.
    std::unique_ptr<std::set<std::string>> readable_;
};

}  // namespace caici
