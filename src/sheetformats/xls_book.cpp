// Excel 97-2003 workbooks: the Workbook stream of the compound file, its
// global records (sheets, shared strings, number formats, the date system)
// and every worksheet's cell records. Formula cells give the result the file
// keeps with them, so a points cell "=1+2" reads 3.

#include "sheetformats/biff_records.h"
#include "sheetformats/book_readers.h"
#include "sheetformats/compound_file.h"
#include "sheetformats/number_show.h"
#include "sheetformats/read_refused.h"

#include <bit>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace caici::sheets {
namespace {

using biff::ContinuedData;
using biff::Record;
using biff::RecordWalk;

namespace type {
constexpr std::uint16_t eof = 0x000A;
constexpr std::uint16_t bof = 0x0809;
constexpr std::uint16_t oldBof2 = 0x0009;
constexpr std::uint16_t oldBof3 = 0x0209;
constexpr std::uint16_t oldBof4 = 0x0409;
constexpr std::uint16_t filePass = 0x002F;
constexpr std::uint16_t dateMode = 0x0022;
constexpr std::uint16_t boundSheet = 0x0085;
constexpr std::uint16_t format = 0x041E;
constexpr std::uint16_t xf = 0x00E0;
constexpr std::uint16_t sst = 0x00FC;
constexpr std::uint16_t number = 0x0203;
constexpr std::uint16_t rk = 0x027E;
constexpr std::uint16_t mulRk = 0x00BD;
constexpr std::uint16_t labelSst = 0x00FD;
constexpr std::uint16_t label = 0x0204;
constexpr std::uint16_t richLabel = 0x00D6;
constexpr std::uint16_t boolErr = 0x0205;
constexpr std::uint16_t formula = 0x0006;
constexpr std::uint16_t string = 0x0207;
constexpr std::uint16_t blank = 0x0201;
constexpr std::uint16_t mulBlank = 0x00BE;
constexpr std::uint16_t sharedFormula = 0x04BC;
constexpr std::uint16_t array = 0x0221;
constexpr std::uint16_t table = 0x0236;
}  // namespace type

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint16_t kWorksheet = 0x0010;

struct SheetEntry {
    std::string name;
    std::uint32_t offset = 0;
};

struct Globals {
    DateSystem dates = DateSystem::from1900;
    std::vector<SheetEntry> sheets;
    std::vector<std::string> strings;
    std::vector<NumberShow> xfShows;  // by XF index
};

std::uint16_t u16At(std::string_view data, std::size_t at) {
    if (data.size() < at + 2) damaged("a record is too short");
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[at]) |
                                      static_cast<std::uint8_t>(data[at + 1]) << 8);
}

std::uint32_t u32At(std::string_view data, std::size_t at) {
    return u16At(data, at) | static_cast<std::uint32_t>(u16At(data, at + 2)) << 16;
}

void checkBof(const Record& record, std::uint16_t expected) {
    if (record.type == type::oldBof2 || record.type == type::oldBof3 || record.type == type::oldBof4) {
        refuse(Refusal::oldFormat, "an Excel 2.1-4.0 workbook");
    }
    if (record.type != type::bof) damaged("no BOF record");
    const std::uint16_t version = u16At(record.data, 0);
    if (version != kBiff8) refuse(Refusal::oldFormat, "an Excel 5.0/95 workbook");
    if (u16At(record.data, 2) != expected) damaged("a substream of an unexpected kind");
}

std::vector<std::string> readSharedStrings(std::string_view first, std::vector<std::string_view> more) {
    more.insert(more.begin(), first);
    ContinuedData data(std::move(more));
    data.skip(4);
    const std::uint32_t unique = data.u32();
    std::vector<std::string> strings;
    for (std::uint32_t at = 0; at < unique && !data.atEnd(); ++at) strings.push_back(biff::richString(data));
    return strings;
}

