// OpenDocument spreadsheets (.ods): every table of content.xml. A row or a
// cell repeated n times ("number-rows-repeated", "number-columns-repeated")
// stands for n rows or cells; those that hold nothing (LibreOffice repeats
// empty rows and columns to the sheet's end) are only counted, those that
// hold a value are placed n times, within the reader's budgets.

#include "sheetformats/book_readers.h"
#include "sheetformats/read_refused.h"
#include "sheetformats/xml_stream.h"
#include "sheetformats/zip_package.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace caici::sheets {
namespace {

constexpr std::string_view kOfficeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTableNs = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kTextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kCalcExtNs = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";
constexpr std::string_view kManifestNs = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";
constexpr std::string_view kSpreadsheetType = "application/vnd.oasis.opendocument.spreadsheet";

std::uint64_t repeatCount(std::optional<std::string_view> text) {
    std::uint64_t count = 1;
    if (!text) return 1;
    const auto result = std::from_chars(text->data(), text->data() + text->size(), count);
    if (result.ec != std::errc() || count == 0) damaged("a repeat count is not one");
    return count;
}

// The attributes of a table cell that say what it holds, read in one pass:
// a large sheet has a million cells.
struct CellAttributes {
    std::optional<std::string_view> type;
    std::optional<std::string_view> extendedType;  // calcext:value-type, which marks error values
    std::optional<std::string_view> repeat;
    std::optional<std::string_view> value;
    std::optional<std::string_view> dateValue;
    std::optional<std::string_view> timeValue;
    std::optional<std::string_view> booleanValue;
    std::optional<std::string_view> stringValue;
    bool formula = false;

    explicit CellAttributes(const XmlAttributes& attributes) {
        attributes.forEach([this](std::string_view ns, std::string_view name, std::string_view text) {
            if (ns == kOfficeNs) {
                if (name == "value-type") {
                    type = text;
                } else if (name == "value") {
                    value = text;
                } else if (name == "date-value") {
                    dateValue = text;
                } else if (name == "time-value") {
                    timeValue = text;
                } else if (name == "boolean-value") {
                    booleanValue = text;
                } else if (name == "string-value") {
                    stringValue = text;
                }
            } else if (ns == kTableNs) {
                if (name == "number-columns-repeated") repeat = text;
                if (name == "formula") formula = true;
            } else if (ns == kCalcExtNs && name == "value-type") {
                extendedType = text;
            }
        });
    }
};

// "PT36H05M00.5S" as "36:05:01"; anything else stays as it is.
std::string durationText(std::string_view duration) {
    unsigned long long hours = 0;
    unsigned long long minutes = 0;
    double seconds = 0.0;
    char tail = 0;
    const std::string text(duration);
    if (std::sscanf(text.c_str(), "PT%lluH%lluM%lfS%c", &hours, &minutes, &seconds, &tail) != 3 || hours > 1000000 ||
        minutes > 59 || !(seconds >= 0.0 && seconds < 60.0)) {
        return text;
    }
    auto total = static_cast<unsigned long long>(std::llround(seconds)) + minutes * 60 + hours * 3600;
    char out[48];
    std::snprintf(out, sizeof out, "%02llu:%02llu:%02llu", total / 3600, total / 60 % 60, total % 60);
    return out;
}

// The value of one cell element, kept until the cell ends.
struct CellContent {
    enum class Kind : std::uint8_t { none, number, text, date, time, boolean, error, formulaOnly } kind = Kind::none;
    double number = 0.0;
    std::string value;  // office:date-value, time-value, boolean-value or string-value
    bool hasStringValue = false;
    std::string paragraphs;
    int paragraphCount = 0;
};

class ContentHandler : public XmlHandler {
public:
    explicit ContentHandler(Book& book) : book_(book) {}

    void start(std::string_view ns, std::string_view name, const XmlAttributes& attributes) override {
        if (inCell_) {
            cellChild(ns, name, attributes);
            return;
        }
        if (ns != kTableNs) return;
        if (name == "table") {
            const auto tableName = attributes.find(kTableNs, "name");
            sheet_ = &book_.addSheet(tableName ? std::string(*tableName) : "Sheet" + std::to_string(book_.sheets().size() + 1));
            nextRow_ = 0;
        } else if (name == "table-row" && sheet_ != nullptr) {
            rowRepeat_ = repeatCount(attributes.find(kTableNs, "number-rows-repeated"));
            rowCells_.clear();
            nextColumn_ = 0;
        } else if ((name == "table-cell" || name == "covered-table-cell") && sheet_ != nullptr) {
            inCell_ = true;
            cellDepth_ = 0;
            const CellAttributes cell(attributes);
            cellRepeat_ = repeatCount(cell.repeat);
            readCellAttributes(cell);
        }
    }

