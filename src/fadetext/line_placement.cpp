#include "fadetext/line_placement.h"

namespace caici {

QPoint placeLine(TAlignment alignment, TTextLayout layout, QSize client, QSize text) {
    int x = 0;
    switch (alignment) {
    case TAlignment::taLeftJustify:
        break;
    case TAlignment::taRightJustify:
        x = client.width() - text.width();
        break;
    case TAlignment::taCenter:
        x = (client.width() - text.width()) / 2;
        break;
    }
    int y = 0;
    switch (layout) {
    case TTextLayout::tlTop:
        break;
    case TTextLayout::tlCenter:
        y = (client.height() - text.height()) / 2;
        break;
    case TTextLayout::tlBottom:
        y = client.height() - text.height();
        break;
    }
    return {x, y};
}

QPoint placeInk(TAlignment alignment, TTextLayout layout, QRect room, QRect ink) {
    return room.topLeft() + placeLine(alignment, layout, room.size(), ink.size()) - ink.topLeft();
}

}  // namespace caici
