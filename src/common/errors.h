#pragma once
// Failures are exceptions that carry the text the user sees (UTF-8). They are
// thrown where an action must stop and shown once, at the handler boundary.

#include <stdexcept>
#include <string>
#include <string_view>

namespace caici {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// A text that is not a decimal 32-bit integer.
class EConvertError : public Error {
public:
    using Error::Error;
};

// A read past the end of a list.
class EListError : public Error {
public:
    using Error::Error;
};

// Replaces the first "%s" or "%d" in pattern with value.
std::string formatMessage(std::string_view pattern, std::string_view value);

[[noreturn]] void throwNotAnInteger(std::string_view text);
[[noreturn]] void throwListIndex(long long index);

}  // namespace caici
