#pragma once
// The match's results saved to a file the host chooses: the table of every
// round as CSV, or the scoreboard as a PNG picture like the one on the big
// screen. Neither waits for the file chooser; a failure to write is shown
// once through the ErrorReporter.

#include <QPixmap>
#include <QString>

#include <functional>

#include "common/error_guard.h"
#include "game/game.h"
#include "look/event_brand.h"
#include "round/window_dialogs.h"

class QWidget;

namespace caici {

class ResultsExport {
public:
    // Everything referenced must outlive the export; background,
    // digitalFamily and the event's brand are what the picture is drawn
    // with, as they are when it is saved.
    ResultsExport(const Game& game, WindowDialogs& dialogs, ErrorReporter& errors, const QPixmap& background,
                  const QString& digitalFamily, const EventBrand& brand);

    // Both do nothing without a match; the chooser opens over parent.
    void saveCsv(QWidget& parent);
    void savePicture(QWidget& parent);

private:
    // Asks where to save, then write()s the match there, if one is still
    // played by then.
    void save(QWidget& parent, const QString& caption, const QString& suggested, const QString& filter,
              std::function<void(const Match& match, const QString& path)> write);

    const Game& game_;
    WindowDialogs& dialogs_;
    ErrorReporter& errors_;
    const QPixmap& background_;
    const QString& digitalFamily_;
    const EventBrand& brand_;
};

}  // namespace caici
