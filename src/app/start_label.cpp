#include "app/start_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace caici {

StartLabel::StartLabel(QWidget& parent) : QAbstractButton(&parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Keyboard focus only: a mouse click should not leave a focus frame.
    setFocusPolicy(Qt::TabFocus);
}

void StartLabel::setFontColor(const QColor& color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    update();
}

QSize StartLabel::sizeHint() const {
    return fontMetrics().size(0, text());
}

void StartLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(fontColor_);
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (hasFocus()) {
        // The style's focus frame is too faint on the banner's gold: keyboard
        // users get a plain dotted frame in the caption's colour.
        QPen pen(fontColor_, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void StartLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QAbstractButton::mouseMoveEvent(event);
}

void StartLabel::leaveEvent(QEvent* event) {
    emit mouseLeft();
    QAbstractButton::leaveEvent(event);
}

void StartLabel::mousePressEvent(QMouseEvent* event) {
    emit mousePressed();
    if (event->button() == Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
    } else {
        // Every button presses the label down; only the left one clicks.
        event->accept();
    }
}

void StartLabel::mouseReleaseEvent(QMouseEvent* event) {
    // The click runs before the label springs back, so it looks pressed for
    // as long as the start of the game takes.
    if (event->button() == Qt::LeftButton) {
        QAbstractButton::mouseReleaseEvent(event);
    } else {
        event->accept();
    }
    emit mouseReleased();
}

void StartLabel::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

}  // namespace caici
