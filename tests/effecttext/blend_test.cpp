#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "effecttext/aa_font.h"
#include "effecttext/effect_errors.h"
#include "effecttext/vector_loops.h"
#include "mask_fixtures.h"
#include "render_stage.h"

namespace caici {
namespace {

using testing::Grid;
using testing::pixelAt;

// The compositing rule written out with a work rectangle, as plainly as it reads:
// background from the brush or the surface, mix, copy back clipped.
void referenceBlend(std::vector<std::vector<Rgb>>& surface, int left, int top, const Grid& mask, int alpha,
                    const std::vector<std::vector<Rgb>>& colours, const TBrush& brush) {
    const int a256 = alpha * 256 / 100;
    const int h = static_cast<int>(surface.size());
    const int w = static_cast<int>(surface[0].size());
    for (int my = 0; my < static_cast<int>(mask.size()); ++my) {
        for (int mx = 0; mx < static_cast<int>(mask[0].size()); ++mx) {
            const int sx = left + mx;
            const int sy = top + my;
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            Rgb p = brush.Style == TBrushStyle::bsSolid ? toRgb(brush.Color) : surface[sy][sx];
            const Rgb c = colours[my][mx];
            const int k = (mask[my][mx] * a256) >> 8;
            const auto mix = [k](int pc, int cc) {
                return static_cast<std::uint8_t>((pc + static_cast<int>(std::floor((cc - pc) * k / 256.0))) & 0xFF);
            };
            if (k == 255) {
                p = c;
            } else if (k != 0) {
                p = Rgb{mix(p.r, c.r), mix(p.g, c.g), mix(p.b, c.b)};
            }
            surface[sy][sx] = p;
        }
    }
}

std::vector<std::vector<Rgb>> readSurface(const TBitmap& bitmap) {
    std::vector<std::vector<Rgb>> rows(static_cast<std::size_t>(bitmap.Height()),
                                       std::vector<Rgb>(static_cast<std::size_t>(bitmap.Width())));
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) rows[y][x] = toRgb(pixelAt(bitmap, x, y));
    }
    return rows;
}

void paintNoise(TBitmap& bitmap, unsigned seed) {
    std::mt19937 engine(seed);
    const int bpp = bitmap.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width() * bpp; ++x) bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>(engine());
        if (bpp == 4) {
            for (int x = 0; x < bitmap.Width(); ++x) bitmap.ScanLine(y)[4 * x + 3] = 0xFF;
        }
    }
}

struct BlendCase {
    TPixelFormat format;
    TBrushStyle brush;
    int alpha;
    QPoint at;
    bool fore;
    bool wide;
};

// A wide mask is shaped like a glyph's rows: uncovered runs at both ends of
// every row and between strokes, a row with no coverage at all, fully covered
// strokes wider than the blend's chunks, and foreground rows of one colour
// beside rows of many.
Grid glyphLikeGrid(int width, int height, unsigned seed) {
    Grid grid = testing::randomGrid(width, height, seed, seed % 2 == 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (x < 3 + y || x >= width - 2 - 2 * y || y == 2 || (x >= 6 && x < 24)) grid[y][x] = 0;
            if (y % 2 == 1 && x >= 24 && x < 60) grid[y][x] = 255;
        }
    }
    return grid;
}

void paintRowsOfOneColour(TBitmap& fore) {
    for (int y = 0; y < fore.Height(); y += 2) {
        std::uint8_t* row = fore.ScanLine(y);
        for (int x = 1; x < fore.Width(); ++x) std::copy(row, row + 3, row + 3 * x);
    }
}