    void end(std::string_view ns, std::string_view name) override {
        if (inCell_) {
            if (cellDepth_ > 0) {
                cellChildEnd(ns, name);
                return;
            }
            inCell_ = false;
            finishCell();
            return;
        }
        if (ns != kTableNs) return;
        if (name == "table-row" && sheet_ != nullptr) {
            finishRow();
        } else if (name == "table" && sheet_ != nullptr) {
            sheet_ = nullptr;
            book_.finishSheet();
        }
    }

    void text(std::string_view chars) override {
        if (inCell_ && inParagraph_ && annotation_ == 0) appendText(chars);
    }

private:
    struct RowCell {
        std::uint32_t column;
        std::uint64_t repeat;
        CellTag tag;
        double number;
        std::uint32_t text;
    };

    void readCellAttributes(const CellAttributes& attributes) {
        cell_ = CellContent{};
        const auto& type = attributes.type;
        const bool formula = attributes.formula;
        auto attribute = [](const std::optional<std::string_view>& text) { return std::string(text.value_or("")); };
        if (attributes.extendedType && *attributes.extendedType == "error") {
            cell_.kind = CellContent::Kind::error;
        } else if (!type) {
            cell_.kind = formula ? CellContent::Kind::formulaOnly : CellContent::Kind::text;
        } else if (*type == "float" || *type == "percentage" || *type == "currency") {
            cell_.kind = CellContent::Kind::number;
            const std::string value = attribute(attributes.value);
            const auto result = std::from_chars(value.data(), value.data() + value.size(), cell_.number);
            if (result.ec != std::errc() || result.ptr != value.data() + value.size()) damaged("a number cell holds no number");
        } else if (*type == "date") {
            cell_.kind = CellContent::Kind::date;
            cell_.value = attribute(attributes.dateValue);
        } else if (*type == "time") {
            cell_.kind = CellContent::Kind::time;
            cell_.value = attribute(attributes.timeValue);
        } else if (*type == "boolean") {
            cell_.kind = CellContent::Kind::boolean;
            cell_.value = attribute(attributes.booleanValue);
        } else {
            cell_.kind = CellContent::Kind::text;
            if (const auto& value = attributes.stringValue) {
                cell_.value = std::string(*value);
                cell_.hasStringValue = true;
            }
        }
    }

    void cellChild(std::string_view ns, std::string_view name, const XmlAttributes& attributes) {
        ++cellDepth_;
        if (ns == kOfficeNs && name == "annotation") ++annotation_;
        if (annotation_ > 0 || ns != kTextNs) return;
        if (name == "p" || name == "h") {
            if (cell_.paragraphCount++ > 0) appendText("\n");
            inParagraph_ = true;
        } else if (inParagraph_ && name == "s") {
            const auto count = attributes.find(kTextNs, "c");
            std::size_t spaces = 1;
            if (count) std::from_chars(count->data(), count->data() + count->size(), spaces);
            if (spaces > readerstream::kMaxCellTextBytes) refuse(Refusal::textTooLong, "a text is too long");
            appendText(std::string(spaces, ' '));
        } else if (inParagraph_ && name == "tab") {
            appendText("\t");
        } else if (inParagraph_ && name == "line-break") {
            appendText("\n");
        }
    }

    void cellChildEnd(std::string_view ns, std::string_view name) {
        --cellDepth_;
        if (ns == kOfficeNs && name == "annotation") {
            --annotation_;
        } else if (annotation_ == 0 && ns == kTextNs && (name == "p" || name == "h")) {
            inParagraph_ = false;
        }
    }

    void appendText(std::string_view chars) {
        cell_.paragraphs.append(chars);
        if (cell_.paragraphs.size() > readerstream::kMaxCellTextBytes) refuse(Refusal::textTooLong, "a text is too long");
    }

