#include "sheetformats/book.h"

#include "sheetformats/read_refused.h"

#include <algorithm>
#include <cstring>

namespace caici::sheets {

using namespace readerstream;

namespace {

bool isTextual(CellTag tag) {
    return tag == CellTag::text || tag == CellTag::date || tag == CellTag::dateTime || tag == CellTag::time ||
           tag == CellTag::error;
}

}  // namespace

// Collects the stream in portions of 64 KB.
class Book::Output {
public:
    explicit Output(StreamSink out) : out_(std::move(out)) { buffer_.reserve(kCapacity); }

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
    void empties(std::uint64_t count) {
        while (count > 0) {
            const auto here = static_cast<std::size_t>(std::min<std::uint64_t>(count, kCapacity));
            buffer_.append(here, static_cast<char>(CellTag::empty));
            count -= here;
            flushIfFull();
        }
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

    StreamSink out_;
    std::string buffer_;
};

namespace {

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

template <class Out>
void writeCell(Out& out, const Sheet& sheet, const Sheet::Cell& cell) {
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

void Sheet::release() {
    std::vector<Cell>().swap(cells_);
    std::vector<std::string>().swap(texts_);
}

Book::Book(StreamSink sink) : output_(std::make_unique<Output>(std::move(sink))) {}

Book::~Book() = default;

void Book::expectSheets(std::size_t count) {
    if (count > kMaxSheets) refuse(Refusal::tooManySheets, "too many sheets");
    expected_ = count;
    writeHeader(count);
}

Sheet& Book::addSheet(std::string name) {
    if (sheets_.size() >= kMaxSheets) refuse(Refusal::tooManySheets, "too many sheets");
    return sheets_.emplace_back(std::move(name), budget_);
}

void Book::finishSheet() {
    if (!headerWritten_) writeHeader(kUnknownSheetCount);
    while (written_ < sheets_.size()) writeSheet(sheets_[written_++]);
    // The game starts on the sheet while the next one is read.
    output_->flush();
}

void Book::finish() {
    if (expected_ && *expected_ != sheets_.size()) damaged("the workbook has other sheets than it lists");
    if (!headerWritten_) writeHeader(sheets_.size());
    while (written_ < sheets_.size()) writeSheet(sheets_[written_++]);
    output_->byte(static_cast<std::uint8_t>(Tag::end));
    output_->flush();
}

void Book::writeHeader(std::size_t count) {
    headerWritten_ = true;
    output_->raw(kMagic);
    output_->byte(static_cast<std::uint8_t>(Tag::workbook));
    output_->u32(static_cast<std::uint32_t>(count));
}

void Book::writeSheet(Sheet& sheet) {
    const std::vector<const Sheet::Cell*> grid = gridOrder(sheet);
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    for (const Sheet::Cell* cell : grid) {
        rows = std::max(rows, cell->row + 1);
        columns = std::max(columns, cell->column + 1);
    }
    gridCells_ += std::uint64_t{rows} * columns;
    if (gridCells_ > kMaxTotalCells) refuse(Refusal::expandsTooFar, "the sheets' grids are too large");

    Output& stream = *output_;
    stream.byte(static_cast<std::uint8_t>(Tag::sheet));
    stream.text(sheet.name());
    stream.u32(rows);
    stream.u32(columns);
    std::uint64_t next = 0;  // row * columns + column of the next cell to write
    for (const Sheet::Cell* cell : grid) {
        const std::uint64_t at = std::uint64_t{cell->row} * columns + cell->column;
        stream.empties(at - next);
        writeCell(stream, sheet, *cell);
        next = at + 1;
    }
    stream.empties(std::uint64_t{rows} * columns - next);
    sheet.release();
}

}  // namespace caici::sheets
