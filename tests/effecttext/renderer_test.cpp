#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "common/random_source.h"
#include "effecttext/aa_font.h"
#include "mask_fixtures.h"
#include "render_stage.h"

namespace caici {
namespace {

using testing::pixelAt;
using testing::Stage;

// The word display's gradient: gsCenterToTB from 2204408 at the edges to
// nearly yellow in the middle.
TEST(Gradient, WordDisplayExampleOnA300RowMask) {
    Stage stage;
    TCnAAFontEx& renderer = stage.renderer;
    renderer.Mask().SetSize(4, 300);
    TCnAAGradual& gradual = renderer.Effect().Gradual();
    gradual.SetEnabled(true);
    gradual.SetStyle(TGradualStyle::gsCenterToTB);
    gradual.SetStartColor(65535);
    gradual.SetEndColor(2204408);
    renderer.FillGradient();
    const TBitmap& fore = renderer.Blend().ForeBmp();
    ASSERT_EQ(fore.Width(), 4);
    ASSERT_EQ(fore.Height(), 300);
    EXPECT_EQ(pixelAt(fore, 0, 0), fromRgb(248, 162, 33));
    EXPECT_EQ(pixelAt(fore, 3, 299), fromRgb(248, 162, 33));
    EXPECT_EQ(pixelAt(fore, 1, 149), fromRgb(254, 254, 1));
    EXPECT_EQ(pixelAt(fore, 2, 150), fromRgb(254, 254, 1));
}

// Entries run from + (to - from) * i / n, truncated; the to colour is never reached.
TEST(Gradient, DirectionsAndRampEntries) {
    struct Case {
        TGradualStyle style;
        QPoint at;
        TColor expected;
    };
    const TColor start = fromRgb(0, 100, 200);
    const TColor end = fromRgb(100, 0, 50);
    const Case cases[] = {
        {TGradualStyle::gsLeftToRight, {0, 3}, start},
        {TGradualStyle::gsLeftToRight, {9, 0}, fromRgb(90, 10, 65)},
        {TGradualStyle::gsRightToLeft, {0, 0}, end},
        {TGradualStyle::gsRightToLeft, {9, 5}, fromRgb(10, 90, 185)},
        {TGradualStyle::gsTopToBottom, {7, 0}, start},
        {TGradualStyle::gsTopToBottom, {7, 5}, fromRgb(83, 17, 75)},
        {TGradualStyle::gsBottomToTop, {2, 0}, end},
        {TGradualStyle::gsCenterToLR, {9, 1}, end},
        {TGradualStyle::gsCenterToLR, {4, 1}, fromRgb(20, 80, 170)},
        {TGradualStyle::gsCenterToLR, {5, 1}, fromRgb(20, 80, 170)},
        {TGradualStyle::gsCenterToTB, {0, 2}, fromRgb(34, 66, 150)},
        {TGradualStyle::gsCenterToTB, {0, 3}, fromRgb(34, 66, 150)},
    };
    for (const Case& c : cases) {
        Stage stage;
        stage.renderer.Mask().SetSize(10, 6);
        TCnAAGradual& gradual = stage.renderer.Effect().Gradual();
        gradual.SetEnabled(true);
        gradual.SetStyle(c.style);
        gradual.SetStartColor(start);
        gradual.SetEndColor(end);
        stage.renderer.FillGradient();
        EXPECT_EQ(pixelAt(stage.renderer.Blend().ForeBmp(), c.at.x(), c.at.y()), c.expected)
            << static_cast<int>(c.style) << " at " << c.at.x() << "," << c.at.y();
    }
}

// Noise 10 puts each channel between colour - 5 and colour + 4, drawn red,
// green, blue per pixel from the shared generator.
TEST(Noise, FillNoiseStaysInRangeAndDrawsInOrder) {
    Stage stage;
    stage.surface.Canvas().Font().SetColor(fromRgb(100, 150, 2));
    stage.renderer.Effect().SetNoise(10);
    stage.renderer.Mask().SetSize(9, 5);
    processRandom().setSeed(99);
    stage.renderer.FillNoise();
    RandomSource reference;
    reference.setSeed(99);
    const TBitmap& fore = stage.renderer.Blend().ForeBmp();
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int r = static_cast<int>(reference.random(10)) + 100 - 5;
            const int g = static_cast<int>(reference.random(10)) + 150 - 5;
            const int b = std::max(static_cast<int>(reference.random(10)) + 2 - 5, 0);
            EXPECT_EQ(pixelAt(fore, x, y), fromRgb(r, g, b)) << x << "," << y;
        }
    }
}

