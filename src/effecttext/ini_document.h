#pragma once
// The text of an INI file as people write it by hand, kept line by line so
// that writing a value changes that value and nothing else: sections and keys
// keep their order, comments (";" or "#") and blank lines stay, the byte-order
// mark and the line ends of the file are kept. Section and key names are
// matched ignoring case (Unicode simple case folding) and may be any UTF-8
// text; "[General]" is a section like any other. Keys above the first section
// header belong to the section with the empty name. When a name occurs twice,
// the first occurrence is read and written. A value is the text after the
// first "=", blanks trimmed; a value in double quotes is read without them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The names of the section headers, in file order.
    std::vector<std::string> Sections() const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Replaces the value where it stands, or adds the key after the last key
    // of its section, or adds the section at the end.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    enum class LineKind { other, section, entry };
    struct Line {
        LineKind kind = LineKind::other;
        std::string text;  // as written, without its line end
        std::string name;  // section or key name, trimmed
        std::size_t valueStart = 0;  // entries: where the value begins in text
    };

    static Line parse(std::string text);
    void indexHeaders();
    // The lines [first, end) of a section's body (the lines after its
    // header up to the next header; the section with the empty name starts
    // at the top).
    struct Range {
        std::size_t first;
        std::size_t end;
    };
    std::optional<Range> find(std::string_view section) const;

    std::vector<Line> lines_;
    // Where the section headers are, so that a lookup does not walk every line.
    std::vector<std::size_t> headers_;
    std::string lineEnd_ = "\n";
    bool byteOrderMark_ = false;
    bool finalLineEnd_ = true;
};

}  // namespace caici
