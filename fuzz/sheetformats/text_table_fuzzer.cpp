// libFuzzer: bytes as a text table; the first byte picks comma or tab.
#include "book_fuzzer.h"
#include "sheetformats/book_readers.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char delimiter = (data[0] & 1) != 0 ? '\t' : ',';
    return caici::sheets::fuzzBook(data + 1, size - 1, [&](std::string_view bytes, caici::sheets::Book& book) {
        caici::sheets::readTextTable(bytes, delimiter, "Sheet1", book);
    });
}
