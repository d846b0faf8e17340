#pragma once
// The Qt application the effect-text benchmarks draw in: offscreen unless a
// platform is chosen. They draw the guessing window's own word style
// (round/word_display_style.h).

#include <QCoreApplication>

namespace caici {

// Application: QGuiApplication for the renderer alone, QApplication where
// widgets are drawn.
template <class Application>
void ensureBenchApplication() {
    static int argc = 1;
    static char name[] = "caici_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static Application application(argc, argv);
}

}  // namespace caici