// The in-place compositing must equal the plain rule on every pixel, for both
// surface layouts, both brush styles, clipped on every side.
TEST(Blend, MatchesThePlainRuleOnRandomInput) {
    std::vector<BlendCase> cases;
    for (const auto format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit}) {
        for (const auto brush : {TBrushStyle::bsClear, TBrushStyle::bsSolid}) {
            for (const int alpha : {0, 50, 70, 100}) {
                for (const QPoint at : {QPoint(3, 2), QPoint(-4, -3), QPoint(20, 12)}) {
                    for (const bool fore : {false, true}) {
                        for (const bool wide : {false, true}) cases.push_back({format, brush, alpha, at, fore, wide});
                    }
                }
            }
        }
    }
    unsigned seed = 1;
    for (const BlendCase& c : cases) {
        const int width = c.wide ? 70 : 11;
        const int height = 7;
        TBitmap surface(width + 14, 16, c.format);
        paintNoise(surface, seed++);
        surface.Canvas().Brush() = TBrush{0x3366CC, c.brush};
        TCnAAFont renderer(&surface.Canvas());
        Grid grid = c.wide ? glyphLikeGrid(width, height, seed++) : testing::randomGrid(width, height, seed++);
        if (!c.wide) {
            grid[0][0] = 0;
            grid[0][1] = 255;
        }
        TCnAAMask mask;
        testing::fill(mask, grid);

        std::vector<std::vector<Rgb>> colours(height, std::vector<Rgb>(width, toRgb(0x1080F0)));
        if (c.fore) {
            TBitmap& fore = renderer.Blend().ForeBmp();
            fore.SetSize(width, height);
            paintNoise(fore, seed++);
            if (c.wide) paintRowsOfOneColour(fore);
            colours = readSurface(fore);
        }
        auto expected = readSurface(surface);
        referenceBlend(expected, c.at.x(), c.at.y(), grid, c.alpha, colours, surface.Canvas().Brush());
        if (c.fore) {
            renderer.Blend().BlendEx(*renderer.Canvas(), c.at.x(), c.at.y(), mask, c.alpha);
        } else {
            renderer.Blend().Blend(*renderer.Canvas(), c.at.x(), c.at.y(), mask, c.alpha, 0x1080F0);
        }
        ASSERT_EQ(readSurface(surface), expected)
            << "format " << static_cast<int>(c.format) << " brush " << static_cast<int>(c.brush) << " alpha "
            << c.alpha << " at " << c.at.x() << "," << c.at.y() << " fore " << c.fore << " wide " << c.wide;
    }
}

// The rows of two images of one size and format hold the same bytes (the
// unused fourth byte of 32-bit pixels included).
bool sameBytes(const TBitmap& a, const TBitmap& b) {
    const int rowBytes = a.Width() * (a.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4);
    for (int y = 0; y < a.Height(); ++y) {
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(rowBytes)) != 0) return false;
    }
    return true;
}

// Fills every row of a foreground raster with one colour, its first pixel's.
void paintEveryRowOfOneColour(TBitmap& fore) {
    for (int y = 0; y < fore.Height(); ++y) {
        std::uint8_t* row = fore.ScanLine(y);
        for (int x = 1; x < fore.Width(); ++x) std::copy(row, row + 3, row + 3 * x);
    }
}

// A shadow and a body blended together, row by row and with the shadow left
// out under the body's full coverage, give exactly the shadow blended first
// and the body over it, whatever the layout, brush, alpha, colours (the
// body's rows of one colour read from their first pixel) and clipping; a
// body alone gives what Blend or BlendEx gives.
TEST(Blend, LayersGiveTheShadowThenTheBody) {
    enum class Colours { font, perPixel, perRow };
    struct Case {
        TPixelFormat format;
        TBrushStyle brush;
        int bodyAlpha;
        Colours colours;
        bool shadowed;
        QPoint shadowAt;
        QPoint bodyAt;
    };
    std::vector<Case> cases;
    for (const auto format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        for (const auto brush : {TBrushStyle::bsClear, TBrushStyle::bsSolid}) {
            for (const int bodyAlpha : {100, 70}) {
                for (const auto colours : {Colours::font, Colours::perPixel, Colours::perRow}) {
                    for (const bool shadowed : {true, false}) {
                        cases.push_back({format, brush, bodyAlpha, colours, shadowed, QPoint(8, 7), QPoint(3, 2)});
                        cases.push_back({format, brush, bodyAlpha, colours, shadowed, QPoint(-3, -2), QPoint(2, 3)});
                        cases.push_back({format, brush, bodyAlpha, colours, shadowed, QPoint(30, 12), QPoint(25, 7)});
                    }
                }
            }
        }
    }
    unsigned seed = 100;
    for (const Case& c : cases) {
        const int width = 70;
        const int height = 9;
        TCnAAMask body;
        testing::fill(body, glyphLikeGrid(width, height, seed++));
        TCnAAMask shadow;
        testing::fill(shadow, testing::randomGrid(width, height, seed++));
        const unsigned surfaceSeed = seed++;
        const unsigned foreSeed = seed++;
        const auto draw = [&](bool layered) {
            auto surface = std::make_unique<TBitmap>(width + 30, 24, c.format);
            paintNoise(*surface, surfaceSeed);
            surface->Canvas().Brush() = TBrush{0x3366CC, c.brush};
            TCnAAFont renderer(&surface->Canvas());
            if (c.colours != Colours::font) {
                TBitmap& colours = renderer.Blend().ForeBmp();
                colours.SetSize(width, height);
                paintNoise(colours, foreSeed);
                if (c.colours == Colours::perRow) {
                    paintEveryRowOfOneColour(colours);
                } else {
                    paintRowsOfOneColour(colours);
                }
            }
            const TColor fontColour = 0x1080F0;
            if (layered) {
                BlendLayer over{c.bodyAt, &body, c.bodyAlpha, std::nullopt, c.colours == Colours::perRow};
                if (c.colours == Colours::font) over.color = fontColour;
                const BlendLayer under{c.shadowAt, &shadow, 70, clBlack};
                renderer.Blend().BlendLayers(*renderer.Canvas(), c.shadowed ? &under : nullptr, over);
                return surface;
            }
            if (c.shadowed) {
                renderer.Blend().Blend(*renderer.Canvas(), c.shadowAt.x(), c.shadowAt.y(), shadow, 70, clBlack);
                surface->Canvas().Brush().Style = TBrushStyle::bsClear;
            }
            if (c.colours == Colours::font) {
                renderer.Blend().Blend(*renderer.Canvas(), c.bodyAt.x(), c.bodyAt.y(), body, c.bodyAlpha, fontColour);
            } else {
                renderer.Blend().BlendEx(*renderer.Canvas(), c.bodyAt.x(), c.bodyAt.y(), body, c.bodyAlpha);
            }
            return surface;
        };
        ASSERT_TRUE(sameBytes(*draw(true), *draw(false)))
            << "format " << static_cast<int>(c.format) << " brush " << static_cast<int>(c.brush) << " body alpha "
            << c.bodyAlpha << " colours " << static_cast<int>(c.colours) << " shadowed " << c.shadowed
            << " shadow at " << c.shadowAt.x() << "," << c.shadowAt.y();
    }
}

