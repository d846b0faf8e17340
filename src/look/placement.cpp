#include "look/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace caici {

QScreen& screenOf(const QWidget& widget) {
    QScreen* screen = widget.screen();
    return screen ? *screen : *QGuiApplication::primaryScreen();
}

QPoint centredIn(const QRect& area, QSize outerSize) {
    return {area.x() + (area.width() - outerSize.width()) / 2, area.y() + (area.height() - outerSize.height()) / 2};
}

void centreOnScreen(QWidget& window, QSize outerSize) {
    window.move(centredIn(screenOf(window).availableGeometry(), outerSize));
}

}  // namespace caici
