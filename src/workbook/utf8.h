#pragma once
// Strict UTF-8 checking for texts that come from outside the process.

#include <cstddef>
#include <string_view>

namespace caici {

// True for well-formed UTF-8 without overlong forms, surrogates, code points
// above U+10FFFF or NUL characters.
bool isStrictUtf8(std::string_view text);
// The same, NUL characters allowed: a cell's text is kept whole, whatever
// characters it holds.
bool isWellFormedUtf8(std::string_view text);

// The number of code points of well-formed UTF-8 text.
std::size_t codePointCount(std::string_view text);
// The first count code points of well-formed UTF-8 text.
std::string_view codePointPrefix(std::string_view text, std::size_t count);

}  // namespace caici
