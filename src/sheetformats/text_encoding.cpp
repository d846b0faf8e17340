#include "sheetformats/text_encoding.h"

#include "sheetformats/read_refused.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>

namespace caici::sheets {
namespace {

struct IconvClose {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool isUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char lead = bytes[at];
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if (lead < 0x80) {
            ++at;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1Fu, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0Fu, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07u, smallest = 0x10000;
        } else {
            return false;
        }
        if (text.size() - at < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[at + k] & 0xC0) != 0x80) return false;
            code = (code << 6) | (bytes[at + k] & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        at += length;
    }
    return true;
}

// The bytes in another encoding as UTF-8, or nothing when they are not valid in it.
static std::optional<std::string> toUtf8(std::string_view bytes, const char* encoding) {
    const iconv_t opened = iconv_open("UTF-8", encoding);
    if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvClose> convert(opened);
    std::string out(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(convert.get(), &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1)) continue;
        if (errno != E2BIG) return std::nullopt;
        const std::size_t used = out.size() - outLeft;
        out.resize(out.size() * 2);
        to = out.data() + used;
        outLeft = out.size() - used;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string decodeText(std::string_view bytes) {
    std::optional<std::string> text;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        if (isUtf8(bytes.substr(3))) text = std::string(bytes.substr(3));
    } else if (startsWith(bytes, "\xFF\xFE")) {
        text = toUtf8(bytes.substr(2), "UTF-16LE");
    } else if (startsWith(bytes, "\xFE\xFF")) {
        text = toUtf8(bytes.substr(2), "UTF-16BE");
    } else if (isUtf8(bytes)) {
        text = std::string(bytes);
    } else {
        // GB18030 reads every GBK text the same and refuses what is no Chinese text.
        text = toUtf8(bytes, "GB18030");
    }
    // Binary data (a workbook of an unknown kind, a picture) holds NUL
    // bytes or is valid in no encoding.
    if (!text || text->find('\0') != std::string::npos) refuse(Refusal::notText, "not a text table");
    return *text;
}

}  // namespace caici::sheets
