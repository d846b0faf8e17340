// libFuzzer: arbitrary bytes as the reader's output go through the stream
// checks, the table building and the load's union query without a crash,
// a leak or a hang. Every rejection must be one of the library's own errors.

#include "common/errors.h"
#include "workbook/reader_stream.h"
#include "workbook/sqlite_database.h"
#include "workbook/word_library.h"
#include "workbook/workbook_connection.h"
#include "workbook/workbook_query.h"
#include "workbook/workbook_tables.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Runs the query that the load runs over whatever sheets arrived.
void queryLikeTheLoad(const caici::SqliteDatabase& database, const std::vector<caici::SheetInfo>& sheets) {
    std::vector<std::string> names;
    for (const auto& sheet : sheets) names.push_back(caici::listedTableName(sheet.name));
    caici::filterSheetNames(names);
    caici::SqliteStatement statement(database, caici::selectSheets(sheets, names).sql);
    while (statement.step()) {
        for (int column = 0; column < statement.columnCount(); ++column) statement.columnText(column);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The pipe delivers the stream in portions: split it where the first byte says.
    const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
    try {
        auto database = caici::SqliteDatabase::openInMemory();
        caici::WorkbookTables tables(database, caici::CellFormat{});
        caici::ReaderStreamDecoder decoder(tables);
        decoder.feed(bytes.substr(0, split));
        decoder.feed(bytes.substr(split));
        decoder.finish();
        tables.allowOnlyReading();
        queryLikeTheLoad(database, tables.sheets());
    } catch (const caici::Error&) {
    }
    return 0;
}
