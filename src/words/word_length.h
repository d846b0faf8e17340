#pragma once
// How long a word to act out may be, whichever way it reaches the game (a
// library file, the host's panel, a phone).

#include <cstddef>

namespace caici {

// A word is something to act out; the renderer's cost grows with the square
// of the text's length, and 1,000 characters froze the game for seconds.
// Words longer than this, in Unicode code points, stay out of play.
inline constexpr std::size_t kMaxWordLength = 40;

}  // namespace caici
