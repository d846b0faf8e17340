#pragma once
// Where the game finds its word library, in this order: the file the host
// chose (the program remembers it), the user's own library in the user's
// data folder, words.* in the base folder (the library the game ships). A
// library is named words.xls, words.xlsx, words.ods, words.csv or words.tsv,
// in any letter case; a file of that name counts whatever it is (a folder,
// a broken link), so that the load can say what is wrong with it rather than
// pass on to another library.

#include "words/word_source.h"

#include <optional>
#include <string>
#include <string_view>

namespace caici {

struct LibraryPlaces {
    std::string baseFolder;      // ends with "/"
    std::string personalFolder;  // ends with "/"; empty: there is none
    std::string chosenFile;      // empty: the host chose none
};

// Whether the name ends in a format the reader reads (.xls .xlsx .ods .csv
// .tsv, any letter case): what "打开词库…" offers.
bool isLibraryFileName(std::string_view path);
// The patterns of those names for a file chooser's filter.
inline constexpr const char* kLibraryFilePatterns = "*.xlsx *.xls *.ods *.csv *.tsv";

// The library in folder (ending with "/"): words.xls, .xlsx, .ods, .csv,
// .tsv in this order, exact names before names in other letter cases.
std::optional<std::string> libraryInFolder(const std::string& folder);

// The library in use by the order above. When there is none at all: the
// base folder's words.xls, whose load then says that it is missing.
LibraryFile findLibrary(const LibraryPlaces& places);

// The file to edit the library at path in: path itself when this user may
// write it, else a copy in personalFolder named words.<its extension>
// (made now, the folder too; an earlier copy is kept, not overwritten).
// Throws Error when the copy cannot be made.
std::string editableLibrary(const std::string& path, const std::string& personalFolder);
// The copy that editableLibrary makes of a library the user may not write.
std::string copyForEditing(const std::string& path, const std::string& personalFolder);

// The user's data folder for the game (QStandardPaths::AppDataLocation),
// ending with "/"; empty when the system names none.
std::string personalLibraryFolder();

}  // namespace caici
