#include "words/forbidden_words.h"

#include <algorithm>
#include <array>

namespace caici {
namespace {

constexpr std::array<std::string_view, 3> listSeparators{"、", "，", ","};
constexpr std::array<std::string_view, 3> blanks{" ", "\t", "\xE3\x80\x80"};  // U+3000

// The length of the separator from the set that starts text, 0 for none.
template <std::size_t n>
std::size_t startsWithOne(std::string_view text, const std::array<std::string_view, n>& set) {
    for (const std::string_view mark : set) {
        if (text.starts_with(mark)) return mark.size();
    }
    return 0;
}

// Splits on runs of white space; blank text gives no words.
std::vector<std::string_view> splitOnBlanks(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        if (const std::size_t blank = startsWithOne(text.substr(at), blanks)) {
            if (at > start) words.push_back(text.substr(start, at - start));
            at += blank;
            start = at;
        } else {
            ++at;
        }
    }
    if (at > start) words.push_back(text.substr(start, at - start));
    return words;
}

// The items between the list separators, each split on white space; an item
// with nothing in it stays as one empty word, so that it can be named.
std::vector<std::string_view> items(std::string_view cell) {
    std::vector<std::string_view> found;
    std::size_t start = 0;
    const auto endItem = [&](std::size_t end) {
        const std::vector<std::string_view> words = splitOnBlanks(cell.substr(start, end - start));
        if (words.empty()) found.emplace_back();
        found.insert(found.end(), words.begin(), words.end());
    };
    for (std::size_t at = 0; at < cell.size();) {
        if (const std::size_t mark = startsWithOne(cell.substr(at), listSeparators)) {
            endItem(at);
            at += mark;
            start = at;
        } else {
            ++at;
        }
    }
    endItem(cell.size());
    return found;
}

}  // namespace

ForbiddenList readForbiddenWords(std::string_view cell, std::string_view word) {
    ForbiddenList list;
    if (splitOnBlanks(cell).empty()) return list;
    for (const std::string_view item : items(cell)) {
        if (item.empty()) {
            list.problems.push_back({ForbiddenFault::emptyItem, {}});
        } else if (item == word) {
            list.problems.push_back({ForbiddenFault::sameAsWord, std::string(item)});
        } else if (std::find(list.words.begin(), list.words.end(), item) != list.words.end()) {
            list.problems.push_back({ForbiddenFault::repeated, std::string(item)});
        } else if (list.words.size() == maxForbiddenWords) {
            const bool named = std::any_of(list.problems.begin(), list.problems.end(), [](const ForbiddenProblem& p) {
                return p.fault == ForbiddenFault::tooMany;
            });
            if (!named) list.problems.push_back({ForbiddenFault::tooMany, std::string(item)});
        } else {
            list.words.emplace_back(item);
        }
    }
    return list;
}

}  // namespace caici
