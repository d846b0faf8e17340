#pragma once
// Every window handler runs its body inside guarded(): an exception that
// escapes the body is shown once in the application's error box and the
// program goes on. Nothing ever crosses into the toolkit.

#include <exception>
#include <string>
#include <string_view>

namespace caici {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // text is final: the error's own text with its closing full stop.
    virtual void reportError(const std::string& text) = 0;
    // Something the user should know that stopped nothing; shown like an
    // error unless the reporter has a gentler way.
    virtual void reportWarning(const std::string& text) { reportError(text); }
};

// The error's text with a full stop appended unless it already ends a sentence.
std::string errorBoxText(std::string_view message);

// Reports the current exception; call only from a catch block.
void reportCurrentException(ErrorReporter& reporter) noexcept;

template <class Body>
void guarded(ErrorReporter& reporter, Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        reportCurrentException(reporter);
    }
}

}  // namespace caici