TEST(Noise, AddNoiseWalksBytesInMemoryOrderAndClamps) {
    Stage stage;
    TBitmap& fore = stage.renderer.Blend().ForeBmp();
    fore.SetSize(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int i = 0; i < 15; ++i) fore.ScanLine(y)[i] = static_cast<std::uint8_t>(i % 3 == 0 ? 254 : 1);
    }
    processRandom().setSeed(5);
    stage.renderer.AddNoise(8);
    RandomSource reference;
    reference.setSeed(5);
    for (int y = 0; y < 3; ++y) {
        for (int i = 0; i < 15; ++i) {
            const int base = i % 3 == 0 ? 254 : 1;
            EXPECT_EQ(fore.ScanLine(y)[i], std::clamp(base + static_cast<int>(reference.random(8)) - 4, 0, 255));
        }
    }
}

// With the shadow on, the extent grows by |OffsetX|, |OffsetY|; without a
// surface the text measures (0, 0) and the offsets are still added.
TEST(Renderer, TextExtentGrowsByTheShadowOffsets) {
    Stage stage;
    const QSize plain = stage.renderer.TextExtent("Ag");
    EXPECT_GT(plain.width(), 0);
    TCnAAShadow& shadow = stage.renderer.Effect().Shadow();
    shadow.SetEnabled(true);
    shadow.SetOffsetX(5);
    shadow.SetOffsetY(-3);
    EXPECT_EQ(stage.renderer.TextExtent("Ag"), plain + QSize(5, 3));
    EXPECT_EQ(stage.renderer.TextWidth("Ag"), plain.width() + 5);
    EXPECT_EQ(stage.renderer.TextHeight("Ag"), plain.height() + 3);
    TCnAAFontEx detached(nullptr);
    detached.Effect().SetShadow(shadow);
    EXPECT_EQ(detached.TextExtent("Ag"), QSize(5, 3));
}

