// The program entry: the application title, the three windows in their
// order, the event loop. The game reads its data from the current directory.

#include "app/command_line.h"
#include "app/cue_startup_boxes.h"
#include "app/message_box_reporter.h"
#include "common/product.h"
#include "app/program.h"
#include "cues/sdl_mixer_audio.h"
#include "common/errors.h"
#include "workbook/reader_location.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <iostream>

#include <malloc.h>

namespace {

// The windows place themselves, which Wayland does not let a client do: run
// through XWayland when the session has an X server too.
void preferX11OnWayland() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

// --remote: the address goes to standard output as one line, for the host
// (or a script) to pass on; a remote that cannot start says why and the game
// goes on without it.
void switchOnRemote(caici::PhoneRemote& remote, const caici::RemoteRequest& request) {
    try {
        remote.switchOnForRun(request.port);
        std::cout << caici::remoteAddressLine(remote.address().toString()).toStdString() << std::endl;
    } catch (const caici::Error& error) {
        std::cerr << error.what() << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // A word's layers on a 4K screen are buffers of megabytes, made and
    // dropped word after word: mapped of their own, they go back to the
    // system when dropped, where the heap would keep the largest it ever
    // held and split the rest.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    preferX11OnWayland();
    QApplication app(argc, argv);
    // The title of the taskbar entry and of every message box.
    QApplication::setApplicationName(QString::fromUtf8(caici::productTitle));
    QApplication::setDesktopFileName(QStringLiteral("caici"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/caici.png")));
    // Only the start window's close ends the program; the others just hide.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own texts (the colour chooser, the buttons of every box) speak the
    // game's language whatever the desktop's locale.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    caici::CommandLine commandLine;
    try {
        commandLine = caici::parseCommandLine(QApplication::arguments().mid(1));
    } catch (const caici::Error& error) {
        std::cerr << error.what() << '\n' << caici::usageText << std::endl;
        return 2;
    }

    caici::MessageBoxReporter reporter;
    caici::CueStartupBoxes cueMessages;
    try {
        caici::Program program(caici::ProgramParts{QDir::currentPath() + QLatin1Char('/'),
                                                   caici::readerBesideRunningProgram(), reporter,
                                                   std::make_unique<caici::SdlMixerAudio>(), cueMessages});
        QObject::connect(&program.form1(), &caici::TForm1::closed, &app, &QCoreApplication::quit);
        if (commandLine.remote) switchOnRemote(program.remote(), *commandLine.remote);
        program.showStartWindow();
        QApplication::exec();
    } catch (const caici::ProgramEnd& end) {
        // The reason stands in a box until the user has read it.
        if (cueMessages.endingBoxShown()) QApplication::exec();
        return end.exitCode();
    }
    return 0;
}
