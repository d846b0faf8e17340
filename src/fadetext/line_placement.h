#pragma once
// Where a resolved display line goes in a client area of W x H for a text of
// w x h: x by the alignment (left 0, right W - w, centre (W - w) / 2), y by
// the layout (top 0, centre (H - h) / 2, bottom H - h), halves truncating
// toward zero. A text larger than the area gets negative positions.

#include <QPoint>
#include <QSize>

#include "effecttext/aa_types.h"

namespace caici {

QPoint placeLine(TAlignment alignment, TTextLayout layout, QSize client, QSize text);

}  // namespace caici
