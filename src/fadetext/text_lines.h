#pragma once
// The lines of a fade-text control: an ordered list of UTF-8 texts that
// reports every change through OnChange, once per operation.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

class TextLines {
public:
    using ChangeEvent = std::function<void()>;

    TextLines() = default;
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    void SetOnChange(ChangeEvent onChange) { onChange_ = std::move(onChange); }

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    // Throws EListError for an index outside 0..Count-1.
    const std::string& Strings(int index) const;
    const std::vector<std::string>& Lines() const { return lines_; }

    void Clear();
    // Replaces every line by this one.
    void SetLine(const std::string& line);
    void Assign(const TextLines& source);
    void Assign(std::vector<std::string> lines);

    // The lines joined with CR LF.
    std::string Text() const;
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetText(std::string_view text);

    friend bool operator==(const TextLines& a, const TextLines& b) { return a.lines_ == b.lines_; }

private:
    void changed() const;

    std::vector<std::string> lines_;
    ChangeEvent onChange_;
};

}  // namespace caici
