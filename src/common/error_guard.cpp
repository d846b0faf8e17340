#include "common/error_guard.h"

#include <array>
#include <new>

namespace caici {

std::string errorBoxText(std::string_view message) {
    std::string text(message);
    static constexpr std::array<std::string_view, 6> sentenceEnds = {".", "。", "!", "！", "?", "？"};
    for (const auto end : sentenceEnds) {
        if (text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0) {
            return text;
        }
    }
    text += '.';
    return text;
}

void reportCurrentException(ErrorReporter& reporter) noexcept {
    try {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            reporter.reportError(errorBoxText("Out of memory"));
        } catch (const std::exception& error) {
            reporter.reportError(errorBoxText(error.what()));
        } catch (...) {
            reporter.reportError(errorBoxText("Unknown error"));
        }
    } catch (...) {
        // A reporter that fails itself has nowhere left to report to.
    }
}

}  // namespace caici