Globals readGlobals(std::string_view stream) {
    RecordWalk walk(stream, 0);
    Record record;
    if (!walk.next(record)) damaged("an empty workbook stream");
    checkBof(record, kGlobals);
    Globals globals;
    std::vector<std::uint16_t> xfFormats;
    std::map<std::uint16_t, std::string> formats;
    for (;;) {
        if (!walk.next(record)) damaged("the workbook's global records do not end");
        switch (record.type) {
        case type::eof: {
            for (const std::uint16_t id : xfFormats) {
                const auto code = formats.find(id);
                globals.xfShows.push_back(code != formats.end() ? numberShowOf(code->second) : builtInNumberShow(id));
            }
            return globals;
        }
        case type::filePass:
            refuse(Refusal::encrypted, "the workbook is protected by a password");
        case type::dateMode:
            globals.dates = u16At(record.data, 0) == 1 ? DateSystem::from1904 : DateSystem::from1900;
            break;
        case type::boundSheet: {
            ContinuedData data({record.data});
            SheetEntry entry;
            entry.offset = data.u32();
            data.skip(1);
            const std::uint8_t kind = data.u8();
            entry.name = biff::unicodeString(data, true);
            if (kind == 0) globals.sheets.push_back(std::move(entry));
            break;
        }
        case type::format: {
            std::vector<std::string_view> parts{record.data};
            for (auto part : walk.continuations()) parts.push_back(part);
            ContinuedData data(std::move(parts));
            const std::uint16_t id = data.u16();
            formats[id] = biff::unicodeString(data, false);
            break;
        }
        case type::xf:
            xfFormats.push_back(u16At(record.data, 2));
            break;
        case type::sst:
            globals.strings = readSharedStrings(record.data, walk.continuations());
            break;
        default:
            break;
        }
    }
}

std::string errorText(std::uint8_t code) {
    switch (code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    case 0x2A:
        return "#N/A";
    case 0x2B:
        return "#GETTING_DATA";
    default:
        damaged("an unknown error value");
    }
}

double rkValue(std::uint32_t rk) {
    double value = 0.0;
    if ((rk & 0x02) != 0) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32);
    }
    return (rk & 0x01) != 0 ? value / 100.0 : value;
}

// Reads one worksheet's cells from its BOF to its EOF; charts embedded in
// the sheet bring BOF/EOF pairs of their own, whose records are skipped.
class SheetReader {
public:
    SheetReader(const Globals& globals, Sheet& sheet) : globals_(globals), sheet_(sheet) {}

    // Returns the bytes walked.
    std::size_t read(std::string_view stream, std::size_t offset) {
        RecordWalk walk(stream, offset);
        Record record;
        if (!walk.next(record)) damaged("a sheet is missing");
        checkBof(record, kWorksheet);
        int depth = 1;
        while (depth > 0) {
            if (!walk.next(record)) damaged("a sheet does not end");
            if (record.type == type::bof) {
                ++depth;
            } else if (record.type == type::eof) {
                --depth;
            } else if (depth == 1) {
                cell(record, walk);
            }
        }
        settlePendingFormula();
        return walk.position() - offset;
    }

private:
    NumberShow showOf(std::uint16_t xf) const {
        return xf < globals_.xfShows.size() ? globals_.xfShows[xf] : NumberShow::general;
    }

    void numberAt(std::uint32_t row, std::uint32_t column, std::uint16_t xf, double value) {
        placeNumber(sheet_, row, column, value, showOf(xf), globals_.dates);
    }

    void settlePendingFormula() {
        if (pending_) sheet_.mark(pending_->first, pending_->second, CellTag::formulaWithoutResult);
        pending_.reset();
    }

