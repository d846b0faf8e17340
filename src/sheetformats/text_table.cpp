// Text tables (.csv, .tsv): the encoding is found from the bytes (a byte
// order mark, else UTF-8 when the bytes are valid UTF-8, else GBK, which is
// what Chinese Excel saves), then the text is split into rows and fields as
// RFC 4180 has it: a field between double quotes may hold the delimiter,
// line breaks and doubled quotes. Every field is text, kept as written.

#include "sheetformats/book_readers.h"
#include "sheetformats/read_refused.h"

#include "sheetformats/text_encoding.h"

#include <string>

namespace caici::sheets {
namespace {

class TableBuilder {
public:
    TableBuilder(Sheet& sheet) : sheet_(sheet) {}

    void field(std::string& value) {
        if (!value.empty()) sheet_.text(row_, column_, CellTag::text, value);
        value.clear();
        ++column_;
        if (column_ > readerstream::kMaxColumns) refuse(Refusal::sheetTooLarge, "too many fields in a line");
    }
    void endRow() {
        ++row_;
        column_ = 0;
    }

private:
    Sheet& sheet_;
    std::uint32_t row_ = 0;
    std::uint32_t column_ = 0;
};

}  // namespace

void readTextTable(std::string_view bytes, char delimiter, const std::string& sheetName, Book& book) {
    const std::string text = decodeText(bytes);
    Sheet& sheet = book.addSheet(sheetName);
    TableBuilder table(sheet);
    std::string value;
    std::size_t at = 0;
    const std::size_t size = text.size();
    while (at < size) {
        // One field: quoted or plain, up to the delimiter or the line's end.
        if (text[at] == '"') {
            ++at;
            for (;;) {
                const auto quote = text.find('"', at);
                if (quote == std::string::npos) refuse(Refusal::quoteNotClosed, "a quoted field does not end");
                value.append(text, at, quote - at);
                at = quote + 1;
                if (at < size && text[at] == '"') {
                    value += '"';
                    ++at;
                    continue;
                }
                break;
            }
        }
        // Plain text, or what follows a closing quote, up to the field's end.
        const auto end = text.find_first_of(std::string{delimiter, '\r', '\n'}, at);
        const std::size_t stop = end == std::string::npos ? size : end;
        value.append(text, at, stop - at);
        if (value.size() > readerstream::kMaxCellTextBytes) refuse(Refusal::textTooLong, "a field is too long");
        at = stop;
        table.field(value);
        if (at == size) {
            table.endRow();
            break;
        }
        if (text[at] == delimiter) {
            ++at;
            if (at == size) {
                table.field(value);
                table.endRow();
            }
            continue;
        }
        // A line ends at CR LF, LF or CR.
        at += text[at] == '\r' && at + 1 < size && text[at + 1] == '\n' ? 2 : 1;
        table.endRow();
    }
    book.finishSheet();
}

}  // namespace caici::sheets
