#include "common/number_text.h"

#include "common/errors.h"

namespace caici {

bool tryStrToInt(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

std::int32_t strToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!tryStrToInt(text, value)) throwNotAnInteger(text);
    return value;
}

std::string threeDigits(std::int64_t value) {
    std::string text = std::to_string(value);
    // A score a foul took below zero keeps its sign in front: "-01", not "0-1".
    const std::size_t digitsAt = value < 0 ? 1 : 0;
    if (text.size() < 3) text.insert(digitsAt, 3 - text.size(), '0');
    return text;
}

}  // namespace caici
