#include "round/frame_watch.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <utility>

#include "look/placement.h"
#include "round/guessing_window_geometry.h"

namespace caici {
namespace {

constexpr int lookMilliseconds = 50;
constexpr int looks = 100;

QMargins frameOf(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

}  // namespace

FrameWatch::FrameWatch(QWidget& window, ErrorReporter& errors, std::function<bool()> windowed,
                       std::function<void(QSize client, int outerHeight)> returned)
    : window_(window),
      errors_(errors),
      windowed_(std::move(windowed)),
      returned_(std::move(returned)),
      frame_(design::frame) {
    QObject::connect(&timer_, &QTimer::timeout, &window_, [this] { guarded(errors_, [this] { look(); }); });
}

QSize FrameWatch::border() const {
    return QSize(frame_.left() + frame_.right(), frame_.top() + frame_.bottom());
}

bool FrameWatch::learnFrame() {
    const QMargins frame = frameOf(window_);
    // No border yet: the desktop has not framed the window (or never will).
    if (frame.isNull() || frame == frame_) return false;
    frame_ = frame;
    return true;
}

void FrameWatch::watch(bool returning) {
    // The first placement guessed the border.
    returning_ = returning;
    timer_.setInterval(lookMilliseconds);
    looksLeft_ = looks;
    timer_.start();
}

void FrameWatch::look() {
    if (--looksLeft_ <= 0 || !windowed_()) timer_.stop();
    if (frameOf(window_).isNull()) return;
    timer_.stop();
    learnFrame();
    // Placed again wherever the desktop's border or its own ideas moved the
    // window off the place it was given.
    const QRect area = screenOf(window_).availableGeometry();
    if (returning_ || window_.size() != placedSize_ || !area.contains(window_.frameGeometry()) ||
        window_.frameGeometry().topLeft() != centredIn(area, placedSize_ + border())) {
        const QSize client = placeWindowed();
        // Back from full screen, the buttons go where the rule puts them.
        if (std::exchange(returning_, false)) returned_(client, client.height() + border().height());
    }
}

QSize FrameWatch::placeWindowed() {
    const QRect area = screenOf(window_).availableGeometry();
    QSize client = design::clientSize;
    const QSize room = area.size() - border();
    if (client.width() > room.width() || client.height() > room.height()) {
        // Smaller in proportion: the anchors lay the window out at any size.
        client.scale(room, Qt::KeepAspectRatio);
    }
    placedSize_ = client;
    window_.resize(client);
    window_.move(centredIn(area, client + border()));
    return client;
}

void FrameWatch::windowResized() {
    if (timer_.isActive() && !frameOf(window_).isNull() && window_.size() != placedSize_) timer_.stop();
}

}  // namespace caici
