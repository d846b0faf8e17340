#pragma once
// A word entry is the word cell's text, "|", and the points cell's text. It is
// cut at every "|" and nothing else: blanks, quotes and control characters are
// ordinary characters of a field.

#include <string>
#include <string_view>
#include <vector>

namespace caici {

class EntryFields {
public:
    explicit EntryFields(std::string_view entry);

    int count() const { return static_cast<int>(fields_.size()); }
    // Field i counted from 0 (0 is the word, 1 the points); a missing field
    // throws EListError "List index out of bounds (i)".
    const std::string& at(int index) const;

private:
    std::vector<std::string> fields_;
};

}  // namespace caici
