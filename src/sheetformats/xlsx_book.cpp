// Office Open XML workbooks (.xlsx): the package's relationships lead from
// the root to the workbook part, and from it to the worksheets, the shared
// strings and the styles. Cells give what Excel shows: a formula's kept
// result, shared, inline and rich text as plain text, numbers through their
// number format (dates and times), truth values and error values.

#include "sheetformats/book_readers.h"
#include "sheetformats/number_show.h"
#include "sheetformats/read_refused.h"
#include "sheetformats/xml_stream.h"
#include "sheetformats/zip_package.h"

#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace caici::sheets {
namespace {

constexpr std::string_view kRelationshipsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kStrictRelationshipsNs = "http://purl.oclc.org/ooxml/officeDocument/relationships";

struct Relationship {
    std::string type;
    std::string target;  // a part name, resolved
};
using Relationships = std::map<std::string, Relationship, std::less<>>;

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string folderOf(const std::string& part) {
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// A relationship's target as a part name: from the root when it starts with
// "/", else from the source part's folder, "." and ".." resolved.
std::string resolve(const std::string& folder, std::string_view target) {
    std::string path = !target.empty() && target.front() == '/' ? std::string(target.substr(1)) : folder + std::string(target);
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string resolved;
    for (const auto& segment : segments) resolved += (resolved.empty() ? "" : "/") + segment;
    return resolved;
}

// Text as SpreadsheetML writes it: "_xHHHH_" stands for the character HHHH
// (a carriage return, say), "_x005F_" for an underscore that would read so.
std::string unescaped(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        unsigned code = 0;
        if (text[at] == '_' && text.size() - at >= 7 && text[at + 1] == 'x' && text[at + 6] == '_' &&
            std::from_chars(text.data() + at + 2, text.data() + at + 6, code, 16).ptr == text.data() + at + 6) {
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code >= 0xD800 && code <= 0xDFFF) {
                out += "\xEF\xBF\xBD";
            } else {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            }
            at += 6;
        } else {
            out += text[at];
        }
    }
    return out;
}

std::optional<std::string_view> relationshipId(const XmlAttributes& attributes) {
    if (auto id = attributes.find(kRelationshipsNs, "id")) return id;
    return attributes.find(kStrictRelationshipsNs, "id");
}

class RelationshipsHandler : public XmlHandler {
public:
    RelationshipsHandler(std::string folder, Relationships& out) : folder_(std::move(folder)), out_(out) {}
    void start(std::string_view, std::string_view name, const XmlAttributes& attributes) override {
        if (name != "Relationship") return;
        const auto id = attributes.find({}, "Id");
        const auto type = attributes.find({}, "Type");
        const auto target = attributes.find({}, "Target");
        const auto mode = attributes.find({}, "TargetMode");
        if (!id || !type || !target || (mode && *mode == "External")) return;
        out_.emplace(std::string(*id), Relationship{std::string(*type), resolve(folder_, *target)});
    }
    void end(std::string_view, std::string_view) override {}
    void text(std::string_view) override {}

private:
    std::string folder_;
    Relationships& out_;
};

Relationships readRelationships(ZipPackage& package, const std::string& part) {
    const std::string folder = folderOf(part);
    const std::string name = part.substr(folder.size());
    Relationships relationships;
    RelationshipsHandler handler(folder, relationships);
    parseXmlPart(package, folder + "_rels/" + name + ".rels", handler);
    return relationships;
}

std::optional<std::string> targetOfType(const Relationships& relationships, std::string_view typeEnd) {
    for (const auto& [id, relationship] : relationships) {
        if (endsWith(relationship.type, typeEnd)) return relationship.target;
    }
    return std::nullopt;
}

struct WorkbookPart {
    DateSystem dates = DateSystem::from1900;
    std::vector<std::pair<std::string, std::string>> sheets;  // name, relationship id
};

class WorkbookHandler : public XmlHandler {
public:
    explicit WorkbookHandler(WorkbookPart& out) : out_(out) {}
    void start(std::string_view, std::string_view name, const XmlAttributes& attributes) override {
        if (name == "workbookPr") {
            const auto mode = attributes.find({}, "date1904");
            if (mode && (*mode == "1" || *mode == "true")) out_.dates = DateSystem::from1904;
        } else if (name == "sheet") {
            const auto sheetName = attributes.find({}, "name");
            const auto id = relationshipId(attributes);
            if (!sheetName || !id) damaged("a sheet without a name or a part");
            if (out_.sheets.size() >= readerstream::kMaxSheets) refuse(Refusal::tooManySheets, "too many sheets");
            out_.sheets.emplace_back(unescaped(*sheetName), std::string(*id));
        }
    }
    void end(std::string_view, std::string_view) override {}
    void text(std::string_view) override {}

private:
    WorkbookPart& out_;
};

unsigned numberAttribute(const XmlAttributes& attributes, std::string_view name) {
    const auto text = attributes.find({}, name);
    unsigned value = 0;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc()) return 0;
    return value;
}

