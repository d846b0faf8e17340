#pragma once
// The start label "开 始 / 游 戏" of the start window: a painted two-line
// caption that reports its pointer events to the start window (which changes
// its colour and position and plays the hover cue) and is a button for the
// keyboard and for assistive technology: Tab reaches it, Space or Enter
// presses it, and its accessible press action clicks it.

#include <QAbstractButton>
#include <QColor>

namespace caici {

class StartLabel : public QAbstractButton {
    Q_OBJECT
public:
    explicit StartLabel(QWidget& parent);

    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void mouseMoved();
    void mouseLeft();
    void mousePressed();
    void mouseReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor fontColor_ = Qt::black;
};

}  // namespace caici
