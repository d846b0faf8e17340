#pragma once
// Decodes the byte stream of caici-xlsreader (see reader_protocol.h). The
// stream comes from a process that parsed an untrusted file, so every length,
// count and text is checked before it is used; a stream that breaks any rule
// throws EReaderStream and nothing after the fault reaches the sink.

#include "common/errors.h"
#include "workbook/cell_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace caici {

class EReaderStream : public Error {
public:
    using Error::Error;
};

// Receives a workbook sheet by sheet; the cells of a sheet come row by row,
// rows * columns of them, between beginSheet and endSheet.
class WorkbookSink {
public:
    virtual ~WorkbookSink() = default;
    virtual void beginSheet(const std::string& name, std::uint32_t rows, std::uint32_t columns) = 0;
    virtual void cell(const CellValue& value) = 0;
    virtual void endSheet() = 0;
};

class ReaderStreamDecoder {
public:
    explicit ReaderStreamDecoder(WorkbookSink& sink);

    // Bytes in any portions; they are decoded as far as they go.
    void feed(std::string_view bytes);
    // The stream has ended: throws unless it was complete.
    void finish() const;
    bool complete() const { return state_ == State::done; }

private:
    enum class State : std::uint8_t { magic, workbook, sheetOrEnd, cells, done };

    // Each step consumes one whole item or, when the bytes for it have not
    // all arrived, nothing.
    bool step();
    bool readMagic();
    bool readWorkbook();
    bool readSheetOrEnd();
    bool readCell();
    void finishSheetIfDone();

    bool has(std::size_t count) const { return pending_.size() - offset_ >= count; }
    std::uint8_t byteAt(std::size_t at) const { return static_cast<std::uint8_t>(pending_[offset_ + at]); }
    std::uint32_t u32At(std::size_t at) const;
    void chargeText(std::size_t bytes);

    WorkbookSink& sink_;
    State state_ = State::magic;
    std::string pending_;
    std::size_t offset_ = 0;
    std::uint32_t sheetsDeclared_ = 0;
    std::uint32_t sheetsSeen_ = 0;
    std::uint64_t cellsLeftInSheet_ = 0;
    std::uint64_t totalCells_ = 0;
    std::uint64_t totalTextBytes_ = 0;
};

}  // namespace caici
