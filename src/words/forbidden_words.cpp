#include "words/forbidden_words.h"

#include <array>
#include <unordered_set>

namespace caici {
namespace {

// UTF-8 never starts a character inside another one, so these byte
// sequences are matched at any byte of the cell without decoding it.
constexpr std::array<std::string_view, 3> kItemSeparators{"、", "，", ","};
constexpr std::array<std::string_view, 3> kBlanks{" ", "\t", "\u3000"};

// The length of the separator of the given set that starts at text[at], or 0.
template <std::size_t N>
std::size_t separatorLength(std::string_view text, std::size_t at, const std::array<std::string_view, N>& marks) {
    for (const std::string_view mark : marks) {
        if (text.substr(at, mark.size()) == mark) return mark.size();
    }
    return 0;
}

// The words of an item: its runs between blanks.
std::vector<std::string_view> blankSeparated(std::string_view item) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at < item.size()) {
        if (const std::size_t blank = separatorLength(item, at, kBlanks)) {
            if (at > start) words.push_back(item.substr(start, at - start));
            at += blank;
            start = at;
        } else {
            ++at;
        }
    }
    if (at > start) words.push_back(item.substr(start, at - start));
    return words;
}

std::string_view withoutBlanks(std::string_view text) {
    const auto words = blankSeparated(text);
    if (words.empty()) return {};
    const std::size_t begin = static_cast<std::size_t>(words.front().data() - text.data());
    const std::size_t end = static_cast<std::size_t>(words.back().data() + words.back().size() - text.data());
    return text.substr(begin, end - begin);
}

// The cell's items between item separators, empty ones included.
std::vector<std::string_view> cellItems(std::string_view cell) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t at = 0; at < cell.size();) {
        if (const std::size_t separator = separatorLength(cell, at, kItemSeparators)) {
            out.push_back(cell.substr(start, at - start));
            at += separator;
            start = at;
        } else {
            ++at;
        }
    }
    out.push_back(cell.substr(start));
    return out;
}

}  // namespace

ForbiddenList readForbiddenWords(std::string_view cell, std::string_view word) {
    ForbiddenList list;
    if (withoutBlanks(cell).empty()) return list;
    const std::string_view shownWord = withoutBlanks(word);
    // A hand-typed cell may hold any number of items; a set keeps the
    // repeat check linear in them.
    std::unordered_set<std::string_view> seen;
    bool reportedTooMany = false;
    for (const std::string_view item : cellItems(cell)) {
        const std::vector<std::string_view> words = blankSeparated(item);
        if (words.empty()) list.problems.push_back(ForbiddenProblem{ForbiddenFault::emptyItem, {}});
        for (const std::string_view forbidden : words) {
            if (forbidden == shownWord) {
                list.problems.push_back(ForbiddenProblem{ForbiddenFault::sameAsWord, std::string(forbidden)});
            } else if (!seen.insert(forbidden).second) {
                list.problems.push_back(ForbiddenProblem{ForbiddenFault::repeated, std::string(forbidden)});
            } else if (list.words.size() < maxForbiddenWords) {
                list.words.emplace_back(forbidden);
            } else if (!reportedTooMany) {
                list.problems.push_back(ForbiddenProblem{ForbiddenFault::tooMany, std::string(forbidden)});
                reportedTooMany = true;
            }
        }
    }
    return list;
}

}  // namespace caici
