#pragma once
// How a display line names a font style or a label: "<" + name + ">". Lines
// are UTF-8 byte strings; a tag is found by comparing bytes after upper-casing
// only the ASCII letters, so multi-byte characters keep their byte positions
// and match exactly. Names are told apart by a full Unicode case-insensitive
// comparison instead, the way the user reads them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/errors.h"

namespace caici {

// Writing an item name that another item of the collection already bears.
class EDuplicateString : public Error {
public:
    EDuplicateString() : Error("Duplicate string!") {}
};

// 'a'..'z' become 'A'..'Z'; every other byte keeps its value.
std::string asciiUpper(std::string_view text);

// "<" + asciiUpper(name) + ">".
std::string tagOf(std::string_view name);

// Byte position of the first occurrence of name's tag in line.
std::optional<std::size_t> findTag(std::string_view line, std::string_view name);

// Removes the tag of name (its length plus 2 bytes) at position.
void eraseTag(std::string& line, std::size_t position, std::string_view name);

// Whether two item names are the same name, ignoring case.
bool sameName(std::string_view a, std::string_view b);

}  // namespace caici