// The ink extent holds every pixel the drawing changes and hugs it: it is
// what a caller sizes and places a text by when it must fill an area.
TEST(Renderer, InkExtentHoldsWhatIsDrawnAndLittleMore) {
    struct Case {
        const char* name;
        const char* text;
        TAAQuality quality;
        std::function<void(TFont&, TCnAAEffect&)> set;
        // How far the extent may reach past the drawn pixels: glyph boxes
        // are whole pixels, a blur fades out, a turned box's corners are empty.
        int slack;
    };
    const auto none = [](TFont&, TCnAAEffect&) {};
    const auto shadow = [](int x, int y, int blur) {
        return [=](TFont&, TCnAAEffect& effect) {
            effect.Shadow().SetEnabled(true);
            effect.Shadow().SetOffsetX(static_cast<TOffset>(x));
            effect.Shadow().SetOffsetY(static_cast<TOffset>(y));
            effect.Shadow().SetBlur(blur);
        };
    };
    const Case cases[] = {
        {"plain", "Ag", TAAQuality::aqNone, none, 2},
        {"chinese and a fallback face", "猜词 Ag", TAAQuality::aqNone, none, 2},
        {"high quality", "猜词", TAAQuality::aqHigh, none, 2},
        {"normal quality", "Wg", TAAQuality::aqNormal, none, 2},
        {"shadow", "成功", TAAQuality::aqNone, shadow(5, 5, 0), 2},
        {"shadow up and left, blurred", "Ag", TAAQuality::aqNone, shadow(-6, -3, 80), 3},
        {"outline", "Ag", TAAQuality::aqNone, [](TFont&, TCnAAEffect& e) { e.SetOutline(true); }, 2},
        {"blur", "Ag", TAAQuality::aqNone, [](TFont&, TCnAAEffect& e) { e.SetBlur(100); }, 3},
        {"mirrors", "Ag", TAAQuality::aqNone,
         [](TFont&, TCnAAEffect& e) {
             e.SetHorzMirror(true);
             e.SetVertMirror(true);
         },
         2},
        {"turned", "Ag", TAAQuality::aqNone, [](TFont&, TCnAAEffect& e) { e.SetAngle(30); }, 20},
        {"italic", "fly", TAAQuality::aqNone, [](TFont& f, TCnAAEffect&) { f.SetStyle({TFontStyle::fsItalic}); }, 2},
        {"underlined", "ij", TAAQuality::aqNone, [](TFont& f, TCnAAEffect&) { f.SetStyle({TFontStyle::fsUnderline}); },
         2},
        {"small, through the glyph cache", "Ag", TAAQuality::aqNone, [](TFont& f, TCnAAEffect&) { f.SetHeight(-14); },
         2},
    };
    const QPoint at(40, 30);
    for (const Case& c : cases) {
        TBitmap surface(400, 240, TPixelFormat::pf32bit);
        TCnAAFontEx renderer(&surface.Canvas());
        TCanvas& canvas = surface.Canvas();
        canvas.Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
        canvas.FillRect(QRect(0, 0, surface.Width(), surface.Height()));
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().SetName("DejaVu Sans");
        canvas.Font().SetHeight(-60);
        canvas.Font().SetColor(clBlue);
        renderer.SetQuality(c.quality);
        c.set(canvas.Font(), renderer.Effect());
        const QRect measured = renderer.InkExtent(c.text).translated(at);
        renderer.TextOutput(at.x(), at.y(), c.text);
        QRect drawn;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                if (pixelAt(surface, x, y) != clWhite) drawn |= QRect(x, y, 1, 1);
            }
        }
        ASSERT_FALSE(drawn.isEmpty()) << c.name;
        EXPECT_TRUE(measured.contains(drawn)) << c.name;
        EXPECT_LE(drawn.left() - measured.left(), c.slack) << c.name;
        EXPECT_LE(drawn.top() - measured.top(), c.slack) << c.name;
        EXPECT_LE(measured.right() - drawn.right(), c.slack) << c.name;
        EXPECT_LE(measured.bottom() - drawn.bottom(), c.slack) << c.name;
    }
    TCnAAFontEx detached(nullptr);
    EXPECT_TRUE(detached.InkExtent("Ag").isEmpty());
    Stage stage;
    EXPECT_TRUE(stage.renderer.InkExtent("   ").isEmpty());
    EXPECT_TRUE(stage.renderer.InkExtent("").isEmpty());
}

