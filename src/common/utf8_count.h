#pragma once
// Lengths of UTF-8 text in characters as a reader sees them (Unicode code
// points), for the limits on names, words and drawn texts. Every code point
// has exactly one byte that is not a continuation byte (10xxxxxx), so
// counting those counts the code points, whether or not the text is
// well-formed.

#include <cstddef>
#include <string_view>

namespace caici {

constexpr bool isUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

constexpr std::size_t codePointCount(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) count += isUtf8Continuation(byte) ? 0 : 1;
    return count;
}

// The first count code points of the text (all of it when it is shorter).
constexpr std::string_view codePointPrefix(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size(); ++at) {
        if (!isUtf8Continuation(text[at]) && seen++ == count) break;
    }
    return text.substr(0, at);
}

}  // namespace caici
