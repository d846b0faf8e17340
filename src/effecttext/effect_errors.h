#pragma once
// The effect-text subsystem's own failures.

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

}  // namespace caici
