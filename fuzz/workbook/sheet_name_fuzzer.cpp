// libFuzzer: arbitrary sheet names (the input split at NUL bytes, which no
// sheet name holds) go the load's way: the reader stream, the tables, the
// table listing, the sheet-name filter, the query over all kept sheets and
// the browse of each one. Whatever a name spells, the queries return only rows
// that the sheets hold; any other row means workbook text ran as SQL, and the
// target aborts.

#include "common/errors.h"
#include "workbook/reader_protocol.h"
#include "workbook/reader_stream.h"
#include "workbook/sqlite_database.h"
#include "workbook/utf8.h"
#include "workbook/word_library.h"
#include "workbook/workbook_connection.h"
#include "workbook/workbook_query.h"
#include "workbook/workbook_tables.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace caici::readerstream;

constexpr std::size_t kMaxSheets = 120;

void u32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

void text(std::string& out, std::string_view value) {
    u32(out, static_cast<std::uint32_t>(value.size()));
    out.append(value);
}

void textCell(std::string& out, std::string_view value) {
    out.push_back(static_cast<char>(CellTag::text));
    text(out, value);
}

// The names that a reader could report: valid UTF-8 of a sheet name's length,
// each once as SQL tells names apart.
std::vector<std::string> sheetNames(std::string_view input) {
    std::vector<std::string> names;
    while (!input.empty() && names.size() < kMaxSheets) {
        const std::size_t end = std::min(input.find('\0'), input.size());
        const std::string name(input.substr(0, end));
        input.remove_prefix(std::min(end + 1, input.size()));
        if (name.empty() || name.size() > kMaxSheetNameBytes || !caici::isStrictUtf8(name)) continue;
        bool taken = false;
        for (const auto& other : names) taken = taken || caici::sameIdentifier(other, name);
        if (!taken) names.push_back(name);
    }
    return names;
}

// A row's word and points cells.
using Row = std::pair<std::string, std::string>;

Row rowOf(std::size_t sheet) {
    return {"词" + std::to_string(sheet), std::to_string(sheet)};
}

// Each sheet holds the header and the one row rowOf(its position).
std::string workbookStream(const std::vector<std::string>& names) {
    std::string out(kMagic);
    out.push_back(static_cast<char>(Tag::workbook));
    u32(out, static_cast<std::uint32_t>(names.size()));
    for (std::size_t at = 0; at < names.size(); ++at) {
        out.push_back(static_cast<char>(Tag::sheet));
        text(out, names[at]);
        u32(out, 2);
        u32(out, 2);
        textCell(out, "名称");
        textCell(out, "分值");
        textCell(out, rowOf(at).first);
        textCell(out, rowOf(at).second);
    }
    out.push_back(static_cast<char>(Tag::end));
    return out;
}

// Runs the query over the named sheets; every row must be one they hold.
void expectOnlySheetRows(const caici::SqliteDatabase& database, const std::vector<caici::SheetInfo>& sheets,
                         const std::vector<std::string>& names) {
    caici::SheetSelection selection;
    try {
        selection = caici::selectSheets(sheets, names);
    } catch (const caici::EQueryFailed&) {
        return;
    }
    std::set<Row> held;
    for (std::size_t at : selection.sheets) held.insert(rowOf(at));
    caici::SqliteStatement statement(database, selection.sql);
    std::size_t rows = 0;
    while (statement.step()) {
        const Row row{statement.columnText(0), statement.columnText(1)};
        if (statement.columnCount() != 4 || held.count(row) == 0 || ++rows > selection.sheets.size()) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> names = sheetNames(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        auto database = caici::SqliteDatabase::openInMemory();
        caici::WorkbookTables tables(database, caici::CellFormat{});
        caici::ReaderStreamDecoder decoder(tables);
        decoder.feed(workbookStream(names));
        decoder.finish();
        tables.allowOnlyReading();

        std::vector<std::string> kept;
        for (const auto& sheet : tables.sheets()) kept.push_back(caici::listedTableName(sheet.name));
        caici::filterSheetNames(kept);
        expectOnlySheetRows(database, tables.sheets(), kept);
        for (const auto& name : kept) expectOnlySheetRows(database, tables.sheets(), {name});
    } catch (const caici::Error&) {
    }
    return 0;
}
