#pragma once
// The round engine's ports over the guessing window's widgets and timers.
// Each adapter only forwards: the texts arrive as UTF-8 and are shown as they
// stand.

#include <QTimer>

#include <functional>
#include <string>

#include "round/round_ports.h"

class QAbstractButton;
class QLabel;
class QWidget;

namespace caici {

class TCnAAFadeText;

// Starts a timer unless it already runs: a running timer keeps its rhythm.
void enableTimer(QTimer& timer);

class LabelText : public TextDisplay {
public:
    // changed runs after every new text (the window re-sizes the label).
    LabelText(QLabel& label, std::function<void()> changed = {});
    void setText(const std::string& text) override;

private:
    QLabel& label_;
    std::function<void()> changed_;
};

class ButtonCaption : public TextDisplay {
public:
    explicit ButtonCaption(QAbstractButton& button) : button_(button) {}
    void setText(const std::string& text) override;

private:
    QAbstractButton& button_;
};

class WidgetSwitch : public Switch {
public:
    explicit WidgetSwitch(QWidget& widget) : widget_(widget) {}
    void setEnabled(bool enabled) override;

private:
    QWidget& widget_;
};

class TimerSwitch : public Switch {
public:
    explicit TimerSwitch(QTimer& timer) : timer_(timer) {}
    void setEnabled(bool enabled) override;

private:
    QTimer& timer_;
};

class TimedFlash : public FlashLabel {
public:
    TimedFlash(QLabel& label, QTimer& timer, std::function<void()> changed = {});
    void setText(const std::string& text) override;
    void show() override;
    void startTimer() override;

private:
    LabelText text_;
    QLabel& label_;
    QTimer& timer_;
};

class FadeTextLine : public WordDisplay {
public:
    explicit FadeTextLine(TCnAAFadeText& display) : display_(display) {}
    void setLine(const std::string& markup) override;

private:
    TCnAAFadeText& display_;
};

}  // namespace caici
