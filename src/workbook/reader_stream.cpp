#include "workbook/reader_stream.h"

#include "workbook/reader_protocol.h"
#include "workbook/utf8.h"

#include <bit>
#include <cstring>

namespace caici {

using namespace readerstream;

namespace {

[[noreturn]] void malformed(const char* what) {
    throw EReaderStream(std::string("reader output is malformed: ") + what);
}

CellKind textKindOf(CellTag tag) {
    switch (tag) {
    case CellTag::date:
        return CellKind::date;
    case CellTag::dateTime:
        return CellKind::dateTime;
    case CellTag::time:
        return CellKind::time;
    case CellTag::error:
        return CellKind::error;
    default:
        return CellKind::text;
    }
}

}  // namespace

ReaderStreamDecoder::ReaderStreamDecoder(WorkbookSink& sink) : sink_(sink) {}

void ReaderStreamDecoder::feed(std::string_view bytes) {
    if (bytes.empty()) return;
    if (state_ == State::done) malformed("bytes after the end");
    pending_.append(bytes);
    while (state_ != State::done && step()) {
    }
    if (state_ == State::done && offset_ != pending_.size()) malformed("bytes after the end");
    // Keep the buffer from growing with everything ever fed.
    if (offset_ > pending_.size() / 2) {
        pending_.erase(0, offset_);
        offset_ = 0;
    }
}

void ReaderStreamDecoder::finish() const {
    if (state_ != State::done) malformed("the stream ended early");
}

std::uint32_t ReaderStreamDecoder::u32At(std::size_t at) const {
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k) value = (value << 8) | byteAt(at + static_cast<std::size_t>(k));
    return value;
}

void ReaderStreamDecoder::chargeText(std::size_t bytes) {
    totalTextBytes_ += bytes;
    if (totalTextBytes_ > kMaxTotalTextBytes) malformed("too much text");
}

bool ReaderStreamDecoder::step() {
    switch (state_) {
    case State::magic:
        return readMagic();
    case State::workbook:
        return readWorkbook();
    case State::sheetOrEnd:
        return readSheetOrEnd();
    case State::cells:
        return readCell();
    case State::done:
        return false;
    }
    return false;
}

bool ReaderStreamDecoder::readMagic() {
    if (!has(kMagic.size())) {
        // Reject a wrong start as soon as it shows, not only at the end.
        const std::size_t available = pending_.size() - offset_;
        if (std::memcmp(pending_.data() + offset_, kMagic.data(), available) != 0) malformed("no stream signature");
        return false;
    }
    if (std::string_view(pending_).substr(offset_, kMagic.size()) != kMagic) malformed("no stream signature");
    offset_ += kMagic.size();
    state_ = State::workbook;
    return true;
}

bool ReaderStreamDecoder::readWorkbook() {
    if (!has(5)) return false;
    if (byteAt(0) != static_cast<std::uint8_t>(Tag::workbook)) malformed("no workbook record");
    sheetsDeclared_ = u32At(1);
    if (sheetsDeclared_ > kMaxSheets && sheetsDeclared_ != kUnknownSheetCount) malformed("too many sheets");
    offset_ += 5;
    state_ = State::sheetOrEnd;
    return true;
}

bool ReaderStreamDecoder::readSheetOrEnd() {
    if (!has(1)) return false;
    const std::uint8_t tag = byteAt(0);
    if (tag == static_cast<std::uint8_t>(Tag::end)) {
        if (sheetsDeclared_ != kUnknownSheetCount && sheetsSeen_ != sheetsDeclared_) {
            malformed("fewer sheets than declared");
        }
        offset_ += 1;
        state_ = State::done;
        return true;
    }
    if (tag != static_cast<std::uint8_t>(Tag::sheet)) malformed("unknown record");
    if (sheetsSeen_ == sheetsDeclared_ || sheetsSeen_ == kMaxSheets) malformed("more sheets than declared");
    if (!has(5)) return false;
    const std::uint32_t nameLength = u32At(1);
    if (nameLength == 0 || nameLength > kMaxSheetNameBytes) malformed("bad sheet name length");
    if (!has(5 + std::size_t{nameLength} + 8)) return false;
    std::string name = pending_.substr(offset_ + 5, nameLength);
    if (!isStrictUtf8(name)) malformed("sheet name is not UTF-8");
    const std::uint32_t rows = u32At(5 + nameLength);
    const std::uint32_t columns = u32At(9 + nameLength);
    if (rows > kMaxRows || columns > kMaxColumns) malformed("sheet too large");
    const std::uint64_t cells = std::uint64_t{rows} * columns;
    totalCells_ += cells;
    if (totalCells_ > kMaxTotalCells) malformed("too many cells");
    chargeText(nameLength);
    offset_ += 13 + std::size_t{nameLength};
    ++sheetsSeen_;
    cellsLeftInSheet_ = cells;
    state_ = State::cells;
    sink_.beginSheet(name, rows, columns);
    finishSheetIfDone();
    return true;
}

bool ReaderStreamDecoder::readCell() {
    if (!has(1)) return false;
    CellValue cell;
    std::size_t size = 1;
    switch (static_cast<CellTag>(byteAt(0))) {
    case CellTag::empty:
        break;
    case CellTag::formulaWithoutResult:
        cell.kind = CellKind::formulaWithoutResult;
        break;
    case CellTag::integer:
        if (!has(5)) return false;
        cell.kind = CellKind::integer;
        cell.integer = static_cast<std::int32_t>(u32At(1));
        size = 5;
        break;
    case CellTag::number: {
        if (!has(9)) return false;
        std::uint64_t bits = std::uint64_t{u32At(5)} << 32 | u32At(1);
        cell.kind = CellKind::number;
        cell.number = std::bit_cast<double>(bits);
        size = 9;
        break;
    }
    case CellTag::text:
    case CellTag::date:
    case CellTag::dateTime:
    case CellTag::time:
    case CellTag::error: {
        const auto tag = static_cast<CellTag>(byteAt(0));
        if (!has(5)) return false;
        const std::uint32_t length = u32At(1);
        const std::uint32_t limit =
            tag == CellTag::text || tag == CellTag::error ? kMaxCellTextBytes : kMaxDateTextBytes;
        if (length > limit) malformed("cell text too long");
        if (!has(5 + std::size_t{length})) return false;
        cell.text = std::string_view(pending_).substr(offset_ + 5, length);
        if (!isWellFormedUtf8(cell.text)) malformed("cell text is not UTF-8");
        chargeText(length);
        cell.kind = textKindOf(tag);
        size = 5 + std::size_t{length};
        break;
    }
    default:
        malformed("unknown cell type");
    }
    sink_.cell(cell);
    offset_ += size;
    --cellsLeftInSheet_;
    finishSheetIfDone();
    return true;
}

void ReaderStreamDecoder::finishSheetIfDone() {
    if (cellsLeftInSheet_ != 0) return;
    state_ = State::sheetOrEnd;
    sink_.endSheet();
}

}  // namespace caici
