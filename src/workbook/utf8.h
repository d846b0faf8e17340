#pragma once
// Strict UTF-8 checking for texts that come from outside the process.

#include <string_view>

namespace caici {

// True for well-formed UTF-8 without overlong forms, surrogates, code points
// above U+10FFFF or NUL characters.
bool isStrictUtf8(std::string_view text);
// The same, NUL characters allowed: a cell's text is kept whole, whatever
// characters it holds.
bool isWellFormedUtf8(std::string_view text);

}  // namespace caici
