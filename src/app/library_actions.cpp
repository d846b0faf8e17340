#include "app/library_actions.h"

#include "common/error_guard.h"
#include "game/game.h"
#include "look/settings.h"
#include "round/window_dialogs.h"
#include "workbook/library_location.h"

#include <QFileInfo>
#include <QUrl>

namespace caici {

LibraryActions::LibraryActions(Game& game, Settings& settings, WindowDialogs& dialogs, ErrorReporter& reporter)
    : QObject(nullptr), game_(game), settings_(settings), dialogs_(dialogs), reporter_(reporter) {
    game_.addListener(*this);
}

LibraryActions::~LibraryActions() {
    game_.removeListener(*this);
}

void LibraryActions::tonightChanged() {
    guarded(reporter_, [this] { settings_.setWordChoice(libraryKey(), game_.choice()); });
}

QString LibraryActions::libraryKey() const {
    return QString::fromStdString(game_.libraryFile().path);
}

void LibraryActions::restoreChoice() {
    game_.choose(settings_.wordChoice(libraryKey()));
}

void LibraryActions::open(QWidget* parent) {
    guarded(reporter_, [&] {
        const QString folder = QFileInfo(libraryKey()).absolutePath();
        const QString filter = QStringLiteral("词库 (%1);;所有文件 (*)").arg(QString::fromLatin1(kLibraryFilePatterns));
        dialogs_.openFile(parent, QStringLiteral("打开词库"), folder, filter, [this](const QString& path) {
            guarded(reporter_, [&] { openFile(path); });
        });
    });
}

void LibraryActions::openFile(const QString& path) {
    game_.openLibrary(path.toStdString());
    // A file that did not load has said why; the library in play stays.
    if (game_.libraryFile().path != path.toStdString()) return;
    settings_.setChosenLibrary(path);
    restoreChoice();
}

void LibraryActions::edit() {
    guarded(reporter_, [&] {
        const auto file = game_.fileToEdit();
        if (!file) return;
        const QString path = QString::fromStdString(*file);
        // A copy: the host edits it, so it is the library from now on.
        if (path != libraryKey()) openFile(path);
        dialogs_.openUrl(QUrl::fromLocalFile(path));
    });
}

void LibraryActions::reload() {
    game_.load();
}

bool LibraryActions::choose(const WordChoice& choice) {
    bool taken = false;
    guarded(reporter_, [&] {
        game_.choose(choice);
        taken = game_.choice() == choice;
        if (taken) settings_.setWordChoice(libraryKey(), choice);
    });
    return taken;
}

}  // namespace caici
