#include "round/panel_backdrop.h"

#include <QPainter>
#include <QRect>

namespace caici {

void PanelBackdrop::fit(QSize size) {
    if (!background_.isNull() && scaled_.size() != size) {
        scaled_ = background_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

void PanelBackdrop::paint(QPainter& painter, QSize size) const {
    const QRect area(QPoint(0, 0), size);
    painter.fillRect(area, panelGround);
    if (!scaled_.isNull()) painter.drawPixmap(0, 0, scaled_);
    painter.fillRect(area, panelVeil);
}

}  // namespace caici
