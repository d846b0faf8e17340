#pragma once
// The guessing window in its bordered mode: placed at its designed size (or
// less, where the screen's free area is smaller) centred in that area, with
// room for the border the desktop puts round it. That border is known only
// some time after the window shows, and the desktop says so without an event
// the window hears: the watch looks for it a while and places the window
// again once it is known.

#include <QMargins>
#include <QSize>
#include <QTimer>

#include <functional>

#include "common/error_guard.h"

class QWidget;

namespace caici {

class FrameWatch {
public:
    // windowed: whether the window is in its bordered mode now. returned:
    // back from full screen, the window has been placed at client, its
    // outer height outerHeight.
    FrameWatch(QWidget& window, ErrorReporter& errors, std::function<bool()> windowed,
               std::function<void(QSize client, int outerHeight)> returned);

    // Takes the border the desktop put round the window; true when it
    // differs from the one assumed so far.
    bool learnFrame();
    // Starts looking for the border; returning: back from full screen, when
    // the window is placed whatever happens.
    void watch(bool returning = false);
    // Places the bordered window; answers the client size asked for.
    QSize placeWindowed();
    // The window's size changed: one it was not given here, once the
    // desktop has framed it, is the host's, and the watch leaves it be.
    void windowResized();

private:
    void look();
    QSize border() const;

    QWidget& window_;
    ErrorReporter& errors_;
    std::function<bool()> windowed_;
    std::function<void(QSize, int)> returned_;
    // Until the desktop's border is known, the border of the design.
    QMargins frame_;
    QTimer timer_;
    int looksLeft_ = 0;
    QSize placedSize_;
    bool returning_ = false;
};

}  // namespace caici
