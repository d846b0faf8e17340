#include "workbook/word_library.h"

#include "common/number_text.h"
#include "common/utf8_count.h"
#include "workbook/load_errors.h"
#include "workbook/workbook_tables.h"
#include "words/forbidden_words.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

namespace caici {
namespace {

constexpr std::string_view kWorkbookName = "words.xls";
constexpr std::string_view kWordField = "名称";
constexpr std::string_view kPointsField = "分值";
// Optional: a library without it plays without forbidden words.
constexpr std::string_view kForbiddenField = "禁词";


bool excludedName(const std::string& name) {
    for (std::string_view marker : {"Print_Titles", "Print_Area", "FilterDatabase", "'_"}) {
        if (name.find(marker) != std::string::npos) return true;
    }
    return false;
}

std::string withoutChar(std::string text, char unwanted) {
    std::erase(text, unwanted);
    return text;
}

bool isWorkbookFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

void filterSheetNames(std::vector<std::string>& names) {
    std::array<std::string, WordLibrary::kNameSlots> kept;
    for (std::size_t at = 0; at < kept.size(); ++at) {
        kept[at].clear();
        const std::string name = at < names.size() ? names[at] : std::string();
        if (excludedName(name)) continue;
        kept[at] = withoutChar(withoutChar(name, '\''), '$');
    }
    names.clear();
    for (auto& slot : kept) {
        if (!slot.empty()) names.push_back(std::move(slot));
    }
}

std::vector<std::string> unionQueryLines(const std::vector<std::string>& sheetNames) {
    std::vector<std::string> lines;
    const std::size_t count = sheetNames.size();
    for (std::size_t at = 0; at + 1 < count; ++at) {
        lines.push_back("select * from [" + sheetNames[at] + "$] union all ");
    }
    lines.push_back("select * from [" + (count == 0 ? std::string() : sheetNames[count - 1]) + "$]");
    return lines;
}

std::string findWorkbook(const std::string& baseFolder) {
    return libraryInFolder(baseFolder).value_or(baseFolder + std::string(kWorkbookName));
}

struct WordLibrary::Entries {
    std::vector<WordEntry> entries;
    std::vector<EntryOrigin> origins;
    LeftOutRows leftOut;
};

WordLibrary::WordLibrary(std::string baseFolder, std::string readerPath, ReaderLimits limits,
                         CellFormat format)
    : WordLibrary(LibraryPlaces{std::move(baseFolder), {}, {}}, std::move(readerPath), limits,
                  std::move(format)) {}

WordLibrary::WordLibrary(LibraryPlaces places, std::string readerPath, ReaderLimits limits,
                         CellFormat format)
    : places_(std::move(places)),
      con1_(std::move(readerPath), limits, std::move(format)),
      qry1_(con1_) {}

LibraryFile WordLibrary::libraryFile() const {
    return inUse_ ? *inUse_ : findLibrary(places_);
}

void WordLibrary::load(WordLists& lists) {
    loadFile(findLibrary(places_), lists);
}

void WordLibrary::useFile(const std::string& path, WordLists& lists) {
    // A file that does not load leaves everything as it was.
    const std::vector<std::string> sheetNames = sheetNames_;
    const std::vector<std::string> sqlLines = sqlLines_;
    const std::string connection = con1_.connectionString();
    try {
        loadFile(LibraryFile{path, LibraryOrigin::chosen, {}}, lists);
    } catch (...) {
        sheetNames_ = sheetNames;
        sqlLines_ = sqlLines;
        qry1_.close();
        con1_.setConnectionString(connection);
        throw;
    }
    places_.chosenFile = path;
}

std::string WordLibrary::fileToEdit() {
    const std::string path = libraryFile().path;
    if (!isWorkbookFile(path)) throw Error(missingWorkbookText(path));
    return editableLibrary(path, places_.personalFolder);
}

void WordLibrary::loadFile(const LibraryFile& file, WordLists& lists) {
    const std::string& path = file.path;
    // Anything of the library's name is read, so that the reader says what
    // is wrong with a folder or a link of that name.
    std::error_code error;
    const bool exists = std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
    // A failed listing is not reported here: the query below fails for it,
    // with the reason that the connection keeps.
    if (exists) {
        con1_.setConnectionString(connectionStringFor(path));
        try {
            con1_.getTableNames(sheetNames_);
        } catch (const std::exception&) {
        }
    }
    const std::vector<std::string> listed = sheetNames_;
    filterSheetNames(sheetNames_);
    // The query always runs over con1.
    qry1_.close();
    sqlLines_ = unionQueryLines(sheetNames_);
    openQuery(path, exists);
    // The entries are gathered aside: a load that fails on the way leaves the
    // library in play as it was.
    Entries entries = readEntries(path);
    for (std::size_t at = 0; at < listed.size(); ++at) {
        if (at >= static_cast<std::size_t>(kNameSlots)) {
            entries.leftOut.sheets.push_back(LeftOutSheet{listed[at], LeftOutSheet::Reason::pastHundred});
        } else if (excludedName(listed[at])) {
            entries.leftOut.sheets.push_back(LeftOutSheet{listed[at], LeftOutSheet::Reason::filtered});
        }
    }
    lists.replaceLibrary(std::move(entries.entries), sheetNames_);
    leftOut_ = std::move(entries.leftOut);
    origins_ = std::move(entries.origins);
    inUse_ = file;
    libraryLoaded_ = true;
}

WordLibrary::Entries WordLibrary::readEntries(const std::string& path) {
    Entries out;
    try {
        // Both columns are looked up before any row, so a library without
        // rows still says which column is missing.
        const std::size_t wordAt = qry1_.fieldIndex(kWordField);
        const std::size_t pointsAt = qry1_.fieldIndex(kPointsField);
        const std::optional<std::size_t> forbiddenAt = qry1_.findField(kForbiddenField);
        qry1_.first();
        while (!qry1_.eof()) {
            const std::string_view word = qry1_.fieldText(wordAt);
            const std::string_view points = qry1_.fieldText(pointsAt);
            const std::string_view forbidden = forbiddenAt ? qry1_.fieldText(*forbiddenAt) : std::string_view();
            const WorkbookQuery::RowIndex index = qry1_.index();
            const SheetRow place{static_cast<std::uint32_t>(index.sheet), index.row};
            const SheetInfo& sheet = qry1_.sheetInfo(index.sheet);
            EntryOrigin origin{place, CellKind::text, CellKind::text};
            if (!sheet.marks.empty()) {
                origin.word = markAt(sheet, index.row, static_cast<std::uint32_t>(wordAt));
                origin.points = markAt(sheet, index.row, static_cast<std::uint32_t>(pointsAt));
                if (forbiddenAt) origin.forbidden = markAt(sheet, index.row, static_cast<std::uint32_t>(*forbiddenAt));
            }
            const auto badWord = wordFault(word);
            const auto badPoints = pointsFault(origin.points, points);
            // A row with forbidden words only is a word the host forgot,
            // not a blank row.
            if (word.empty() && points.empty() && forbidden.empty()) {
                ++out.leftOut.blankRows;
                out.leftOut.blankPlaces.push_back(place);
            } else if (badWord || badPoints) {
                // Whatever reaches the library can be played: a word that
                // fits the screen, worth a whole number of at least 1.
                out.leftOut.entries.push_back(LeftOutEntry{sheet.name, index.row, place.sheet, std::string(word),
                                                           std::string(points), codePointCount(word), origin.points,
                                                           badWord, badPoints});
            } else {
                std::int32_t value = 0;
                tryStrToInt(points, value);
                // "#N/A" is no word anyone would avoid saying; the checker
                // reports the cell.
                const bool forbiddenIsText = origin.forbidden == CellKind::text;
                ForbiddenList list = readForbiddenWords(forbiddenIsText ? forbidden : std::string_view(), word);
                for (auto& problem : list.problems) {
                    out.leftOut.forbidden.push_back(EntryForbiddenProblem{out.entries.size(), std::move(problem)});
                }
                out.entries.push_back(
                    WordEntry{std::string(word), value, sheetNames_[place.sheet], index.row, std::move(list.words)});
                out.origins.push_back(origin);
            }
            qry1_.next();
        }
    } catch (const EFieldNotFound& error) {
        throw Error(missingColumnText(path, error.field(), sheetNames_.empty() ? std::string() : sheetNames_.front()));
    } catch (const EQueryFailed& error) {
        throw Error(queryFailedText(path, error.what()));
    }
    // Every start would fail on an empty play order.
    if (out.entries.empty()) throw Error(noWordsText(path, out.leftOut.entries));
    return out;
}

std::optional<std::string> WordLibrary::loadWarning() const {
    if (leftOut_.entries.empty()) return std::nullopt;
    return leftOutText(workbookPath(), leftOut_.entries);
}

void WordLibrary::openQuery(const std::string& path, bool workbookExists) {
    try {
        qry1_.open(sheetNames_);
    } catch (const std::exception& error) {
        if (!workbookExists) throw Error(missingWorkbookText(path));
        if (dynamic_cast<const EQueryFailed*>(&error) != nullptr) {
            throw Error(explainQueryFailure(path, error.what()));
        }
        throw;
    }
}

std::string WordLibrary::explainQueryFailure(const std::string& path, const std::string& detail) const {
    if (sheetNames_.empty()) return noSheetsText(path);
    std::vector<std::string> missing;
    std::vector<SheetWidth> widths;
    for (const auto& name : sheetNames_) {
        const SheetInfo* sheet = con1_.findSheet(name + "$");
        if (sheet == nullptr) {
            missing.push_back(name);
        } else {
            widths.push_back(SheetWidth{name, sheet->columns.size(), sheet->empty});
        }
    }
    if (!missing.empty()) return missingSheetsText(path, missing);
    for (const auto& width : widths) {
        if (width.columns != widths.front().columns) return columnMismatchText(path, widths);
    }
    return queryFailedText(path, detail);
}

SheetView WordLibrary::browseSheet(const std::string& sheet) {
    qry1_.close();
    sqlLines_ = {"SELECT * FROM [" + sheet + "$]"};
    SheetView view;
    try {
        qry1_.open({sheet});
        view.columns = qry1_.columnNames();
        for (qry1_.first(); !qry1_.eof(); qry1_.next()) {
            std::vector<std::string> row;
            for (std::size_t at = 0; at < view.columns.size(); ++at) row.emplace_back(qry1_.fieldText(at));
            view.rows.push_back(std::move(row));
        }
    } catch (const EQueryFailed& error) {
        throw Error(queryFailedText(workbookPath(), error.what()));
    }
    return view;
}

}  // namespace caici
