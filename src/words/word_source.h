#pragma once
// Where the game's words come from: a library that loads its entries
// ("word|points") into the word list lst1 and can show one of its sheets as
// it stands. The workbook library is the one the game uses; tests give the
// game a library of their own.

#include "words/play_order.h"

#include <optional>
#include <string>
#include <vector>

namespace caici {

// One sheet as the library browser's grid shows it.
struct SheetView {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

class WordSource {
public:
    virtual ~WordSource() = default;

    // Replaces lst1 of lists with the library's entries. Throws an Error
    // whose text says what went wrong and what to do; lst1 then keeps what
    // it had unless the library could be read.
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
};

}  // namespace caici
