#include "effecttext/ini_document.h"

#include <QString>
#include <algorithm>

namespace caici {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin())) return true;
    return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
               .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) == 0;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    const std::size_t firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r') lineEnd_ = "\r\n";
    finalLineEnd_ = text.empty() || text.back() == '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines_.push_back(parse(std::string(line)));
        start = end + 1;
    }
    indexHeaders();
}

void IniDocument::indexHeaders() {
    headers_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::section) headers_.push_back(i);
    }
}

IniDocument::Line IniDocument::parse(std::string text) {
    Line line;
    const std::string_view content = trimmed(text);
    if (content.empty() || content.front() == ';' || content.front() == '#') {
        line.text = std::move(text);
        return line;
    }
    if (content.front() == '[') {
        const std::size_t close = content.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::section;
            line.name = std::string(trimmed(content.substr(1, close - 1)));
        }
        line.text = std::move(text);
        return line;
    }
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) {
        line.kind = LineKind::entry;
        line.name = std::string(trimmed(std::string_view(text).substr(0, equals)));
        line.valueStart = text.find_first_not_of(" \t", equals + 1);
        if (line.valueStart == std::string::npos) line.valueStart = text.size();
    }
    line.text = std::move(text);
    return line;
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> names;
    names.reserve(headers_.size());
    for (const std::size_t header : headers_) names.push_back(lines_[header].name);
    return names;
}

std::optional<IniDocument::Range> IniDocument::find(std::string_view section) const {
    const auto endOf = [this](std::size_t h) { return h + 1 < headers_.size() ? headers_[h + 1] : lines_.size(); };
    if (section.empty()) return Range{0, headers_.empty() ? lines_.size() : headers_.front()};
    for (std::size_t h = 0; h < headers_.size(); ++h) {
        if (sameName(lines_[headers_[h]].name, section)) return Range{headers_[h] + 1, endOf(h)};
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    const std::optional<Range> range = find(section);
    if (!range) return std::nullopt;
    for (std::size_t i = range->first; i < range->end; ++i) {
        const Line& line = lines_[i];
        if (line.kind != LineKind::entry || !sameName(line.name, key)) continue;
        std::string_view value = trimmed(std::string_view(line.text).substr(line.valueStart));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    // A value ends at its line's end: a line break in it would start a new line of the file.
    std::string oneLine(value);
    std::replace_if(oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::optional<Range> range = find(section);
    if (!range) {
        if (!lines_.empty() && !trimmed(lines_.back().text).empty()) lines_.push_back(parse(std::string()));
        lines_.push_back(parse("[" + std::string(section) + "]"));
        lines_.push_back(parse(std::string(key) + "=" + oneLine));
        finalLineEnd_ = true;
        indexHeaders();
        return;
    }
    std::size_t insertAt = range->first;
    for (std::size_t i = range->first; i < range->end; ++i) {
        Line& line = lines_[i];
        if (line.kind != LineKind::entry) continue;
        if (sameName(line.name, key)) {
            line.text = line.text.substr(0, line.valueStart) + oneLine;
            return;
        }
        insertAt = i + 1;
    }
    if (insertAt == lines_.size()) finalLineEnd_ = true;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), parse(std::string(key) + "=" + oneLine));
    indexHeaders();
}

std::string IniDocument::Text() const {
    std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i].text;
        if (i + 1 < lines_.size() || finalLineEnd_) text += lineEnd_;
    }
    return text;
}

}  // namespace caici
