#include "sheetformats/book.h"

#include "sheetformats/read_refused.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace caici::sheets {
namespace {

using namespace readerstream;

bool isTextual(CellTag tag) {
    return tag == CellTag::text || tag == CellTag::date || tag == CellTag::dateTime || tag == CellTag::time ||
           tag == CellTag::error;
}

// Collects the stream in portions of 64 KB.
class Output {
public:
    explicit Output(const std::function<void(std::string_view)>& out) : out_(out) { buffer_.reserve(kCapacity); }
    ~Output() = default;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void byte(std::uint8_t value) {
        buffer_.push_back(static_cast<char>(value));
        flushIfFull();
    }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) buffer_.push_back(static_cast<char>(value >> shift));
        flushIfFull();
    }
    void f64(double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int shift = 0; shift < 64; shift += 8) buffer_.push_back(static_cast<char>(bits >> shift));
        flushIfFull();
    }
    void text(std::string_view value) {
        u32(static_cast<std::uint32_t>(value.size()));
        buffer_.append(value);
        flushIfFull();
    }
    void raw(std::string_view value) {
        buffer_.append(value);
        flushIfFull();
    }
    void flush() {
        if (!buffer_.empty()) out_(buffer_);
        buffer_.clear();
    }

private:
    static constexpr std::size_t kCapacity = 64 * 1024;
    void flushIfFull() {
        if (buffer_.size() >= kCapacity) flush();
    }

    const std::function<void(std::string_view)>& out_;
    std::string buffer_;
};

// The cells of a sheet in row-major order, the last of equal places kept.
std::vector<const Sheet::Cell*> gridOrder(const Sheet& sheet) {
    const auto& cells = sheet.cells();
    std::vector<const Sheet::Cell*> order(cells.size());
    std::transform(cells.begin(), cells.end(), order.begin(), [](const Sheet::Cell& c) { return &c; });
    auto before = [](const Sheet::Cell* a, const Sheet::Cell* b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
    };
    if (!std::is_sorted(order.begin(), order.end(), before)) std::stable_sort(order.begin(), order.end(), before);
    std::vector<const Sheet::Cell*> unique;
    unique.reserve(order.size());
    for (const Sheet::Cell* cell : order) {
        if (!unique.empty() && unique.back()->row == cell->row && unique.back()->column == cell->column) {
            unique.back() = cell;
        } else {
            unique.push_back(cell);
        }
    }
    return unique;
}

void writeCell(Output& out, const Sheet& sheet, const Sheet::Cell& cell) {
    out.byte(static_cast<std::uint8_t>(cell.tag));
    if (cell.tag == CellTag::number) {
        out.f64(cell.number);
    } else if (isTextual(cell.tag)) {
        out.text(sheet.texts()[cell.text]);
    }
}

}  // namespace

Sheet::Sheet(std::string name, Budget& budget) : name_(std::move(name)), budget_(budget) {
    if (name_.empty() || name_.size() > kMaxSheetNameBytes || name_.find('\0') != std::string::npos) {
        damaged("a sheet name is empty, too long or holds NUL");
    }
}

void Sheet::place(Cell cell) {
    if (cell.row >= kMaxRows || cell.column >= kMaxColumns) {
        refuse(Refusal::sheetTooLarge, "a value lies beyond the last row or column");
    }
    if (++budget_.storedCells > kMaxStoredCells) refuse(Refusal::expandsTooFar, "too many cells");
    if (isTextual(cell.tag)) {
        budget_.textBytes += texts_[cell.text].size();
        if (budget_.textBytes > kMaxExpandedTextBytes) refuse(Refusal::expandsTooFar, "too much text");
    }
    cells_.push_back(cell);
}

void Sheet::number(std::uint32_t row, std::uint32_t column, double value) {
    place(Cell{row, column, CellTag::number, 0, value});
}

void Sheet::text(std::uint32_t row, std::uint32_t column, CellTag tag, std::string_view value) {
    kept(row, column, tag, keep(value));
}

void Sheet::mark(std::uint32_t row, std::uint32_t column, CellTag tag) {
    place(Cell{row, column, tag, 0, 0.0});
}

std::uint32_t Sheet::keep(std::string_view value) {
    if (value.size() > kMaxCellTextBytes) refuse(Refusal::textTooLong, "a cell holds too much text");
    texts_.emplace_back(value);
    return static_cast<std::uint32_t>(texts_.size() - 1);
}

void Sheet::kept(std::uint32_t row, std::uint32_t column, CellTag tag, std::uint32_t text) {
    place(Cell{row, column, tag, text, 0.0});
}

Sheet& Book::addSheet(std::string name) {
    if (sheets.size() >= kMaxSheets) refuse(Refusal::tooManySheets, "too many sheets");
    return sheets.emplace_back(std::move(name), budget);
}

void writeBook(const Book& book, const std::function<void(std::string_view)>& out) {
    std::vector<std::vector<const Sheet::Cell*>> grids;
    std::uint64_t gridCells = 0;
    for (const Sheet& sheet : book.sheets) {
        grids.push_back(gridOrder(sheet));
        std::uint32_t rows = 0;
        std::uint32_t columns = 0;
        for (const Sheet::Cell* cell : grids.back()) {
            rows = std::max(rows, cell->row + 1);
            columns = std::max(columns, cell->column + 1);
        }
        gridCells += std::uint64_t{rows} * columns;
        if (gridCells > kMaxTotalCells) refuse(Refusal::expandsTooFar, "the sheets' grids are too large");
    }

    Output stream(out);
    stream.raw(kMagic);
    stream.byte(static_cast<std::uint8_t>(Tag::workbook));
    stream.u32(static_cast<std::uint32_t>(book.sheets.size()));
    for (std::size_t at = 0; at < book.sheets.size(); ++at) {
        const Sheet& sheet = book.sheets[at];
        const auto& grid = grids[at];
        std::uint32_t rows = 0;
        std::uint32_t columns = 0;
        for (const Sheet::Cell* cell : grid) {
            rows = std::max(rows, cell->row + 1);
            columns = std::max(columns, cell->column + 1);
        }
        stream.byte(static_cast<std::uint8_t>(Tag::sheet));
        stream.text(sheet.name());
        stream.u32(rows);
        stream.u32(columns);
        std::uint64_t next = 0;  // row * columns + column of the next cell to write
        for (const Sheet::Cell* cell : grid) {
            const std::uint64_t at = std::uint64_t{cell->row} * columns + cell->column;
            for (; next < at; ++next) stream.byte(static_cast<std::uint8_t>(CellTag::empty));
            writeCell(stream, sheet, *cell);
            next = at + 1;
        }
        for (const std::uint64_t total = std::uint64_t{rows} * columns; next < total; ++next) {
            stream.byte(static_cast<std::uint8_t>(CellTag::empty));
        }
    }
    stream.byte(static_cast<std::uint8_t>(Tag::end));
    stream.flush();
}

}  // namespace caici::sheets