    void finishCell() {
        const std::uint32_t column = nextColumn_;
        const std::uint64_t repeat = cellRepeat_;
        if (repeat > readerstream::kMaxColumns) {
            nextColumn_ = readerstream::kMaxColumns + 1;  // past every column: only an empty run may be that long
        } else {
            nextColumn_ += static_cast<std::uint32_t>(repeat);
        }
        RowCell cell{column, repeat, CellTag::empty, 0.0, 0};
        using Kind = CellContent::Kind;
        switch (cell_.kind) {
        case Kind::none:
            return;
        case Kind::number:
            cell.tag = CellTag::number;
            cell.number = cell_.number;
            break;
        case Kind::text:
            if (cell_.paragraphCount == 0 && !cell_.hasStringValue) return;
            cell.tag = CellTag::text;
            cell.text = sheet_->keep(cell_.hasStringValue ? cell_.value : cell_.paragraphs);
            break;
        case Kind::error:
            cell.tag = CellTag::error;
            cell.text = sheet_->keep(cell_.paragraphs);
            break;
        case Kind::date: {
            const std::string& value = cell_.value;
            const auto time = value.find('T');
            const bool midnight = time == std::string::npos || value.compare(time + 1, std::string::npos, "00:00:00") == 0;
            cell.tag = midnight ? CellTag::date : CellTag::dateTime;
            std::string shown = midnight ? value.substr(0, time) : value.substr(0, time) + " " + value.substr(time + 1, 8);
            cell.text = sheet_->keep(shown);
            break;
        }
        case Kind::time:
            cell.tag = CellTag::time;
            cell.text = sheet_->keep(durationText(cell_.value));
            break;
        case Kind::boolean:
            cell.tag = CellTag::text;
            cell.text = sheet_->keep(cell_.value == "true" ? "TRUE" : "FALSE");
            break;
        case Kind::formulaOnly:
            cell.tag = CellTag::formulaWithoutResult;
            break;
        }
        if (column >= readerstream::kMaxColumns || repeat > readerstream::kMaxColumns - column) {
            refuse(Refusal::sheetTooLarge, "a value lies beyond the last column");
        }
        rowCells_.push_back(cell);
    }

    void finishRow() {
        const std::uint64_t first = nextRow_;
        nextRow_ += rowRepeat_;
        if (rowCells_.empty()) return;
        if (first >= readerstream::kMaxRows || rowRepeat_ > readerstream::kMaxRows - first) {
            refuse(Refusal::sheetTooLarge, "a value lies beyond the last row");
        }
        for (std::uint64_t row = first; row < first + rowRepeat_; ++row) {
            for (const RowCell& cell : rowCells_) {
                for (std::uint64_t k = 0; k < cell.repeat; ++k) {
                    const auto at = static_cast<std::uint32_t>(cell.column + k);
                    const auto r = static_cast<std::uint32_t>(row);
                    if (cell.tag == CellTag::number) {
                        sheet_->number(r, at, cell.number);
                    } else if (cell.tag == CellTag::formulaWithoutResult) {
                        sheet_->mark(r, at, cell.tag);
                    } else {
                        sheet_->kept(r, at, cell.tag, cell.text);
                    }
                }
            }
        }
    }

    Book& book_;
    Sheet* sheet_ = nullptr;
    std::uint64_t nextRow_ = 0;
    std::uint64_t rowRepeat_ = 1;
    std::uint32_t nextColumn_ = 0;
    std::vector<RowCell> rowCells_;
    bool inCell_ = false;
    int cellDepth_ = 0;
    std::uint64_t cellRepeat_ = 1;
    CellContent cell_;
    bool inParagraph_ = false;
    int annotation_ = 0;
};

class ManifestHandler : public XmlHandler {
public:
    void start(std::string_view ns, std::string_view name, const XmlAttributes&) override {
        if (ns == kManifestNs && name == "encryption-data") encrypted = true;
    }
    void end(std::string_view, std::string_view) override {}
    void text(std::string_view) override {}
    bool encrypted = false;
};

}  // namespace

void readOds(std::string_view bytes, Book& book) {
    ZipPackage package(bytes);
    const std::optional<std::string> type = package.readWhole("mimetype");
    if (!type || *type != kSpreadsheetType) {
        if (package.has("[Content_Types].xml")) refuse(Refusal::isXlsx, "an Office Open XML workbook");
        damaged("not an OpenDocument spreadsheet");
    }
    ManifestHandler manifest;
    parseXmlPart(package, "META-INF/manifest.xml", manifest);
    if (manifest.encrypted) refuse(Refusal::encrypted, "the spreadsheet is protected by a password");
    ContentHandler content(book);
    if (!parseXmlPart(package, "content.xml", content)) damaged("no content part");
}

}  // namespace caici::sheets
