#pragma once
// The body every format fuzzer shares: arbitrary bytes through one format
// reader and the stream it writes. The reader
// may refuse them, with one of its own refusals only; it must not crash,
// leak, hang or grow past its budgets.

#include "sheetformats/book.h"
#include "sheetformats/read_refused.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace caici::sheets {

template <class Read>
int fuzzBook(const std::uint8_t* data, std::size_t size, Read&& read) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        std::size_t written = 0;
        Book book([&](std::string_view portion) { written += portion.size(); });
        read(bytes, book);
        book.finish();
    } catch (const ReadRefused&) {
    }
    return 0;
}

}  // namespace caici::sheets
