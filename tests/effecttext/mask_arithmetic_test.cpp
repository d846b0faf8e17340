#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/random_source.h"
#include "effecttext/aa_blend.h"
#include "effecttext/effect_errors.h"
#include "effecttext/mask_geometry.h"
#include "mask_fixtures.h"

namespace caici {
namespace {

using testing::Grid;

// The plain 5 x 5 box blur with clamped indices, written straight from the rule.
Grid referenceBlur(const Grid& in, int amount) {
    const int h = static_cast<int>(in.size());
    const int w = static_cast<int>(in[0].size());
    const long long weight = std::llround(std::nearbyint(amount * 255 / 100.0));
    Grid out = in;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) sum += in[std::clamp(y + dy, 0, h - 1)][std::clamp(x + dx, 0, w - 1)];
            }
            const int b = static_cast<int>(std::lround(sum / 25.0));
            const long long v = in[y][x];
            out[y][x] = weight == 255 ? b
                                      : static_cast<int>(v + static_cast<long long>(std::floor(
                                                                 static_cast<double>((b - v) * weight) / 256.0)));
        }
    }
    return out;
}

Grid referenceOutline(const Grid& in) {
    const int h = static_cast<int>(in.size());
    const int w = static_cast<int>(in[0].size());
    Grid out = in;
    if (h < 3 || w < 3) return out;
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            const auto& u = in[y - 1];
            const auto& m = in[y];
            const auto& d = in[y + 1];
            out[y][x] = (std::abs(d[x] - u[x]) + std::abs(m[x + 1] - m[x - 1]) + std::abs(d[x - 1] - u[x + 1]) +
                         std::abs(d[x + 1] - u[x - 1])) >>
                        2;
        }
    }
    return out;
}

Grid referenceSpray(Grid grid, int amount, RandomSource& random) {
    const int h = static_cast<int>(grid.size());
    const int w = static_cast<int>(grid[0].size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int r = static_cast<int>(random.random(amount + 1));
            const int sx = std::clamp(x + r - static_cast<int>(random.random(2 * r)), 0, w - 1);
            const int sy = std::clamp(y + r - static_cast<int>(random.random(2 * r)), 0, h - 1);
            grid[y][x] = grid[sy][sx];
        }
    }
    return grid;
}

// Weighted block average of any quality, from the sample weights.
int referenceBlock(TAAQuality quality, const std::vector<std::vector<int>>& block) {
    int sum = 0;
    const int scale = qualityScale(quality);
    for (int r = 0; r < scale; ++r) {
        for (int c = 0; c < scale; ++c) {
            const bool half = quality == TAAQuality::aqNormal && ((r == 0 && c == 2) || (r == 2 && c == 0));
            sum += half ? block[r][c] >> 1 : block[r][c];
        }
    }
    switch (quality) {
        case TAAQuality::aqHigh:
            return sum >> 4;
        case TAAQuality::aqNormal:
            return sum >> 3;
        case TAAQuality::aqLow:
            return sum >> 2;
        case TAAQuality::aqNone:
            return sum;
    }
    return -1;
}

constexpr TAAQuality kQualities[] = {TAAQuality::aqHigh, TAAQuality::aqNormal, TAAQuality::aqLow,
                                     TAAQuality::aqNone};

std::vector<std::uint8_t> downsampleGrid(TAAQuality quality, const Grid& raster, int width, int height) {
    const int stride = static_cast<int>(raster[0].size());
    std::vector<std::uint8_t> bytes;
    for (const auto& row : raster) bytes.insert(bytes.end(), row.begin(), row.end());
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width * height));
    downsample(quality, bytes.data(), stride, width, height,
               [&](int y) { return out.data() + static_cast<std::ptrdiff_t>(y) * width; });
    return out;
}

// A fully covered block is 255, except at aqNormal, whose two half-weighted samples give 254.
TEST(MaskDownsampling, FullBlocksGive255Or254) {
    const std::pair<TAAQuality, int> expected[] = {
        {TAAQuality::aqHigh, 255}, {TAAQuality::aqNormal, 254}, {TAAQuality::aqLow, 255}, {TAAQuality::aqNone, 255}};
    for (const auto& [quality, value] : expected) {
        const int scale = qualityScale(quality);
        const auto out = downsampleGrid(quality, testing::uniform(3 * scale + 1, 2 * scale, 255), 3, 2);
        for (const auto pixel : out) EXPECT_EQ(pixel, value) << static_cast<int>(quality);
    }
}