class StylesHandler : public XmlHandler {
public:
    void start(std::string_view, std::string_view name, const XmlAttributes& attributes) override {
        if (name == "cellXfs") {
            inCellXfs_ = true;
        } else if (name == "numFmt") {
            const auto code = attributes.find({}, "formatCode");
            if (code) codes_[numberAttribute(attributes, "numFmtId")] = unescaped(*code);
        } else if (name == "xf" && inCellXfs_) {
            formats_.push_back(numberAttribute(attributes, "numFmtId"));
        }
    }
    void end(std::string_view, std::string_view name) override {
        if (name == "cellXfs") inCellXfs_ = false;
    }
    void text(std::string_view) override {}

    std::vector<NumberShow> shows() const {
        std::vector<NumberShow> out;
        for (const unsigned id : formats_) {
            const auto code = codes_.find(id);
            out.push_back(code != codes_.end() ? numberShowOf(code->second) : builtInNumberShow(id));
        }
        return out;
    }

private:
    bool inCellXfs_ = false;
    std::map<unsigned, std::string> codes_;
    std::vector<unsigned> formats_;
};

// Gathers the text of <t> elements below an element, leaving out phonetic
// runs (<rPh>): the plain text of a rich or simple string.
class StringText {
public:
    void start(std::string_view name) {
        if (name == "rPh") ++phonetic_;
        if (name == "t" && phonetic_ == 0) collecting_ = true;
    }
    void end(std::string_view name) {
        if (name == "rPh") --phonetic_;
        if (name == "t") collecting_ = false;
    }
    void text(std::string_view chars) {
        if (collecting_) text_.append(chars);
        if (text_.size() > readerstream::kMaxCellTextBytes * 2) refuse(Refusal::textTooLong, "a text is too long");
    }
    std::string take() {
        std::string text = unescaped(text_);
        text_.clear();
        return text;
    }

private:
    int phonetic_ = 0;
    bool collecting_ = false;
    std::string text_;
};

class SharedStringsHandler : public XmlHandler {
public:
    explicit SharedStringsHandler(std::vector<std::string>& out) : out_(out) {}
    void start(std::string_view, std::string_view name, const XmlAttributes&) override {
        if (name == "si") {
            inString_ = true;
        } else if (inString_) {
            text_.start(name);
        }
    }
    void end(std::string_view, std::string_view name) override {
        if (name == "si") {
            inString_ = false;
            out_.push_back(text_.take());
        } else if (inString_) {
            text_.end(name);
        }
    }
    void text(std::string_view chars) override {
        if (inString_) text_.text(chars);
    }

private:
    std::vector<std::string>& out_;
    bool inString_ = false;
    StringText text_;
};

// A cell reference ("B12") as a column and row from 0.
bool parseReference(std::string_view reference, std::uint32_t& column, std::uint32_t& row) {
    std::size_t at = 0;
    std::uint64_t letters = 0;
    while (at < reference.size() && reference[at] >= 'A' && reference[at] <= 'Z' && at < 4) {
        letters = letters * 26 + static_cast<std::uint64_t>(reference[at] - 'A' + 1);
        ++at;
    }
    std::uint64_t number = 0;
    const auto result = std::from_chars(reference.data() + at, reference.data() + reference.size(), number);
    if (at == 0 || result.ec != std::errc() || result.ptr != reference.data() + reference.size() || number == 0 ||
        number > 0xFFFFFFFFu) {
        return false;
    }
    column = static_cast<std::uint32_t>(letters - 1);
    row = static_cast<std::uint32_t>(number - 1);
    return true;
}

void placeIsoDate(Sheet& sheet, std::uint32_t row, std::uint32_t column, std::string_view iso) {
    const std::string_view day = iso.substr(0, 10);
    std::string_view time = iso.size() > 11 && iso[10] == 'T' ? iso.substr(11, 8) : std::string_view();
    if (time.empty() || time == "00:00:00") {
        sheet.text(row, column, CellTag::date, day);
    } else {
        sheet.text(row, column, CellTag::dateTime, std::string(day) + " " + std::string(time));
    }
}

class SheetHandler : public XmlHandler {
public:
    SheetHandler(Sheet& sheet, const std::vector<std::string>& strings, const std::vector<NumberShow>& shows,
                 DateSystem dates)
        : sheet_(sheet), strings_(strings), shows_(shows), dates_(dates) {}

    void start(std::string_view, std::string_view name, const XmlAttributes& attributes) override {
        if (inCell_) {
            cellStart(name);
            return;
        }
        if (name == "row") {
            const unsigned number = numberAttribute(attributes, "r");
            row_ = number > 0 ? number - 1 : (started_ ? row_ + 1 : 0);
            started_ = true;
            nextColumn_ = 0;
        } else if (name == "c") {
            inCell_ = true;
            column_ = nextColumn_;
            if (const auto reference = attributes.find({}, "r")) {
                std::uint32_t row = 0;
                if (!parseReference(*reference, column_, row)) damaged("a cell reference is not one");
                row_ = row;
            }
            nextColumn_ = column_ + 1;
            const auto type = attributes.find({}, "t");
            type_ = type ? std::string(*type) : std::string("n");
            style_ = numberAttribute(attributes, "s");
            value_.clear();
            hasValue_ = false;
            hasFormula_ = false;
        }
    }

