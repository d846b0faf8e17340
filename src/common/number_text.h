#pragma once
// Decimal integers as the round reads and shows them.

#include <cstdint>
#include <string>
#include <string_view>

namespace caici {

// A decimal signed 32-bit integer: leading blanks, an optional sign, digits.
// Anything else, and any value outside 32 bits, throws EConvertError with
// "'<text>' is not a valid integer value".
std::int32_t strToInt(std::string_view text);

// The same rule without throwing.
bool tryStrToInt(std::string_view text, std::int32_t& value);

// Decimal text left-padded with "0" to three characters, after the sign of a
// negative value ("-01"); longer texts are kept whole (1234 stays "1234").
std::string threeDigits(std::int64_t value);

}  // namespace caici