TEST(MaskDownsampling, MatchesThePlainWeightedAverage) {
    for (const TAAQuality quality : kQualities) {
        const int scale = qualityScale(quality);
        const int width = 13;
        const int height = 7;
        const Grid raster = testing::randomGrid(width * scale + 3, height * scale, 7u + static_cast<unsigned>(scale), true);
        const auto out = downsampleGrid(quality, raster, width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Grid block(static_cast<std::size_t>(scale), std::vector<int>(static_cast<std::size_t>(scale)));
                for (int r = 0; r < scale; ++r) {
                    for (int c = 0; c < scale; ++c) block[r][c] = raster[y * scale + r][x * scale + c];
                }
                ASSERT_EQ(out[static_cast<std::size_t>(y * width + x)], referenceBlock(quality, block))
                    << "quality " << static_cast<int>(quality) << " at " << x << "," << y;
            }
        }
    }
}

// Weight w = round(amount * 255 / 100): 50 -> 128, 80 -> 204, 100 -> the plain average.
TEST(MaskBlur, WeightsAndEdgeClampingGivePinnedValues) {
    struct Case {
        int amount;
        int atCorner;  // the lone 250 at (0, 0): counted 9 times, b = 90
        int inside;    // pixel (2, 2): counted once, b = 10
    };
    // An amount past 100 (settings are loaded unchecked) blurs fully instead of overshooting.
    const Case cases[] = {{50, 170, 5}, {80, 122, 7}, {100, 90, 10}, {200, 90, 10}};
    for (const Case& c : cases) {
        TCnAAMask mask;
        Grid grid = testing::uniform(6, 6, 0);
        grid[0][0] = 250;
        testing::fill(mask, grid);
        mask.Blur(c.amount);
        EXPECT_EQ(mask.ScanLine(0)[0], c.atCorner) << c.amount;
        EXPECT_EQ(mask.ScanLine(2)[2], c.inside) << c.amount;
        EXPECT_EQ(mask.ScanLine(5)[5], 0) << c.amount;
    }
}

// The running-sum blur must be bit-identical to the plain formula, at every
// size, in place and into another mask (which leaves its source as it was).
TEST(MaskBlur, MatchesThePlainFormulaOnRandomMasks) {
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {3, 2}, {4, 4}, {5, 1}, {17, 9}, {64, 33}};
    unsigned seed = 1;
    for (const auto& [w, h] : sizes) {
        for (const int amount : {1, 33, 50, 80, 99, 100}) {
            const Grid grid = testing::randomGrid(w, h, seed++);
            TCnAAMask mask;
            testing::fill(mask, grid);
            mask.Blur(amount);
            ASSERT_EQ(testing::read(mask), referenceBlur(grid, amount)) << w << "x" << h << " amount " << amount;
            TCnAAMask source;
            testing::fill(source, grid);
            TCnAAMask blurred;
            testing::fill(blurred, testing::randomGrid(3, 7, seed++));
            blurred.CopyBlurred(source, amount);
            ASSERT_EQ(testing::read(blurred), referenceBlur(grid, amount)) << w << "x" << h << " amount " << amount;
            ASSERT_EQ(testing::read(source), grid) << w << "x" << h << " amount " << amount;
        }
    }
}

TEST(MaskOutline, SolidBlockBecomesHollowAndBorderIsUntouched) {
    Grid grid = testing::uniform(10, 10, 0);
    for (int y = 2; y <= 7; ++y) std::fill(grid[y].begin() + 2, grid[y].begin() + 8, 255);
    grid[0][0] = 99;  // the outermost rows and columns keep their values
    TCnAAMask mask;
    testing::fill(mask, grid);
    mask.Outline();
    const Grid out = testing::read(mask);
    for (int y = 3; y <= 6; ++y) {
        for (int x = 3; x <= 6; ++x) EXPECT_EQ(out[y][x], 0) << x << "," << y;
    }
    EXPECT_EQ(out[2][4], 191);  // top edge: three of the four differences are 255
    EXPECT_GT(out[4][2], 0);
    EXPECT_EQ(out[0][0], 99);
    EXPECT_EQ(out, referenceOutline(grid));

    const Grid random = testing::randomGrid(23, 11, 5);
    testing::fill(mask, random);
    mask.Outline();
    EXPECT_EQ(testing::read(mask), referenceOutline(random));

    const Grid thin = testing::randomGrid(2, 9, 6);
    testing::fill(mask, thin);
    mask.Outline();
    EXPECT_EQ(testing::read(mask), thin);
}

TEST(MaskSpray, AmountZeroKeepsTheMaskAndDrawsInTheDocumentedOrder) {
    const Grid grid = testing::randomGrid(15, 8, 11);
    for (const int amount : {0, 1, 4}) {
        processRandom().setSeed(1234);
        RandomSource reference(1234);
        TCnAAMask mask;
        testing::fill(mask, grid);
        mask.Spray(amount);
        EXPECT_EQ(testing::read(mask), referenceSpray(grid, amount, reference)) << amount;
        EXPECT_TRUE(processRandom() == reference) << "draw count, amount " << amount;
        if (amount == 0) {
            EXPECT_EQ(testing::read(mask), grid);
        }
    }
}