// Body at the text position, shadow offset from it, both inside the extent box.
TEST(Renderer, ShadowAndBodyPositionsForBothSigns) {
    struct Case {
        int offset;
        QPoint body;
        QPoint shadow;
    };
    const Case cases[] = {{5, {10, 20}, {15, 25}}, {-5, {15, 25}, {10, 20}}};
    for (const Case& c : cases) {
        Stage stage;
        TCnAAEffect& effect = stage.renderer.Effect();
        effect.Shadow().SetEnabled(true);
        effect.Shadow().SetOffsetX(static_cast<TOffset>(c.offset));
        effect.Shadow().SetOffsetY(static_cast<TOffset>(c.offset));
        effect.Shadow().SetBlur(0);
        effect.Shadow().SetAlpha(100);
        effect.Shadow().SetColor(clRed);
        stage.renderer.TextOutput(10, 20, "Ag");
        const TCnAAMask& mask = stage.renderer.Mask();
        ASSERT_GT(mask.Width(), 0);
        // aqNone: coverage is 0 or 255, so every pixel is exactly one of three colours.
        int bodyPixels = 0;
        for (int y = 0; y < stage.surface.Height(); ++y) {
            for (int x = 0; x < stage.surface.Width(); ++x) {
                // The mask holds the part of the text's box that has ink.
                const auto covered = [&](QPoint at) {
                    const int mx = x - at.x() - mask.PartOrigin().x();
                    const int my = y - at.y() - mask.PartOrigin().y();
                    return mx >= 0 && my >= 0 && mx < mask.Width() && my < mask.Height() && mask.ScanLine(my)[mx] == 255;
                };
                const TColor expected = covered(c.body) ? clBlue : covered(c.shadow) ? clRed : clWhite;
                bodyPixels += expected == clBlue;
                ASSERT_EQ(pixelAt(stage.surface, x, y), expected) << "offset " << c.offset << " at " << x << "," << y;
            }
        }
        EXPECT_GT(bodyPixels, 50);
    }
}

// The body is filled from the first of texture (with a picture), gradient,
// noise, and the font colour.
TEST(Renderer, BodyFallsBackFromTextureToGradientToNoiseToFontColour) {
    struct Case {
        const char* name;
        bool texture;
        bool picture;
        bool gradient;
        int noise;
        TColor body;  // -1: noise, only checked to be near the font colour
    };
    const Case cases[] = {
        {"texture", true, true, true, 0, clRed},
        {"empty texture -> gradient", true, false, true, 0, clLime},
        {"gradient", false, true, true, 0, clLime},
        {"noise", true, false, false, 6, -1},
        {"plain", false, false, false, 0, clBlue},
    };
    for (const Case& c : cases) {
        Stage stage;
        TCnAAEffect& effect = stage.renderer.Effect();
        effect.Texture().SetEnabled(c.texture);
        effect.Texture().SetMode(TTextureMode::tmNormal);
        if (c.picture) {
            QImage red(400, 200, QImage::Format_RGB32);
            red.fill(Qt::red);
            effect.Texture().PictureForUpdate().SetGraphic(red);
        }
        effect.Gradual().SetEnabled(c.gradient);
        effect.Gradual().SetStartColor(clLime);
        effect.Gradual().SetEndColor(clLime);
        effect.SetNoise(static_cast<TNoiseAmount>(c.noise));
        stage.renderer.Blend().ForeBmp().SetSize(1, 1);
        stage.renderer.TextOutput(0, 0, "H");
        const TCnAAMask& mask = stage.renderer.Mask();
        int checked = 0;
        for (int y = 0; y < mask.Height(); ++y) {
            for (int x = 0; x < mask.Width(); ++x) {
                if (mask.ScanLine(y)[x] != 255) continue;
                ++checked;
                const Rgb got = toRgb(pixelAt(stage.surface, x + mask.PartOrigin().x(), y + mask.PartOrigin().y()));
                if (c.body >= 0) {
                    ASSERT_EQ(got, toRgb(c.body)) << c.name;
                } else {
                    ASSERT_LE(got.b, 255);
                    ASSERT_GE(got.b, 255 - 3) << c.name;
                    ASSERT_LE(got.r, 2) << c.name;
                }
            }
        }
        EXPECT_GT(checked, 20) << c.name;
        if (c.body == clBlue) {
            EXPECT_EQ(stage.renderer.Blend().ForeBmp().Width(), 1) << "plain body fills nothing";
        }
    }
}

