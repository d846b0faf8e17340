// caici-xlsreader FILE: reads an Excel 97-2003 workbook and writes its sheets
// and cells to standard output in the stream format of reader_protocol.h.
//
// The workbook library is not safe with damaged files, so this runs as a
// process of its own under tight resource limits; the game validates what it
// receives and survives whatever happens here.

#include "workbook/reader_protocol.h"

#include <freexl.h>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

using namespace caici::readerstream;

constexpr rlim_t kAddressSpaceBytes = 512ull * 1024 * 1024;
constexpr rlim_t kCpuSeconds = 5;

void limitResource(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    setrlimit(resource, &limit);
}

void applyResourceLimits() {
    // A file that makes the library allocate without end hits the address
    // space limit and fails; one that makes it loop hits the CPU limit.
    limitResource(RLIMIT_AS, kAddressSpaceBytes, kAddressSpaceBytes);
    limitResource(RLIMIT_CPU, kCpuSeconds, kCpuSeconds + 1);
    limitResource(RLIMIT_CORE, 0, 0);
    // The reader must not outlive the game that waits for it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1) _exit(kExitUnreadable);
}

class Output {
public:
    Output() { buffer_.reserve(kCapacity); }
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
        buffer_.insert(buffer_.end(), value.begin(), value.end());
        flushIfFull();
    }

    void raw(std::string_view value) {
        buffer_.insert(buffer_.end(), value.begin(), value.end());
        flushIfFull();
    }

    void flush() {
        std::size_t written = 0;
        while (written < buffer_.size()) {
            const ssize_t n = ::write(STDOUT_FILENO, buffer_.data() + written, buffer_.size() - written);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) _exit(kExitOutputFailed);
            written += static_cast<std::size_t>(n);
        }
        buffer_.clear();
    }

private:
    static constexpr std::size_t kCapacity = 64 * 1024;

    void flushIfFull() {
        if (buffer_.size() >= kCapacity) flush();
    }

    std::vector<char> buffer_;
};

class Workbook {
public:
    explicit Workbook(const char* path) { status_ = freexl_open(path, &handle_); }
    ~Workbook() { freexl_close(handle_); }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    bool opened() const { return status_ == FREEXL_OK; }
    const void* handle() const { return handle_; }

private:
    const void* handle_ = nullptr;
    int status_ = FREEXL_OK;
};

CellTag textTagOf(int type) {
    switch (type) {
    case FREEXL_CELL_DATE:
        return CellTag::date;
    case FREEXL_CELL_DATETIME:
        return CellTag::dateTime;
    case FREEXL_CELL_TIME:
        return CellTag::time;
    default:
        return CellTag::text;
    }
}

bool writeCell(Output& out, const FreeXL_CellValue& value) {
    switch (value.type) {
    case FREEXL_CELL_NULL:
        out.byte(static_cast<std::uint8_t>(CellTag::empty));
        return true;
    case FREEXL_CELL_INT:
        out.byte(static_cast<std::uint8_t>(CellTag::integer));
        out.u32(static_cast<std::uint32_t>(value.value.int_value));
        return true;
    case FREEXL_CELL_DOUBLE:
        out.byte(static_cast<std::uint8_t>(CellTag::number));
        out.f64(value.value.double_value);
        return true;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: {
        const char* text = value.value.text_value;
        out.byte(static_cast<std::uint8_t>(textTagOf(value.type)));
        out.text(text == nullptr ? std::string_view() : std::string_view(text));
        return true;
    }
    default:
        return false;
    }
}

bool writeSheet(Output& out, const Workbook& book, unsigned short index) {
    const char* name = nullptr;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(book.handle(), index) != FREEXL_OK) return false;
    if (freexl_get_worksheet_name(book.handle(), index, &name) != FREEXL_OK || name == nullptr) return false;
    if (freexl_worksheet_dimensions(book.handle(), &rows, &columns) != FREEXL_OK) return false;
    if (rows > kMaxRows || columns > kMaxColumns) return false;

    out.byte(static_cast<std::uint8_t>(Tag::sheet));
    out.text(name);
    out.u32(rows);
    out.u32(columns);
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(book.handle(), row, column, &value) != FREEXL_OK) return false;
            if (!writeCell(out, value)) return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: caici-xlsreader WORKBOOK.xls\n", stderr);
        return kExitUsage;
    }
    applyResourceLimits();

    const Workbook book(argv[1]);
    if (!book.opened()) return kExitUnreadable;
    unsigned int sheets = 0;
    if (freexl_get_info(book.handle(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets > kMaxSheets) {
        return kExitUnreadable;
    }

    Output out;
    out.raw(kMagic);
    out.byte(static_cast<std::uint8_t>(Tag::workbook));
    out.u32(sheets);
    for (unsigned int index = 0; index < sheets; ++index) {
        if (!writeSheet(out, book, static_cast<unsigned short>(index))) {
            out.flush();
            return kExitUnreadable;
        }
    }
    out.byte(static_cast<std::uint8_t>(Tag::end));
    out.flush();
    return 0;
}