    void end(std::string_view, std::string_view name) override {
        if (!inCell_) return;
        if (name == "c") {
            inCell_ = false;
            place();
        } else if (name == "v") {
            inValue_ = false;
        } else if (name == "is") {
            inInline_ = false;
        } else if (inInline_) {
            inline_.end(name);
        }
    }

    void text(std::string_view chars) override {
        if (inValue_) {
            value_.append(chars);
            if (value_.size() > readerstream::kMaxCellTextBytes * 2) refuse(Refusal::textTooLong, "a text is too long");
        } else if (inInline_) {
            inline_.text(chars);
        }
    }

private:
    void cellStart(std::string_view name) {
        if (name == "v") {
            inValue_ = true;
            hasValue_ = true;
        } else if (name == "f") {
            hasFormula_ = true;
        } else if (name == "is") {
            inInline_ = true;
            hasValue_ = true;
        } else if (inInline_) {
            inline_.start(name);
        }
    }

    void place() {
        if (type_ == "inlineStr") {
            sheet_.text(row_, column_, CellTag::text, inline_.take());
            return;
        }
        if (!hasValue_) {
            // A formula whose result was never calculated; a cell with a style only is no value.
            if (hasFormula_) sheet_.mark(row_, column_, CellTag::formulaWithoutResult);
            return;
        }
        if (type_ == "s") {
            std::size_t index = 0;
            const auto result = std::from_chars(value_.data(), value_.data() + value_.size(), index);
            if (result.ec != std::errc() || index >= strings_.size()) damaged("a shared string that is not there");
            sheet_.text(row_, column_, CellTag::text, strings_[index]);
        } else if (type_ == "str") {
            sheet_.text(row_, column_, CellTag::text, unescaped(value_));
        } else if (type_ == "b") {
            sheet_.text(row_, column_, CellTag::text, value_ == "0" || value_ == "false" ? "FALSE" : "TRUE");
        } else if (type_ == "e") {
            sheet_.text(row_, column_, CellTag::error, value_);
        } else if (type_ == "d") {
            placeIsoDate(sheet_, row_, column_, value_);
        } else {
            double number = 0.0;
            const char* begin = value_.data();
            const char* finish = begin + value_.size();
            if (begin != finish && *begin == '+') ++begin;
            const auto result = std::from_chars(begin, finish, number);
            if (result.ec != std::errc() || result.ptr != finish) damaged("a number cell holds no number");
            const NumberShow show = style_ < shows_.size() ? shows_[style_] : NumberShow::general;
            placeNumber(sheet_, row_, column_, number, show, dates_);
        }
    }

    Sheet& sheet_;
    const std::vector<std::string>& strings_;
    const std::vector<NumberShow>& shows_;
    DateSystem dates_;
    bool started_ = false;
    std::uint32_t row_ = 0;
    std::uint32_t nextColumn_ = 0;
    std::uint32_t column_ = 0;
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    bool hasValue_ = false;
    bool hasFormula_ = false;
    std::string type_;
    unsigned style_ = 0;
    std::string value_;
    StringText inline_;
};

}  // namespace

void readXlsx(std::string_view bytes, Book& book) {
    ZipPackage package(bytes);
    if (package.has("mimetype") && package.has("content.xml")) refuse(Refusal::isOds, "an OpenDocument spreadsheet");
    const Relationships root = readRelationships(package, "");
    const std::string workbookName = targetOfType(root, "/officeDocument").value_or("xl/workbook.xml");
    WorkbookPart workbook;
    WorkbookHandler workbookHandler(workbook);
    if (!parseXmlPart(package, workbookName, workbookHandler)) damaged("no workbook part");
    const Relationships parts = readRelationships(package, workbookName);

    std::vector<NumberShow> shows;
    if (const auto stylesName = targetOfType(parts, "/styles")) {
        StylesHandler styles;
        parseXmlPart(package, *stylesName, styles);
        shows = styles.shows();
    }
    std::vector<std::string> strings;
    if (const auto stringsName = targetOfType(parts, "/sharedStrings")) {
        SharedStringsHandler handler(strings);
        parseXmlPart(package, *stringsName, handler);
    }
    // Chart, dialog and macro sheets hold no cells of words.
    std::vector<std::pair<std::string, std::string>> worksheets;  // name, part
    for (const auto& [name, id] : workbook.sheets) {
        const auto part = parts.find(id);
        if (part == parts.end()) damaged("a sheet's part is not named");
        if (endsWith(part->second.type, "/worksheet")) worksheets.emplace_back(name, part->second.target);
    }
    book.expectSheets(worksheets.size());
    for (const auto& [name, part] : worksheets) {
        Sheet& sheet = book.addSheet(name);
        SheetHandler handler(sheet, strings, shows, workbook.dates);
        if (!parseXmlPart(package, part, handler)) damaged("a sheet's part is missing");
        book.finishSheet();
    }
}

}  // namespace caici::sheets
