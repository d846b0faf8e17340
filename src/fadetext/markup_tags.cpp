#include "fadetext/markup_tags.h"

#include <QString>

namespace caici {

std::string asciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string tagOf(std::string_view name) { return "<" + asciiUpper(name) + ">"; }

std::optional<std::size_t> findTag(std::string_view line, std::string_view name) {
    const std::size_t position = asciiUpper(line).find(tagOf(name));
    if (position == std::string::npos) {
        return std::nullopt;
    }
    return position;
}

void eraseTag(std::string& line, std::size_t position, std::string_view name) {
    line.erase(position, name.size() + 2);
}

bool sameName(std::string_view a, std::string_view b) {
    const QString left = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    const QString right = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

}  // namespace caici
