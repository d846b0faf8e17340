#include "round/widget_ports.h"

#include <QAbstractButton>
#include <QLabel>

#include "fadetext/fade_text.h"

namespace caici {

void enableTimer(QTimer& timer) {
    if (!timer.isActive()) timer.start();
}

LabelText::LabelText(QLabel& label, std::function<void()> changed)
    : label_(label), changed_(std::move(changed)) {}

void LabelText::setText(const std::string& text) {
    label_.setText(QString::fromStdString(text));
    if (changed_) changed_();
}

void ButtonCaption::setText(const std::string& text) {
    button_.setText(QString::fromStdString(text));
}

void WidgetSwitch::setEnabled(bool enabled) {
    widget_.setEnabled(enabled);
}

void TimerSwitch::setEnabled(bool enabled) {
    if (enabled) {
        enableTimer(timer_);
    } else {
        timer_.stop();
    }
}

TimedFlash::TimedFlash(QLabel& label, QTimer& timer, std::function<void()> changed)
    : text_(label, std::move(changed)), label_(label), timer_(timer) {}

void TimedFlash::setText(const std::string& text) {
    text_.setText(text);
}

void TimedFlash::show() {
    label_.show();
}

void TimedFlash::startTimer() {
    enableTimer(timer_);
}

void FadeTextLine::setLine(const std::string& markup) {
    display_.Text().Lines().SetLine(markup);
}

}  // namespace caici
