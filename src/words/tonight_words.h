#pragma once
// Tonight's words: words the host types on the night, in the game's own panel
// or on a phone, played as one more category of the library ("今晚") and kept
// from one run to the next until the host removes them. A word typed is
// checked as a library's word is (not blank, within the length cap, no
// control characters, points the panel offers, a forbidden-word list without
// faults) and, since it is typed where a duplicate can still be helped, a word
// already in play (in the library or among tonight's) is refused, not dropped.
// Each refusal is a fact with its data; the views word it.

#include "words/forbidden_words.h"
#include "words/word_entry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace caici {

// The category tonight's words are shown and chosen under, as their sheet.
inline constexpr char tonightCategory[] = "今晚";
inline constexpr std::int32_t tonightMinPoints = 1;
inline constexpr std::int32_t tonightMaxPoints = 3;
inline constexpr std::int32_t tonightDefaultPoints = 1;
// Far more than one evening's inventions; a phone left sending cannot grow
// the file and the panel's list without end.
inline constexpr std::size_t maxTonightWords = 500;

// Who typed the word: the panel marks those from a phone, for the host to
// look over.
enum class TonightOrigin : std::uint8_t { host, phone };

struct TonightWord {
    std::string word;
    std::int32_t points = tonightDefaultPoints;
    std::vector<std::string> forbidden;
    TonightOrigin origin = TonightOrigin::host;

    friend bool operator==(const TonightWord&, const TonightWord&) = default;
};

// A word as typed: the word, its points and its forbidden words as one text
// with any of the separators a library's 禁词 cell takes.
struct TonightInput {
    std::string word;
    std::int32_t points = tonightDefaultPoints;
    std::string forbidden;
};

enum class TonightFault : std::uint8_t {
    blank,             // nothing but spaces
    tooLong,           // the word, over kMaxWordLength code points
    controlCharacter,  // a line break or another control character
    points,            // outside tonightMinPoints .. tonightMaxPoints
    inLibrary,         // the library in play has the word already
    alreadyTonight,    // tonight's words have it already
    forbidden,         // the forbidden-word list has a fault (see forbidden)
    forbiddenTooLong,  // a forbidden word over kMaxWordLength code points
    full,              // maxTonightWords already
    noSuchWord,        // an edit or removal of a word that is not there (any more)
    notSaved,          // the words could not be kept; reason in item
};

struct TonightProblem {
    TonightFault fault = TonightFault::blank;
    // The word as checked (without the spaces around it).
    std::string word;
    // inLibrary: the library's category that holds it.
    std::string sheet;
    // tooLong, forbiddenTooLong: the length in code points; points: the points given.
    std::size_t length = 0;
    std::int32_t points = 0;
    // forbidden: the list's first fault.
    std::optional<ForbiddenProblem> forbidden;
    // forbiddenTooLong: the forbidden word; notSaved: why, as the system said.
    std::string item;

    friend bool operator==(const TonightProblem&, const TonightProblem&) = default;
};

// The text without the spaces (ASCII white space and the ideographic space
// U+3000 a Chinese keyboard types) before and after it.
std::string trimmedText(std::string_view text);

// The category of the library's entry for a word, if there is one.
using LibraryLookup = std::function<std::optional<std::string>(std::string_view word)>;

// input read as a word of tonight's, or the first thing wrong with it.
// tonight: the words there are; replacing: the one input would take the
// place of (an edit), which is not a duplicate of itself.
std::variant<TonightWord, TonightProblem> readTonightWord(const TonightInput& input, TonightOrigin origin,
                                                         const std::vector<TonightWord>& tonight,
                                                         std::optional<std::size_t> replacing,
                                                         const LibraryLookup& library);

// Tonight's words as entries of the library, in the category tonightCategory,
// numbered from 1 in the order they were added.
std::vector<WordEntry> tonightEntries(const std::vector<TonightWord>& words);

// Where tonight's words are kept between runs.
struct TonightKept {
    std::vector<TonightWord> words;
    // A store that could not be read was moved aside: where it was, and its
    // new name. It holds no words then.
    std::string file;
    std::optional<std::string> aside;
};

class TonightShelf {
public:
    virtual ~TonightShelf() = default;

    // The words kept. Throws Error saying why when they cannot be read and
    // the store cannot be moved aside either; nothing is written then.
    virtual TonightKept read() = 0;
    // Keeps words in place of the words kept, whole or not at all: a crash
    // while writing leaves what was kept before. Throws Error saying why.
    virtual void write(const std::vector<TonightWord>& words) = 0;
};

}  // namespace caici
