#pragma once
// Where the game's windows go on the desktop: centred in the part of their
// screen that panels and docks leave free.

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace caici {

// The screen a widget is on, or the primary one before it is shown.
QScreen& screenOf(const QWidget& widget);

// The top-left corner that centres a frame of outerSize in area.
QPoint centredIn(const QRect& area, QSize outerSize);

// Moves a window so that its frame of outerSize is centred in the free area
// of its screen.
void centreOnScreen(QWidget& window, QSize outerSize);

}  // namespace caici
