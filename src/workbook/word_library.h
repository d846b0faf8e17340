#pragma once
// The word library's load command and the library browser's query.
//
// The load reads every worksheet of the library file (found as
// library_location.h says: the chosen file, the user's own library, words.*
// in the base folder) with one UNION ALL query and makes the rows the
// library's entries (the word from "名称", its points from "分值", its
// forbidden words from "禁词" where the library has that column, its sheet
// as the category and its row, in query order). Rows with nothing in these
// cells are skipped, and entries that a round could not play are left out
// of play and reported (leftOut, loadWarning): words too long to act out,
// points that are not a whole number of at least 1; forbidden words that
// cannot be (forbidden_words.h) are dropped, and the entry plays with the
// rest (leftOut().forbidden). The sheet-name list it
// leaves behind is the item list of the browser's drop-down cbb1. A load that
// fails, one that finds no word to play included, throws an error whose text
// names the file and says what to fix, and leaves the library as it was; the
// library-loaded flag is
// set only by a load that ran to its end. "打开词库…" (useFile) and a load
// again run this same load.
//
// The query text (sqlLines) is what the host is shown; the query itself
// looks the sheet names up as data, so no text of the workbook becomes SQL.

#include "workbook/cell_text.h"
#include "workbook/left_out.h"
#include "workbook/library_location.h"
#include "words/play_order.h"
#include "words/word_source.h"
#include "workbook/reader_process.h"
#include "workbook/workbook_connection.h"
#include "workbook/workbook_query.h"

#include <optional>
#include <string>
#include <vector>

namespace caici {

// The load's sheet-name filter: the first 100 listed names, without those that
// contain "Print_Titles", "Print_Area", "FilterDatabase" or "'_", with every
// "'" and then every "$" removed.
void filterSheetNames(std::vector<std::string>& names);

// The load's query text: one "select * from [name$]" line per sheet, joined
// by "union all"; with no sheets the one line "select * from [$]".
std::vector<std::string> unionQueryLines(const std::vector<std::string>& sheetNames);

// The library in baseFolder (libraryInFolder), or base folder + "words.xls"
// when there is none.
std::string findWorkbook(const std::string& baseFolder);

class WordLibrary : public WordSource {
public:
    static constexpr int kNameSlots = 100;

    // baseFolder ends with "/"; readerPath is the caici-xlsreader to run.
    WordLibrary(std::string baseFolder, std::string readerPath, ReaderLimits limits = {},
                CellFormat format = CellFormat::user());
    WordLibrary(LibraryPlaces places, std::string readerPath, ReaderLimits limits = {},
                CellFormat format = CellFormat::user());

    // The load command: replaces the library of lists with the workbook's entries.
    void load(WordLists& lists) override;

    bool libraryLoaded() const override { return libraryLoaded_; }
    LibraryFile libraryFile() const override;
    void useFile(const std::string& path, WordLists& lists) override;
    std::string fileToEdit() override;
    const LibraryPlaces& places() const { return places_; }

    // What the load in play left out; empty before the first load.
    const LeftOutRows& leftOut() const { return leftOut_; }
    // What each entry's cells of the load in play were, in load order.
    const std::vector<EntryOrigin>& entryOrigins() const { return origins_; }
    // The one warning to show the host for the load in play: nothing unless
    // it left entries out of play (skipped blank rows need no warning).
    std::optional<std::string> loadWarning() const override;
    // The items of cbb1.
    const std::vector<std::string>& sheetNames() const override { return sheetNames_; }
    // The text of the last query, as the host is shown it.
    const std::vector<std::string>& sqlLines() const { return sqlLines_; }
    const std::string& connectionString() const { return con1_.connectionString(); }
    std::string workbookPath() const { return libraryFile().path; }

    // btn2Click's query: "SELECT * FROM [" + sheet + "$]" over the same
    // connection. Leaves the library and the flag alone.
    SheetView browseSheet(const std::string& sheet) override;

private:
    struct Entries;
    void loadFile(const LibraryFile& file, WordLists& lists);
    void openQuery(const std::string& path, bool workbookExists);
    // Reads the open query's rows; throws when none is a word to play.
    Entries readEntries(const std::string& path);
    std::string explainQueryFailure(const std::string& path, const std::string& detail) const;

    LibraryPlaces places_;
    // The file of the load in play.
    std::optional<LibraryFile> inUse_;
    WorkbookConnection con1_;
    WorkbookQuery qry1_;
    std::vector<std::string> sheetNames_;
    std::vector<std::string> sqlLines_;
    LeftOutRows leftOut_;
    std::vector<EntryOrigin> origins_;
    bool libraryLoaded_ = false;
};

}  // namespace caici
