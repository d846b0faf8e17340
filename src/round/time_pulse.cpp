#include "round/time_pulse.h"

#include "round/color_key.h"

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <utility>

namespace caici {
namespace {

constexpr int beatMilliseconds = 450;
// At the beat's peak the digits are this much larger (in hundredths).
constexpr int peakGrowth = 22;
const QColor beatColor(255, 60, 60);

QColor mixed(const QColor& rest, const QColor& peak, qreal strength) {
    const auto channel = [strength](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * strength));
    };
    return QColor(channel(rest.red(), peak.red()), channel(rest.green(), peak.green()),
                  channel(rest.blue(), peak.blue()));
}

}  // namespace

TimePulse::TimePulse(QLabel& digits, std::function<void(const QRect&)> place)
    : digits_(digits), place_(std::move(place)) {
    animation_.setDuration(beatMilliseconds);
    animation_.setStartValue(1.0);
    animation_.setEndValue(0.0);
    animation_.setEasingCurve(QEasingCurve::OutCubic);
    QObject::connect(&animation_, &QVariantAnimation::valueChanged,
                     [this](const QVariant& value) { show(value.toReal()); });
    QObject::connect(&animation_, &QVariantAnimation::finished, [this] { show(0.0); });
}

void TimePulse::beat(const QColor& restColor) {
    stop();
    restFont_ = digits_.font();
    restPlace_ = digits_.geometry();
    restColor_ = restColor;
    colorFixed_ = restColor.rgb() == colorKeyRgb;
    animation_.start();
}

void TimePulse::stop() {
    if (!beating()) return;
    animation_.stop();
    show(0.0);
}

void TimePulse::show(qreal strength) {
    QFont font = restFont_;
    font.setPixelSize(restFont_.pixelSize() + static_cast<int>(std::lround(restFont_.pixelSize() * peakGrowth * strength / 100)));
    digits_.setFont(font);
    if (!colorFixed_) {
        QPalette palette = digits_.palette();
        palette.setColor(QPalette::WindowText, mixed(restColor_, beatColor, strength));
        digits_.setPalette(palette);
    }
    if (strength <= 0.0) {
        place_(restPlace_);
        return;
    }
    // Larger about the same middle, as high as the row allows.
    const int width = std::max(restPlace_.width(), digits_.sizeHint().width());
    const int height = std::max(restPlace_.height(), digits_.sizeHint().height());
    QRect grown(0, 0, width, height);
    grown.moveCenter(restPlace_.center());
    grown.moveTop(std::max(0, grown.top()));
    place_(grown);
}

}  // namespace caici
