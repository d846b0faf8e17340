#include "fadetext/text_lines.h"

#include "common/errors.h"

namespace caici {

const std::string& TextLines::Strings(int index) const {
    if (index < 0 || index >= Count()) {
        throwListIndex(index);
    }
    return lines_[static_cast<std::size_t>(index)];
}

void TextLines::Clear() {
    if (lines_.empty()) {
        return;
    }
    lines_.clear();
    changed();
}

void TextLines::SetLine(const std::string& line) {
    lines_.assign(1, line);
    changed();
}

void TextLines::Assign(const TextLines& source) {
    if (&source != this) {
        lines_ = source.lines_;
    }
    changed();
}

void TextLines::Assign(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    changed();
}

std::string TextLines::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines_[i];
    }
    return text;
}

void TextLines::SetText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    Assign(std::move(lines));
}

void TextLines::changed() const {
    if (onChange_) {
        onChange_();
    }
}

}  // namespace caici
