#pragma once
// A workbook as every format reader hands it on: its sheets in order, each
// a set of cells placed by row and column (from 0, the header row being row
// 0). Cells come in any order and a later one replaces an earlier one at the
// same place; the book writes each sheet as the full grid of the reader
// stream (reader_protocol.h), empty cells filled in.
//
// Every placement is checked against the stream's bounds and the reader's
// budgets, so that no file, however it is made, can make the reader store
// or send more than those allow: a value beyond the last row or column
// refuses the file as sheetTooLarge, too many cells or too much text as
// expandsTooFar, one text longer than a cell holds as textTooLong.

#include "workbook/reader_protocol.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici::sheets {

using readerstream::CellTag;

// What the whole workbook has used of the budgets so far.
struct Budget {
    std::uint64_t storedCells = 0;
    std::uint64_t textBytes = 0;
};

class Sheet {
public:
    Sheet(std::string name, Budget& budget);

    const std::string& name() const { return name_; }

    void number(std::uint32_t row, std::uint32_t column, double value);
    // A text cell of any textual tag (text, date, dateTime, time, error).
    void text(std::uint32_t row, std::uint32_t column, CellTag tag, std::string_view value);
    // A cell that is there without a value: formatting only (empty), or a
    // formula whose result the file does not keep.
    void mark(std::uint32_t row, std::uint32_t column, CellTag tag);

    // A text stored once and placed many times (a repeated cell).
    std::uint32_t keep(std::string_view value);
    void kept(std::uint32_t row, std::uint32_t column, CellTag tag, std::uint32_t text);

    struct Cell {
        std::uint32_t row = 0;
        std::uint32_t column = 0;
        CellTag tag = CellTag::empty;
        std::uint32_t text = 0;  // into texts() for textual tags
        double number = 0.0;
    };
    const std::vector<Cell>& cells() const { return cells_; }
    const std::vector<std::string>& texts() const { return texts_; }
    // Gives back the memory of a sheet that has been written.
    void release();

private:
    void place(Cell cell);

    std::string name_;
    Budget& budget_;
    std::vector<Cell> cells_;
    std::vector<std::string> texts_;
};

using StreamSink = std::function<void(std::string_view)>;

// The workbook being read and the stream it becomes. Each sheet goes out to
// the sink as soon as it is complete, so that the game builds its tables
// while the next one is read; a reader that knows how many sheets there are
// says so first (expectSheets), else the stream says the count is unknown.
class Book {
public:
    explicit Book(StreamSink sink);
    ~Book();
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    // Refuses more than kMaxSheets.
    void expectSheets(std::size_t count);
    // A new sheet at the end; refuses the workbook past kMaxSheets.
    Sheet& addSheet(std::string name);
    // The last sheet added is complete.
    void finishSheet();
    // Every sheet is in: the rest of the stream goes out. Refuses a book
    // with another number of sheets than it expected as damaged.
    void finish();

    const std::vector<Sheet>& sheets() const { return sheets_; }

private:
    class Output;
    void writeHeader(std::size_t count);
    void writeSheet(Sheet& sheet);

    Budget budget_;
    std::vector<Sheet> sheets_;
    std::unique_ptr<Output> output_;
    std::optional<std::size_t> expected_;
    bool headerWritten_ = false;
    std::size_t written_ = 0;
    std::uint64_t gridCells_ = 0;
};

}  // namespace caici::sheets
