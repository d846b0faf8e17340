#pragma once
// A label that reports clicks and double-clicks the way the window's handlers
// expect them: a click when a left button goes up over the label, and a
// double-click after the click that its first press already delivered.

#include <QLabel>

namespace caici {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace caici
