#pragma once
// Letter case of the ASCII range only: file extensions, stream names and
// format codes compare this way whatever the program's locale, and the bytes
// of UTF-8 text outside that range stay as they are.

#include <string>
#include <string_view>

namespace caici {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = asciiLower(c);
    return lowered;
}

}  // namespace caici