// Layers over a backdrop give what a copy of the backdrop and then the
// layers give: rows the layers miss get the backdrop too, pixels outside its
// area keep theirs, and a source of another pixel format is converted.
TEST(Blend, LayersOverABackdropGiveTheCopyThenTheLayers) {
    struct Case {
        const char* name;
        QRect area;
        TPixelFormat sourceFormat;
        bool emptyBody;
    };
    const Case cases[] = {
        {"inside the layers", QRect(10, 4, 30, 5), TPixelFormat::pf32bit, false},
        {"past them on every side", QRect(-5, -3, 120, 40), TPixelFormat::pf32bit, false},
        {"rows below them only", QRect(0, 18, 100, 6), TPixelFormat::pf32bit, false},
        {"another format", QRect(2, 1, 60, 20), TPixelFormat::pf24bit, false},
        {"no ink", QRect(2, 1, 60, 20), TPixelFormat::pf32bit, true},
    };
    unsigned seed = 500;
    for (const Case& c : cases) {
        const int width = 70;
        const int height = 9;
        TCnAAMask body;
        if (!c.emptyBody) testing::fill(body, glyphLikeGrid(width, height, seed++));
        TCnAAMask shadow;
        if (!c.emptyBody) testing::fill(shadow, testing::randomGrid(width, height, seed++));
        TBitmap source(100, 24, c.sourceFormat);
        paintNoise(source, seed++);
        const unsigned surfaceSeed = seed++;
        const auto draw = [&](bool throughBackdrop) {
            auto surface = std::make_unique<TBitmap>(100, 24, TPixelFormat::pf32bit);
            paintNoise(*surface, surfaceSeed);
            surface->Canvas().Brush().Style = TBrushStyle::bsClear;
            TCnAAFont renderer(&surface->Canvas());
            const BlendLayer over{QPoint(3, 2), &body, 100, TColor{0x1080F0}};
            const BlendLayer under{QPoint(8, 7), &shadow, 70, clBlack};
            const Backdrop backdrop{&source.Image(), c.area};
            if (throughBackdrop) {
                renderer.Blend().BlendLayers(surface->Canvas(), &under, over, backdrop);
            } else {
                copyBackdrop(surface->Canvas().Image(), backdrop);
                renderer.Blend().BlendLayers(surface->Canvas(), &under, over);
            }
            return surface;
        };
        ASSERT_TRUE(sameBytes(*draw(true), *draw(false))) << c.name;
        TBitmap copied(100, 24, TPixelFormat::pf32bit);
        paintNoise(copied, surfaceSeed);
        TBitmap untouched(100, 24, TPixelFormat::pf32bit);
        paintNoise(untouched, surfaceSeed);
        copyBackdrop(copied.Canvas().Image(), Backdrop{&source.Image(), c.area});
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 100; ++x) {
                const TBitmap& expected = c.area.contains(x, y) ? source : untouched;
                ASSERT_EQ(pixelAt(copied, x, y), pixelAt(expected, x, y)) << c.name << " at " << x << "," << y;
            }
        }
    }
}

