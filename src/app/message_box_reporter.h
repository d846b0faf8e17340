#pragma once
// The application's standard error box: error icon, the application title as
// caption, the error's text, one OK button.

#include "common/error_guard.h"

namespace caici {

class MessageBoxReporter : public ErrorReporter {
public:
    void reportError(const std::string& text) override;
    void reportWarning(const std::string& text) override;
};

}  // namespace caici
