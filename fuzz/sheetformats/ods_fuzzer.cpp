// libFuzzer: bytes as an OpenDocument spreadsheet (ZIP package, content.xml).
#include "book_fuzzer.h"
#include "sheetformats/book_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return caici::sheets::fuzzBook(data, size, caici::sheets::readOds);
}
