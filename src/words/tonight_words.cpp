#include "words/tonight_words.h"

#include "common/utf8_count.h"
#include "words/word_length.h"

#include <algorithm>
#include <utility>

namespace caici {
namespace {

constexpr std::string_view ideographicSpace = "\u3000";

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

TonightProblem problem(TonightFault fault, std::string word) {
    TonightProblem found;
    found.fault = fault;
    found.word = std::move(word);
    return found;
}

// The first fault of the word itself, before it is compared with others.
std::optional<TonightProblem> wordProblem(const std::string& word, std::int32_t points) {
    if (word.empty()) return problem(TonightFault::blank, word);
    if (hasControlCharacter(word)) return problem(TonightFault::controlCharacter, word);
    if (const std::size_t length = codePointCount(word); length > kMaxWordLength) {
        TonightProblem found = problem(TonightFault::tooLong, word);
        found.length = length;
        return found;
    }
    if (points < tonightMinPoints || points > tonightMaxPoints) {
        TonightProblem found = problem(TonightFault::points, word);
        found.points = points;
        return found;
    }
    return std::nullopt;
}

std::optional<TonightProblem> forbiddenProblem(const std::string& word, const ForbiddenList& list) {
    if (!list.problems.empty()) {
        TonightProblem found = problem(TonightFault::forbidden, word);
        found.forbidden = list.problems.front();
        return found;
    }
    // Line breaks are separators to the cell reader; other control
    // characters would reach the screen.
    for (const std::string& item : list.words) {
        if (hasControlCharacter(item)) {
            TonightProblem found = problem(TonightFault::controlCharacter, word);
            found.item = item;
            return found;
        }
        if (const std::size_t length = codePointCount(item); length > kMaxWordLength) {
            TonightProblem found = problem(TonightFault::forbiddenTooLong, word);
            found.length = length;
            found.item = item;
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string trimmedText(std::string_view text) {
    for (bool trimmed = true; trimmed && !text.empty();) {
        trimmed = false;
        if (isAsciiSpace(text.front())) {
            text.remove_prefix(1);
            trimmed = true;
        } else if (text.starts_with(ideographicSpace)) {
            text.remove_prefix(ideographicSpace.size());
            trimmed = true;
        }
        if (text.empty()) break;
        if (isAsciiSpace(text.back())) {
            text.remove_suffix(1);
            trimmed = true;
        } else if (text.ends_with(ideographicSpace)) {
            text.remove_suffix(ideographicSpace.size());
            trimmed = true;
        }
    }
    return std::string(text);
}

std::variant<TonightWord, TonightProblem> readTonightWord(const TonightInput& input, TonightOrigin origin,
                                                         const std::vector<TonightWord>& tonight,
                                                         std::optional<std::size_t> replacing,
                                                         const LibraryLookup& library) {
    std::string word = trimmedText(input.word);
    if (replacing && *replacing >= tonight.size()) return problem(TonightFault::noSuchWord, word);
    if (!replacing && tonight.size() >= maxTonightWords) return problem(TonightFault::full, word);
    if (auto found = wordProblem(word, input.points)) return *found;

    ForbiddenList list = readForbiddenWords(input.forbidden, word);
    if (auto found = forbiddenProblem(word, list)) return *found;

    for (std::size_t at = 0; at < tonight.size(); ++at) {
        if (at != replacing && tonight[at].word == word) return problem(TonightFault::alreadyTonight, word);
    }
    if (library) {
        if (auto sheet = library(word)) {
            TonightProblem found = problem(TonightFault::inLibrary, word);
            found.sheet = std::move(*sheet);
            return found;
        }
    }
    return TonightWord{std::move(word), input.points, std::move(list.words), origin};
}

std::vector<WordEntry> tonightEntries(const std::vector<TonightWord>& words) {
    std::vector<WordEntry> entries;
    entries.reserve(words.size());
    std::uint32_t row = 0;
    for (const TonightWord& word : words) {
        entries.emplace_back(word.word, word.points, tonightCategory, ++row, word.forbidden);
    }
    return entries;
}

}  // namespace caici
