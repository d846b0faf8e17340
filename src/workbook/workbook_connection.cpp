#include "workbook/workbook_connection.h"

#include "workbook/load_errors.h"
#include "workbook/reader_stream.h"

#include <new>
#include <utility>

namespace caici {
namespace {

constexpr std::string_view kDataSourceKey = "Data Source=";
constexpr std::string_view kExtendedProperties = ";Extended Properties=Excel 8.0";

bool isAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Reads the value that starts at text[at]: up to the next ";" or, between
// double quotes, up to the closing quote (a doubled quote stands for one).
std::string valueAt(std::string_view text, std::size_t at) {
    std::string value;
    if (at < text.size() && text[at] == '"') {
        for (std::size_t k = at + 1; k < text.size(); ++k) {
            if (text[k] != '"') {
                value += text[k];
            } else if (k + 1 < text.size() && text[k + 1] == '"') {
                value += '"';
                ++k;
            } else {
                break;
            }
        }
        return value;
    }
    const auto end = text.find(';', at);
    return std::string(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
}

}  // namespace

std::string connectionStringFor(const std::string& workbookPath) {
    std::string source = workbookPath;
    if (source.find(';') != std::string::npos || (!source.empty() && source.front() == '"')) {
        source = "\"";
        for (char c : workbookPath) {
            if (c == '"') source += '"';
            source += c;
        }
        source += '"';
    }
    return std::string(WorkbookConnection::kProvider) + ";" + std::string(kDataSourceKey) + source +
           std::string(kExtendedProperties);
}

std::string dataSourceOf(std::string_view connectionString) {
    std::size_t at = 0;
    while (at <= connectionString.size()) {
        if (connectionString.substr(at, kDataSourceKey.size()) == kDataSourceKey) {
            return valueAt(connectionString, at + kDataSourceKey.size());
        }
        // Skip this key=value pair, quoted values included.
        const auto equals = connectionString.find('=', at);
        if (equals == std::string_view::npos) break;
        std::size_t next = equals + 1;
        if (next < connectionString.size() && connectionString[next] == '"') {
            next = connectionString.find('"', next + 1);
            while (next != std::string_view::npos && next + 1 < connectionString.size() &&
                   connectionString[next + 1] == '"') {
                next = connectionString.find('"', next + 2);
            }
            if (next == std::string_view::npos) break;
        }
        next = connectionString.find(';', next);
        if (next == std::string_view::npos) break;
        at = next + 1;
    }
    return {};
}

std::string listedTableName(const std::string& sheetName) {
    bool plain = !sheetName.empty() && !(sheetName.front() >= '0' && sheetName.front() <= '9') &&
                 sheetName.front() != '_';
    for (unsigned char c : sheetName) {
        if (c < 0x80 && !isAsciiAlnum(c) && c != '_') plain = false;
    }
    if (plain) return sheetName + "$";
    std::string listed = "'";
    for (char c : sheetName) {
        if (c == '\'') listed += '\'';
        listed += c;
    }
    return listed + "$'";
}

WorkbookConnection::WorkbookConnection(std::string readerPath, ReaderLimits limits,
                                       CellFormat format)
    : readerPath_(std::move(readerPath)), limits_(limits), format_(std::move(format)) {}

void WorkbookConnection::setConnectionString(std::string text) {
    close();
    connectionString_ = std::move(text);
}

void WorkbookConnection::close() {
    data_.reset();
    failure_.reset();
}

void WorkbookConnection::open() {
    if (data_) return;
    if (failure_) throw *failure_;
    const std::string path = dataSourceOf(connectionString_);
    if (path.empty()) throw Error("词库连接没有指定词库文件。");

    auto fail = [&](ReaderFailure cause, readerstream::Refusal refusal = readerstream::Refusal::damaged) {
        failure_.emplace(unreadableWorkbookText(path, cause, refusal), cause);
        throw *failure_;
    };
    try {
        auto database = SqliteDatabase::openInMemory();
        database.execute("PRAGMA journal_mode = OFF; BEGIN");
        WorkbookTables tables(database, format_);
        ReaderStreamDecoder decoder(tables);
        runReader(readerPath_, path, limits_, [&](std::string_view bytes) { decoder.feed(bytes); });
        decoder.finish();
        database.execute("COMMIT");
        tables.allowOnlyReading();
        auto sheets = tables.sheets();
        data_ = std::make_shared<const WorkbookData>(WorkbookData{std::move(database), std::move(sheets)});
    } catch (const EReaderFailed& error) {
        fail(error.failure(), error.refusal());
    } catch (const EReaderStream&) {
        fail(ReaderFailure::malformed);
    } catch (const ESqlite&) {
        // Tables that SQLite refuses (two sheets of the same name) come from a damaged file.
        fail(ReaderFailure::malformed);
    } catch (const std::bad_alloc&) {
        fail(ReaderFailure::malformed);
    }
}

void WorkbookConnection::getTableNames(std::vector<std::string>& names) {
    open();
    names.clear();
    for (const auto& sheet : data_->sheets) names.push_back(listedTableName(sheet.name));
}

std::shared_ptr<const WorkbookData> WorkbookConnection::data() const {
    if (!data_) throw Error("词库连接没有打开。");
    return data_;
}

const SheetInfo* WorkbookConnection::findSheet(std::string_view tableName) const {
    if (!data_) return nullptr;
    for (const auto& sheet : data_->sheets) {
        if (sameIdentifier(sheet.name + "$", tableName)) return &sheet;
    }
    return nullptr;
}

}  // namespace caici
