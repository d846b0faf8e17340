#pragma once
// Hand-made coverage masks, so that pixel arithmetic is tested without fonts.

#include <cstdint>
#include <random>
#include <vector>

#include "effecttext/aa_mask.h"

namespace caici::testing {

using Grid = std::vector<std::vector<int>>;

inline void fill(TCnAAMask& mask, const Grid& rows) {
    mask.SetSize(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) mask.ScanLine(y)[x] = static_cast<std::uint8_t>(rows[y][x]);
    }
}

inline Grid read(const TCnAAMask& mask) {
    Grid rows(static_cast<std::size_t>(mask.Height()), std::vector<int>(static_cast<std::size_t>(mask.Width())));
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) rows[y][x] = mask.ScanLine(y)[x];
    }
    return rows;
}

inline Grid uniform(int width, int height, int value) {
    return Grid(static_cast<std::size_t>(height), std::vector<int>(static_cast<std::size_t>(width), value));
}

// Random coverage; binary picks only 0 and 255, like glyph samples.
inline Grid randomGrid(int width, int height, unsigned seed, bool binary = false) {
    std::mt19937 engine(seed);
    Grid rows = uniform(width, height, 0);
    for (auto& row : rows) {
        for (int& value : row) value = binary ? (engine() % 2) * 255 : static_cast<int>(engine() % 256);
    }
    return rows;
}

}  // namespace caici::testing
