#pragma once
// Where the guessing window shows: as a bordered window centred on its
// screen, full screen there (F4), or full screen on the projector while the
// operator's console runs on another screen. The display mode is kept from
// round to round.

#include <QPointer>
#include <QScreen>
#include <QSize>

#include <functional>

#include "common/error_guard.h"
#include "round/frame_watch.h"

class QWidget;

namespace caici {

enum class DisplayMode { windowed, fullScreen };

class WindowPlacement {
public:
    // modeChanged: the display mode changed, and the window is to reach
    // target with an outer height of outerHeight (for the buttons' rule).
    WindowPlacement(QWidget& window, ErrorReporter& errors,
                    std::function<void(QSize target, int outerHeight)> modeChanged);

    DisplayMode displayMode() const { return displayMode_; }
    // The screen the rounds are shown on, full screen; nullptr: wherever
    // the host puts the window.
    void setProjector(QScreen* screen);
    // Shows the window for a round, in its display mode, and in front.
    void show();
    // Full screen, or back to the bordered window.
    void switchDisplayMode();
    // The window's size changed.
    void windowResized();

private:
    void showOnProjector();

    QWidget& window_;
    std::function<void(QSize, int)> modeChanged_;
    DisplayMode displayMode_ = DisplayMode::windowed;
    QPointer<QScreen> projector_;
    FrameWatch frameWatch_;
    bool shownBefore_ = false;
    // Back from full screen, the window is placed once it has left it.
    bool placeOnReturn_ = false;
};

}  // namespace caici