    void cell(const Record& record, RecordWalk& walk) {
        const std::string_view data = record.data;
        if (record.type == type::string) {
            std::vector<std::string_view> parts{data};
            for (auto part : walk.continuations()) parts.push_back(part);
            ContinuedData text(std::move(parts));
            std::string value = biff::unicodeString(text, false);
            if (pending_) sheet_.text(pending_->first, pending_->second, CellTag::text, value);
            pending_.reset();
            return;
        }
        if (record.type == type::sharedFormula || record.type == type::array || record.type == type::table) return;
        switch (record.type) {
        case type::number:
        case type::rk:
        case type::labelSst:
        case type::label:
        case type::richLabel:
        case type::boolErr:
        case type::formula:
        case type::blank:
        case type::mulRk:
        case type::mulBlank:
            settlePendingFormula();
            break;
        default:
            return;
        }
        const std::uint16_t row = u16At(data, 0);
        const std::uint16_t column = u16At(data, 2);
        switch (record.type) {
        case type::number:
            numberAt(row, column, u16At(data, 4), std::bit_cast<double>(static_cast<std::uint64_t>(u32At(data, 6)) |
                                                                        static_cast<std::uint64_t>(u32At(data, 10)) << 32));
            break;
        case type::rk:
            numberAt(row, column, u16At(data, 4), rkValue(u32At(data, 6)));
            break;
        case type::mulRk: {
            if (data.size() < 6 || (data.size() - 6) % 6 != 0) damaged("a MULRK record of a wrong length");
            const std::size_t count = (data.size() - 6) / 6;
            for (std::size_t k = 0; k < count; ++k) {
                numberAt(row, column + static_cast<std::uint32_t>(k), u16At(data, 4 + 6 * k),
                         rkValue(u32At(data, 6 + 6 * k)));
            }
            break;
        }
        case type::labelSst: {
            const std::uint32_t index = u32At(data, 6);
            if (index >= globals_.strings.size()) damaged("a cell names a shared string that is not there");
            sheet_.text(row, column, CellTag::text, globals_.strings[index]);
            break;
        }
        case type::label:
        case type::richLabel: {
            std::vector<std::string_view> parts{data.substr(6)};
            for (auto part : walk.continuations()) parts.push_back(part);
            ContinuedData text(std::move(parts));
            sheet_.text(row, column, CellTag::text, biff::unicodeString(text, false));
            break;
        }
        case type::boolErr: {
            if (data.size() < 8) damaged("a BOOLERR record is too short");
            const auto value = static_cast<std::uint8_t>(data[6]);
            if (data[7] != 0) {
                sheet_.text(row, column, CellTag::error, errorText(value));
            } else {
                sheet_.text(row, column, CellTag::text, value != 0 ? "TRUE" : "FALSE");
            }
            break;
        }
        case type::formula:
            formulaCell(row, column, data);
            break;
        case type::blank:
            sheet_.mark(row, column, CellTag::empty);
            break;
        case type::mulBlank: {
            if (data.size() < 6 || (data.size() - 6) % 2 != 0) damaged("a MULBLANK record of a wrong length");
            const std::size_t count = (data.size() - 6) / 2;
            for (std::size_t k = 0; k < count; ++k) {
                sheet_.mark(row, column + static_cast<std::uint32_t>(k), CellTag::empty);
            }
            break;
        }
        default:
            break;
        }
    }

    // The result kept with a formula: a number, or a marker that says a
    // string (in the STRING record that follows), a truth value, an error
    // or an empty text. Writers that do not calculate keep the empty text.
    void formulaCell(std::uint16_t row, std::uint16_t column, std::string_view data) {
        if (data.size() < 14) damaged("a FORMULA record is too short");
        const std::uint16_t xf = u16At(data, 4);
        if (u16At(data, 12) != 0xFFFF) {
            numberAt(row, column, xf, std::bit_cast<double>(static_cast<std::uint64_t>(u32At(data, 6)) |
                                                            static_cast<std::uint64_t>(u32At(data, 10)) << 32));
            return;
        }
        const auto kind = static_cast<std::uint8_t>(data[6]);
        const auto value = static_cast<std::uint8_t>(data[8]);
        switch (kind) {
        case 0:
            pending_.emplace(row, column);
            break;
        case 1:
            sheet_.text(row, column, CellTag::text, value != 0 ? "TRUE" : "FALSE");
            break;
        case 2:
            sheet_.text(row, column, CellTag::error, errorText(value));
            break;
        default:
            sheet_.mark(row, column, CellTag::formulaWithoutResult);
            break;
        }
    }

    const Globals& globals_;
    Sheet& sheet_;
    // A formula whose text result is still to come in a STRING record.
    std::optional<std::pair<std::uint16_t, std::uint16_t>> pending_;
};

}  // namespace

void readXls(std::string_view bytes, Book& book) {
    const CompoundFile file(bytes);
    // Office keeps a password-protected .xlsx in a compound file.
    if (file.has("EncryptedPackage")) refuse(Refusal::encrypted, "the workbook is protected by a password");
    std::optional<std::string> stream = file.stream("Workbook");
    if (!stream) {
        if (file.has("Book")) refuse(Refusal::oldFormat, "an Excel 5.0/95 workbook");
        damaged("no workbook stream");
    }
    const Globals globals = readGlobals(*stream);
    book.expectSheets(globals.sheets.size());
    // Every sheet's records are walked once; sheets that claim each other's
    // records cannot make the walk longer than twice the stream.
    std::size_t walked = 0;
    for (const SheetEntry& entry : globals.sheets) {
        Sheet& sheet = book.addSheet(entry.name);
        walked += SheetReader(globals, sheet).read(*stream, entry.offset);
        if (walked > 2 * stream->size()) damaged("sheets overlap");
        book.finishSheet();
    }
}

}  // namespace caici::sheets