TEST(Renderer, RestoresTheSurfaceFontAndBrushAndIgnoresEmptyText) {
    Stage stage;
    TCanvas& canvas = stage.surface.Canvas();
    const TLogFont before = canvas.Font().LogFont();
    stage.renderer.Effect().SetAngle(30);
    stage.renderer.Effect().Shadow().SetEnabled(true);
    canvas.Brush().Style = TBrushStyle::bsSolid;
    stage.renderer.TextExtent("Ag");
    stage.renderer.TextOutput(5, 5, "Ag");
    EXPECT_EQ(canvas.Font().LogFont(), before);
    EXPECT_EQ(canvas.Brush().Style, TBrushStyle::bsSolid);

    Stage empty;
    const QImage untouched = empty.surface.Image().copy();
    empty.renderer.TextOutput(0, 0, "");
    EXPECT_EQ(empty.surface.Image(), untouched);
}

// Font-dependent, kept tolerant: hard edges at aqNone, 16-sample levels at
// aqHigh, sizes that agree across qualities, rotation and italic.
TEST(RenderedMask, QualitiesRotationAndItalic) {
    Stage stage;
    TCnAAMask& mask = stage.renderer.Mask();
    std::map<TAAQuality, QSize> sizes;
    for (const TAAQuality quality : {TAAQuality::aqHigh, TAAQuality::aqNormal, TAAQuality::aqLow, TAAQuality::aqNone}) {
        stage.renderer.SetQuality(quality);
        mask.DrawMask(stage.surface.Canvas().Font(), "猜Ag");
        sizes[quality] = QSize(mask.Width(), mask.Height());
        EXPECT_EQ(QSize(mask.Width(), mask.Height()), mask.TextSize(stage.surface.Canvas().Font(), "猜Ag"));
        std::set<int> levels;
        for (int y = 0; y < mask.Height(); ++y) {
            for (int x = 0; x < mask.Width(); ++x) levels.insert(mask.ScanLine(y)[x]);
        }
        EXPECT_TRUE(levels.count(0) == 1);
        if (quality == TAAQuality::aqNone) {
            EXPECT_EQ(levels, (std::set<int>{0, 255}));
        }
        if (quality == TAAQuality::aqHigh) {
            for (const int level : levels) EXPECT_EQ((level * 16 + 15) / 255 * 255 / 16, level) << level;
            EXPECT_GT(levels.size(), 5u);
        }
    }
    for (const auto& [quality, size] : sizes) {
        EXPECT_NEAR(size.width(), sizes[TAAQuality::aqNone].width(), 4) << static_cast<int>(quality);
        EXPECT_NEAR(size.height(), sizes[TAAQuality::aqNone].height(), 4) << static_cast<int>(quality);
    }

    stage.renderer.SetQuality(TAAQuality::aqNone);
    const QSize upright = mask.TextSize(stage.surface.Canvas().Font(), "Ag");
    stage.renderer.Effect().SetAngle(90);
    const QSize turned = stage.renderer.TextExtent("Ag");
    EXPECT_NEAR(turned.width(), upright.height(), 1);
    EXPECT_NEAR(turned.height(), upright.width(), 1);
    {
        // Rotated glyphs keep hard edges too: the rotation happens in the supersampled raster.
        stage.surface.Canvas().Font().SetLogFont([&] {
            TLogFont log = stage.surface.Canvas().Font().LogFont();
            log.Escapement = 300;
            return log;
        }());
        mask.DrawMask(stage.surface.Canvas().Font(), "Ag");
        std::set<int> levels;
        for (int y = 0; y < mask.Height(); ++y) {
            for (int x = 0; x < mask.Width(); ++x) levels.insert(mask.ScanLine(y)[x]);
        }
        EXPECT_EQ(levels, (std::set<int>{0, 255}));
        TLogFont upright = stage.surface.Canvas().Font().LogFont();
        upright.Escapement = 0;
        stage.surface.Canvas().Font().SetLogFont(upright);
    }
    stage.renderer.Effect().SetAngle(0);

    stage.surface.Canvas().Font().SetStyle({TFontStyle::fsItalic});
    const QSize slanted = mask.TextSize(stage.surface.Canvas().Font(), "Ag");
    EXPECT_GT(slanted.width(), upright.width());
}

}  // namespace
}  // namespace caici
