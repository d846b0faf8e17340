#pragma once
// What a library load leaves out of play, as the caller receives it: the
// game shows one warning for the whole load, the checker lists every row.

#include "workbook/cell_text.h"
#include "words/forbidden_words.h"
#include "words/word_length.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

// Why a word cannot be played.
enum class WordFault : std::uint8_t {
    tooLong,  // more than kMaxWordLength code points
};

// Why points cannot be played. The load reads points with the game's integer
// conversion (strToInt), and a correct answer is meant to raise the score:
// only a whole number of at least 1 will do.
enum class PointsFault : std::uint8_t {
    empty,
    formulaWithoutResult,  // the file keeps no result of the cell's formula
    errorValue,            // "#DIV/0!", "#N/A"
    notWhole,              // "abc", "2.5", a date, or past 32 bits
    notPositive,           // 0 or below
};

// What is wrong with a word cell or a points cell of the given kind and text
// ("3" from a number cell is as good as the text "3").
std::optional<WordFault> wordFault(std::string_view word);
std::optional<PointsFault> pointsFault(CellKind kind, std::string_view points);

// A row of a sheet of the load: the sheet's position in the load's sheet
// list, the row's number in it (the header being 1).
struct SheetRow {
    std::uint32_t sheet = 0;
    std::uint32_t row = 0;
};

struct LeftOutEntry {
    std::string sheet;           // the sheet's name in the workbook
    std::uint32_t row = 0;       // the row's number in the sheet, the header being row 1
    std::uint32_t sheetAt = 0;   // the sheet's position in the load's sheet list
    std::string word;
    std::string points;
    std::size_t wordLength = 0;  // in code points
    CellKind pointsKind = CellKind::text;
    std::optional<WordFault> wordFault;
    std::optional<PointsFault> pointsFault;
};

// A sheet of the workbook that the load does not read.
struct LeftOutSheet {
    enum class Reason : std::uint8_t { filtered, pastHundred };
    std::string name;    // as the table listing names it
    Reason reason = Reason::filtered;
};

// Where an entry came from, and what its cells were: text, or an error
// value or a formula without a result (which show as text too).
struct EntryOrigin {
    SheetRow place;
    CellKind word = CellKind::text;
    CellKind points = CellKind::text;
    CellKind forbidden = CellKind::text;  // text too where there is no 禁词 column
};

// A problem of the 禁词 cell of an entry in play: the entry plays with the
// forbidden words that were kept.
struct EntryForbiddenProblem {
    std::size_t entry = 0;  // the entry's position in the load
    ForbiddenProblem problem;
};

struct LeftOutRows {
    // Every entry that cannot be played (a word fault, a points fault or
    // both), in load order.
    std::vector<LeftOutEntry> entries;
    // Rows with neither word nor points nor forbidden words (cell
    // formatting that reaches below the words makes them); skipped, as they
    // hold nothing to play.
    std::size_t blankRows = 0;
    // Where they are.
    std::vector<SheetRow> blankPlaces;
    // The sheets that the sheet-name filter drops, or that lie past the
    // hundredth.
    std::vector<LeftOutSheet> sheets;
    // What the 禁词 cells of the entries in play held that cannot be
    // forbidden words, in load order.
    std::vector<EntryForbiddenProblem> forbidden;
};

}  // namespace caici
