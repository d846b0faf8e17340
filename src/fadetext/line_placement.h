#pragma once
// Where a resolved display line goes in a client area of W x H for a text of
// w x h: x by the alignment (left 0, right W - w, centre (W - w) / 2), y by
// the layout (top 0, centre (H - h) / 2, bottom H - h), halves truncating
// toward zero. A text larger than the area gets negative positions.
//
// placeInk applies the same rule to the part of a text's box that is drawn
// (its ink) and an area inside the client (room), and answers where the box
// goes: a box taller than the client, as a line box fitted by its ink is,
// still has its ink centred.

#include <QPoint>
#include <QRect>
#include <QSize>

#include "effecttext/aa_types.h"

namespace caici {

QPoint placeLine(TAlignment alignment, TTextLayout layout, QSize client, QSize text);
// ink: in box coordinates; room: in client coordinates.
QPoint placeInk(TAlignment alignment, TTextLayout layout, QRect room, QRect ink);

}  // namespace caici
