#pragma once
// The time digits' beat in a round's last seconds: the digits jump a fifth
// larger and red, then ease back to their size and colour within half a
// second, each second, so the whole room sees time running out. Between
// beats the display is exactly as the window set it.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QVariantAnimation>

#include <functional>

class QLabel;

namespace caici {

class TimePulse {
public:
    // place moves the digits' label where the window's layout keeps it.
    TimePulse(QLabel& digits, std::function<void(const QRect&)> place);

    // One beat, from the digits as they stand now; restColor is their colour
    // between beats. A beat still running ends first.
    void beat(const QColor& restColor);
    // Ends a running beat at once, the digits back at rest.
    void stop();
    bool beating() const { return animation_.state() == QAbstractAnimation::Running; }

private:
    void show(qreal strength);

    QLabel& digits_;
    std::function<void(const QRect&)> place_;
    QVariantAnimation animation_;
    QFont restFont_;
    QRect restPlace_;
    QColor restColor_;
    // Digits in the colour key's maroon are cut out of the window: a beat
    // leaves their colour alone and only grows them.
    bool colorFixed_ = false;
};

}  // namespace caici
