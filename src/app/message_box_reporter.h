#pragma once
// The application's standard error box: error icon (a warning icon for a
// warning), the application title as caption, the error's text as plain
// text, one OK button. The box does not wait for its OK: it stands above the
// windows while the round, the review and the phones go on, and it leaves
// the keyboard where it was, so a clicker still reaches the game. The same
// text twice while its box is still open is shown once.

#include "common/error_guard.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>

namespace caici {

class MessageBoxReporter : public ErrorReporter {
public:
    void reportError(const std::string& text) override;
    void reportWarning(const std::string& text) override;

private:
    void show(bool error, const QString& text);

    std::map<QString, QPointer<QWidget>> open_;
};

}  // namespace caici
