#pragma once
// Where the game's words come from: a library file that loads its entries
// (each in the category of its sheet) into the game's library and can show
// one of its sheets as it stands. The host may choose another file, and edit
// the one in use. The workbook library is the one the game
// uses; tests give the game a library of their own.

#include "words/play_order.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

// Where the library in use was found, in the order the game looks.
enum class LibraryOrigin : std::uint8_t {
    chosen,    // the file the host chose (and the program remembers)
    personal,  // the user's own library in the user's data folder
    base,      // words.* in the base folder, the one the game ships
};

struct LibraryFile {
    std::string path;
    LibraryOrigin origin = LibraryOrigin::base;
    // The host had chosen this file, which is not there any more; the
    // library in use is the next one found.
    std::string chosenButMissing;

    friend bool operator==(const LibraryFile&, const LibraryFile&) = default;
};

// One sheet as the library browser's grid shows it.
struct SheetView {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

class WordSource {
public:
    virtual ~WordSource() = default;

    // Replaces the library of lists with the file's entries. Throws an Error
    // whose text says what went wrong and what to do; the library then
    // keeps what it had.
    virtual void load(WordLists& lists) = 0;
    // Whether a load has run to its end.
    virtual bool libraryLoaded() const = 0;
    // What the host should hear about the load in play although it went
    // through (entries left out of play), once; nothing when all is well.
    virtual std::optional<std::string> loadWarning() const { return std::nullopt; }
    // The sheets the last load found.
    virtual const std::vector<std::string>& sheetNames() const = 0;
    // One sheet, for the browser. Throws an Error as load does.
    virtual SheetView browseSheet(const std::string& sheet) = 0;

    // The library in use: the one loaded, or before any load the one a
    // load would read.
    virtual LibraryFile libraryFile() const = 0;
    // Loads the file at path and, when that succeeds, makes it the chosen
    // library; when it fails, throws as load does and everything stays as
    // it was: the library in play, the file in use.
    virtual void useFile(const std::string& path, WordLists& lists) = 0;
    // The file the host edits the library in: the library itself when the
    // user may write it, else a copy in the user's data folder, made now,
    // which is the library from the next load on. Throws an Error that says
    // why when there is none to give.
    virtual std::string fileToEdit() = 0;
};

}  // namespace caici