// Pinned values: a256 = 179 for alpha 70; aqNormal's 254 leaves black on white at 1.
TEST(Blend, FixedPointValues) {
    struct Case {
        int coverage;
        int alpha;
        int channel;  // black over white
    };
    const Case cases[] = {{255, 100, 0}, {254, 100, 1}, {255, 70, 255 - 178}, {255, 50, 255 - 127}, {0, 100, 255},
                          {255, 0, 255},  {128, 100, 127},
                          // Unchecked settings: alpha past 100 counts as 100 instead of wrapping.
                          {255, 250, 0}};
    for (const Case& c : cases) {
        TBitmap surface(1, 1, TPixelFormat::pf32bit);
        surface.Canvas().Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
        surface.Canvas().FillRect(QRect(0, 0, 1, 1));
        surface.Canvas().Brush().Style = TBrushStyle::bsClear;
        TCnAAFont renderer(&surface.Canvas());
        TCnAAMask mask;
        testing::fill(mask, {{c.coverage}});
        renderer.Blend().Blend(*renderer.Canvas(), 0, 0, mask, c.alpha, clBlack);
        EXPECT_EQ(pixelAt(surface, 0, 0), fromRgb(c.channel, c.channel, c.channel))
            << "coverage " << c.coverage << " alpha " << c.alpha;
    }
}

// Alpha 0 draws no colour, but a solid brush still paints the rectangle.
TEST(Blend, SolidBrushPaintsTheWholeRectangleEvenWithoutCoverage) {
    TBitmap surface(6, 4, TPixelFormat::pf32bit);
    surface.Canvas().Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
    surface.Canvas().FillRect(QRect(0, 0, 6, 4));
    surface.Canvas().Brush().Color = clRed;
    TCnAAFont renderer(&surface.Canvas());
    TCnAAMask mask;
    testing::fill(mask, testing::uniform(3, 2, 255));
    renderer.Blend().Blend(*renderer.Canvas(), 1, 1, mask, 0, clBlue);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
            EXPECT_EQ(pixelAt(surface, x, y), inside ? clRed : clWhite) << x << "," << y;
        }
    }
}

TEST(Blend, ForegroundMustMatchTheMaskAndBe24Bit) {
    TBitmap surface(8, 8, TPixelFormat::pf32bit);
    surface.Canvas().Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
    surface.Canvas().FillRect(QRect(0, 0, 8, 8));
    const auto before = readSurface(surface);
    TCnAAFont renderer(&surface.Canvas());
    TCnAAMask mask;
    testing::fill(mask, testing::uniform(4, 3, 255));
    const std::tuple<int, int, TPixelFormat> wrong[] = {
        {4, 2, TPixelFormat::pf24bit}, {5, 3, TPixelFormat::pf24bit}, {4, 3, TPixelFormat::pf32bit}};
    for (const auto& [w, h, format] : wrong) {
        TBitmap& fore = renderer.Blend().ForeBmp();
        fore.SetPixelFormat(format);
        fore.SetSize(w, h);
        try {
            renderer.Blend().BlendEx(*renderer.Canvas(), 0, 0, mask, 100);
            FAIL() << w << "x" << h;
        } catch (const EInvalidForeBmp& error) {
            EXPECT_STREQ(error.what(), "Invalid foreground bitmap!");
        }
        EXPECT_EQ(readSurface(surface), before);
    }
    // Without a surface nothing is drawn and nothing is checked.
    TCnAAFontEx detached(nullptr);
    EXPECT_NO_THROW(detached.TextOutput(0, 0, "A"));
}

TEST(Blend, CopyFromCopiesTheForeground) {
    TCnAABlend source;
    source.ForeBmp().SetSize(3, 2);
    source.ForeBmp().ScanLine(1)[2] = 77;
    TCnAABlend copy;
    copy.CopyFrom(&source);
    EXPECT_EQ(copy.ForeBmp().Width(), 3);
    EXPECT_EQ(copy.ForeBmp().ScanLine(1)[2], 77);
    TCnAAMask mask;
    EXPECT_THROW(copy.CopyFrom(&mask), EAssignError);
}

// CAICI_BASELINE_PIXELS=1 runs the baseline loops on any processor, so that
// the pixel tests registered with it check them.
TEST(PixelLoops, BaselineSwitchForcesTheBaselineLoops) {
    const char* baseline = std::getenv("CAICI_BASELINE_PIXELS");
    if (baseline == nullptr || std::string_view(baseline) != "1") GTEST_SKIP() << "CAICI_BASELINE_PIXELS is not 1";
    EXPECT_FALSE(pixelLoopsUseAvx2());
}

}  // namespace
}  // namespace caici
