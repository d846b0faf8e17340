#pragma once
// The effect-text subsystem's own failures.

#include <QSize>

#include "common/errors.h"

namespace caici {

// A mask row outside 0 .. Height - 1: "Invalid line!".
class EInvalidLine : public Error {
public:
    EInvalidLine() : Error("Invalid line!") {}
};

// A foreground raster that does not match the mask: "Invalid foreground bitmap!".
class EInvalidForeBmp : public Error {
public:
    EInvalidForeBmp() : Error("Invalid foreground bitmap!") {}
};

// The part of a text that would land on the surface is larger than the
// renderer draws at once (see render_limits.h): the surface is too large.
class ETextTooLarge : public Error {
public:
    explicit ETextTooLarge(QSize part);
};

}  // namespace caici
