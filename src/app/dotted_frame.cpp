#include "app/dotted_frame.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace caici {

DottedFrame::DottedFrame(QWidget& parent, const QRect& bounds, const QColor& penColor)
    : QWidget(&parent), penColor_(penColor) {
    setGeometry(bounds);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DottedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(penColor_);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The corners are quarter ellipses whose size is a quarter of the shorter
    // side, so the radius is an eighth of it.
    const qreal radius = std::min(width(), height()) / 8.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

}  // namespace caici
