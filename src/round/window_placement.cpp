#include "round/window_placement.h"

#include <QWidget>

#include <utility>

#include "look/placement.h"

namespace caici {

WindowPlacement::WindowPlacement(QWidget& window, ErrorReporter& errors,
                                 std::function<void(QSize target, int outerHeight)> modeChanged)
    : window_(window),
      modeChanged_(std::move(modeChanged)),
      frameWatch_(
          window, errors, [this] { return displayMode_ == DisplayMode::windowed; },
          [this](QSize client, int outerHeight) { modeChanged_(client, outerHeight); }) {}

void WindowPlacement::setProjector(QScreen* screen) {
    projector_ = screen;
    if (projector_ && window_.isVisible()) showOnProjector();
}

void WindowPlacement::showOnProjector() {
    displayMode_ = DisplayMode::fullScreen;
    if (window_.screen() != projector_) {
        // Full screen belongs to one screen: out of it first, then over to
        // the projector and full screen there.
        if (window_.isFullScreen()) window_.showNormal();
        // A window on show does not move to another screen under openbox.
        if (window_.isVisible()) window_.hide();
        window_.setScreen(projector_);
        window_.move(projector_->geometry().topLeft());
    }
    window_.showFullScreen();
    const QSize size = projector_->geometry().size();
    modeChanged_(size, size.height());
}

void WindowPlacement::show() {
    if (projector_) {
        showOnProjector();
        window_.raise();
        return;
    }
    const bool first = !shownBefore_;
    if (first) {
        shownBefore_ = true;
        frameWatch_.placeWindowed();
    }
    if (displayMode_ == DisplayMode::fullScreen) {
        window_.showFullScreen();
    } else if (window_.isMinimized()) {
        // A window the host minimised comes back for the new round.
        window_.showNormal();
    } else {
        window_.show();
    }
    window_.raise();
    window_.activateWindow();
    if (first) frameWatch_.watch();
}

void WindowPlacement::switchDisplayMode() {
    if (displayMode_ == DisplayMode::windowed) {
        // The border the desktop gave the window, for the way back.
        if (window_.isVisible()) frameWatch_.learnFrame();
        displayMode_ = DisplayMode::fullScreen;
        window_.showFullScreen();
        const QSize screen = screenOf(window_).geometry().size();
        modeChanged_(screen, screen.height());
    } else {
        displayMode_ = DisplayMode::windowed;
        // A move asked for before the desktop has given the window its
        // border back would place the client area where the frame belongs:
        // the window is placed once it has left full screen and has its
        // border again (windowResized, then the frame watch).
        placeOnReturn_ = true;
        window_.showNormal();
    }
}

void WindowPlacement::windowResized() {
    frameWatch_.windowResized();
    if (placeOnReturn_ && !window_.isFullScreen()) {
        placeOnReturn_ = false;
        frameWatch_.watch(true);
    }
}

}  // namespace caici
