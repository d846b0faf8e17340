#pragma once
// The look of the guessing window's word: the style Title1 of its word
// display, 224 px (168 points) bold "微软雅黑" in black under a yellow to
// orange gradient from the centre to top and bottom, with a black shadow 5 px
// right and down. Benchmarks draw the word with the same style. Under the
// word, in 禁词模式, its forbidden words stand in the same look, smaller
// (style Title2 of their own display).
//
// Words come from files and phones anyone can write: a "<" in them never
// opens a tag, so "<Title1>" shows as typed.

#include <string>
#include <vector>

namespace caici {

class TCnAAEffect;
class TFont;

inline constexpr char wordStyleName[] = "Title1";
inline constexpr char forbiddenStyleName[] = "Title2";

void setWordDisplayStyle(TFont& font, TCnAAEffect& effect);
void setForbiddenDisplayStyle(TFont& font, TCnAAEffect& effect);

// A line of the word display: text in the word style, centred, shown as
// given.
std::string wordDisplayLine(const std::string& text);
// The line under the word: "禁：" and the forbidden words in their style,
// centred; an empty line for a word without any.
std::string forbiddenDisplayLine(const std::vector<std::string>& forbidden);
// What the word display shows outside a round: the maker's signature.
std::string idleLine();

}  // namespace caici
