#pragma once
// The look of the guessing window's word: the style Title1 of its word
// display, 224 px (168 points) bold "微软雅黑" in black under a yellow to
// orange gradient from the centre to top and bottom, with a black shadow 5 px
// right and down. Benchmarks draw the word with the same style.

#include <string>

namespace caici {

class TCnAAEffect;
class TFont;

inline constexpr char wordStyleName[] = "Title1";

void setWordDisplayStyle(TFont& font, TCnAAEffect& effect);

// A line of the word display: text in the word style, centred.
std::string wordDisplayLine(const std::string& text);
// What the word display shows outside a round: the maker's signature.
std::string idleLine();

}  // namespace caici
