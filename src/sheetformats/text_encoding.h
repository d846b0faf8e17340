#pragma once
// What the text tables need of encodings: a check for UTF-8, and the bytes
// of a file as UTF-8 text, whichever of the encodings hosts' programs save
// they are in.

#include <string>
#include <string_view>

namespace caici::sheets {

// Well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(std::string_view text);

// The text of a file: UTF-8 after a byte-order mark, UTF-16 after its mark,
// else UTF-8 when the bytes are valid UTF-8, else GBK. Refuses as notText
// bytes that are valid in none of them or hold NUL (binary data).
std::string decodeText(std::string_view bytes);

}  // namespace caici::sheets