// With amount 1 a pixel reads at most one row below and one column to the
// right (pixels above and to the left were visited already and hold values
// from their own neighbourhoods), so a lone bright pixel never reaches rows
// or columns more than one before it.
TEST(MaskSpray, AmountOneReadsAtMostOneRowAndColumnAhead) {
    Grid grid = testing::uniform(9, 9, 0);
    grid[4][4] = 255;
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        processRandom().setSeed(seed);
        TCnAAMask mask;
        testing::fill(mask, grid);
        mask.Spray(1);
        const Grid out = testing::read(mask);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x) {
                if (x < 3 || y < 3) {
                    EXPECT_EQ(out[y][x], 0) << x << "," << y << " seed " << seed;
                }
            }
        }
    }
}

TEST(MaskMirrors, SwapColumnsAndRows) {
    const Grid grid = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}};
    TCnAAMask mask;
    testing::fill(mask, grid);
    mask.HorzMirror();
    EXPECT_EQ(testing::read(mask), (Grid{{5, 4, 3, 2, 1}, {10, 9, 8, 7, 6}, {15, 14, 13, 12, 11}}));
    testing::fill(mask, grid);
    mask.VertMirror();
    EXPECT_EQ(testing::read(mask), (Grid{{11, 12, 13, 14, 15}, {6, 7, 8, 9, 10}, {1, 2, 3, 4, 5}}));
    const Grid even = testing::randomGrid(6, 4, 3);
    testing::fill(mask, even);
    mask.VertMirror();
    mask.HorzMirror();
    mask.HorzMirror();
    mask.VertMirror();
    EXPECT_EQ(testing::read(mask), even);
}

TEST(MaskRows, StoredBottomUpWithPaddedStrideAndCheckedIndex) {
    TCnAAMask mask;
    mask.SetSize(5, 3);
    EXPECT_EQ(mask.Stride(), 8);
    EXPECT_EQ(mask.ScanLine(0) - mask.ScanLine(2), 2 * mask.Stride());
    for (const int row : {-1, 3}) {
        try {
            mask.ScanLine(row);
            FAIL() << row;
        } catch (const EInvalidLine& error) {
            EXPECT_STREQ(error.what(), "Invalid line!");
        }
    }
}

TEST(MaskCopy, CopiesSizeQualityAndCoverage) {
    TCnAAMask source;
    source.SetQuality(TAAQuality::aqHigh);
    const Grid grid = testing::randomGrid(7, 5, 9);
    testing::fill(source, grid);
    TCnAAMask copy;
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.Quality(), TAAQuality::aqHigh);
    EXPECT_EQ(copy.Scale(), 4);
    EXPECT_EQ(copy.Stride(), 8);
    EXPECT_EQ(testing::read(copy), grid);
    TCnAABlend blend;
    EXPECT_THROW(copy.CopyFrom(&blend), EAssignError);
    EXPECT_EQ(testing::read(copy), grid);
}

TEST(MaskGeometry, RotatedBoxSwapsSidesAtNinetyDegreesAndCentresTheText) {
    const RotatedBox quarter = rotatedBox(100, 40, M_PI / 2);
    EXPECT_EQ(quarter.size, QSize(40, 100));
    EXPECT_EQ(quarter.offset, QPoint(0, 100));  // the text rises from the bottom-left corner
    const RotatedBox diagonal = rotatedBox(10, 10, M_PI / 4);
    EXPECT_EQ(diagonal.size, QSize(14, 14));
    EXPECT_EQ(diagonal.offset, QPoint(0, 7));
    const RotatedBox half = rotatedBox(100, 40, M_PI);
    EXPECT_EQ(half.size, QSize(100, 40));
    EXPECT_EQ(half.offset, QPoint(100, 40));
}

// 30 % of the average width per byte, ties to even; characters outside ASCII count 2.
TEST(MaskGeometry, ItalicWideningCountsCodePageBytes) {
    struct Case {
        int width;
        const char* text;
        int widening;
    };
    const Case cases[] = {{5, "a", 2}, {15, "a", 4}, {25, "a", 8}, {20, "中", 3}, {30, "中a", 3}, {100, "", 0}};
    for (const Case& c : cases) EXPECT_EQ(italicWidening(c.width, c.text), c.widening) << c.width << " " << c.text;
    EXPECT_EQ(codePageLength("猜词ab"), 6);
}

}  // namespace
}  // namespace caici
