#include "workbook/utf8.h"

#include <cstddef>
#include <cstdint>

namespace caici {

bool isStrictUtf8(std::string_view text) {
    return text.find('\0') == std::string_view::npos && isWellFormedUtf8(text);
}

bool isWellFormedUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        const unsigned char lead = bytes[at];
        if (lead < 0x80) {
            ++at;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1Fu;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0Fu;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07u;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (size - at < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = bytes[at + k];
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        at += length;
    }
    return true;
}

}  // namespace caici
