#include <gtest/gtest.h>

#include <QPainter>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "effecttext/aa_font.h"
#include "effecttext/effect_errors.h"
#include "effecttext/glyph_outlines.h"
#include "effecttext/render_limits.h"
#include "render_stage.h"

namespace caici {
namespace {

using testing::Stage;

std::string repeated(const char* piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::set<int> levelsOf(const TCnAAMask& mask) {
    std::set<int> levels;
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) levels.insert(mask.ScanLine(y)[x]);
    }
    return levels;
}

// A word list entry of any length and a word size raised without bound cost
// no more than the surface: the text is cut to kMaxTextCharacters, the font
// capped at kMaxCharacterHeight, and only the part on the surface rendered.
TEST(RenderLimits, LongTextsAndHugeFontsCostNoMoreThanTheSurface) {
    Stage stage;
    TCnAAFontEx& renderer = stage.renderer;
    const std::string longText = repeated("猜", 2000);
    const std::string capped = repeated("猜", kMaxTextCharacters);
    EXPECT_EQ(drawableText(longText), capped);
    EXPECT_EQ(drawableText("ab猜"), "ab猜");
    const QSize extent = renderer.TextExtent(longText);
    EXPECT_EQ(extent, renderer.TextExtent(capped));
    EXPECT_GT(extent.width(), 60 * kMaxTextCharacters / 2);

    renderer.TextOutput(-20000, 10, longText);
    const TCnAAMask& mask = renderer.Mask();
    EXPECT_EQ(mask.BoxSize(), extent);
    EXPECT_EQ(mask.PartOrigin().x(), 20000 - 4);
    EXPECT_EQ(mask.Width(), 240 + 2 * 4);
    // Of the box's height, only the rows with ink.
    EXPECT_GT(mask.Height(), extent.height() / 2);
    EXPECT_LT(mask.Height(), extent.height());

    TCanvas& canvas = stage.surface.Canvas();
    canvas.Font().SetHeight(-kMaxCharacterHeight);
    const QSize largest = renderer.TextExtent("猜");
    canvas.Font().SetHeight(-1000000);
    EXPECT_EQ(renderer.TextExtent("猜"), largest);
}

// A part larger than the renderer draws at once is refused before anything
// is allocated for it.
TEST(RenderLimits, RefusesAPartLargerThanItDrawsAtOnce) {
    Stage stage;
    TCnAAMask& mask = stage.renderer.Mask();
    const std::string text = repeated("猜", kMaxTextCharacters);
    ASSERT_GT(mask.TextSize(stage.surface.Canvas().Font(), text).width(), kMaxMaskSide);
    try {
        mask.DrawMaskPart(stage.surface.Canvas().Font(), text, QRect(0, 0, kMaxMaskSide + 1, 50));
        ADD_FAILURE() << "no refusal";
    } catch (const ETextTooLarge& error) {
        EXPECT_NE(std::string(error.what()).find("太大"), std::string::npos) << error.what();
    }
    mask.DrawMaskPart(stage.surface.Canvas().Font(), text, QRect(1000, 0, 300, 200));
    EXPECT_EQ(mask.PartOrigin(), QPoint(1000, 0));
    EXPECT_EQ(mask.Width(), 300);
}

// A text partly off the surface is rendered only where it lands, and those
// pixels equal the same text drawn whole on a larger surface: the gradient,
// the texture and the mirrors belong to the whole box.
TEST(RenderLimits, APartDrawsWhatTheWholeTextDrawsThere) {
    QImage stripes(7, 5, QImage::Format_RGB32);
    for (int i = 0; i < 35; ++i) stripes.setPixel(i % 7, i / 7, qRgb(i * 7, 255 - i * 5, (i * 37) % 256));
    using Configure = std::function<void(TCnAAEffect&)>;
    const std::vector<std::pair<const char*, Configure>> cases = {
        {"plain", [](TCnAAEffect&) {}},
        {"gradient left to right",
         [](TCnAAEffect& e) {
             e.Gradual().SetEnabled(true);
             e.Gradual().SetStartColor(clRed);
             e.Gradual().SetEndColor(clLime);
         }},
        {"shadow, blurs, outline, centre gradient",
         [](TCnAAEffect& e) {
             e.Shadow().SetEnabled(true);
             e.Shadow().SetOffsetX(-4);
             e.Shadow().SetOffsetY(3);
             e.SetBlur(60);
             e.SetOutline(true);
             e.Gradual().SetEnabled(true);
             e.Gradual().SetStyle(TGradualStyle::gsCenterToLR);
         }},
        {"mirrors and gradient",
         [](TCnAAEffect& e) {
             e.SetHorzMirror(true);
             e.SetVertMirror(true);
             e.Gradual().SetEnabled(true);
             e.Gradual().SetStyle(TGradualStyle::gsTopToBottom);
         }},
        {"tiled texture",
         [stripes](TCnAAEffect& e) {
             e.Texture().PictureForUpdate().SetGraphic(stripes);
             e.Texture().SetEnabled(true);
         }},
        {"centred texture",
         [stripes](TCnAAEffect& e) {
             e.Texture().PictureForUpdate().SetGraphic(stripes.scaled(90, 40));
             e.Texture().SetMode(TTextureMode::tmCenter);
             e.Texture().SetEnabled(true);
         }},
        {"stretched texture",
         [stripes](TCnAAEffect& e) {
             e.Texture().PictureForUpdate().SetGraphic(stripes);
             e.Texture().SetMode(TTextureMode::tmStretched);
             e.Texture().SetEnabled(true);
         }},
        {"turned", [](TCnAAEffect& e) { e.SetAngle(20); }},
    };
    const QPoint offset(150, 90);
    for (const auto& [name, configure] : cases) {
        for (const TAAQuality quality : {TAAQuality::aqNone, TAAQuality::aqHigh}) {
            const auto draw = [&](TBitmap& surface, QPoint at) {
                TCanvas& canvas = surface.Canvas();
                canvas.Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
                canvas.FillRect(QRect(0, 0, surface.Width(), surface.Height()));
                canvas.Brush().Style = TBrushStyle::bsClear;
                canvas.Font().SetName("DejaVu Sans");
                canvas.Font().SetHeight(-70);
                canvas.Font().SetColor(clBlue);
                TCnAAFontEx renderer(&canvas);
                renderer.SetQuality(quality);
                configure(renderer.Effect());
                renderer.TextOutput(at.x(), at.y(), "Wave猜词");
                return renderer.Mask().Width();
            };
            TBitmap part(120, 40, TPixelFormat::pf32bit);
            const int partWidth = draw(part, QPoint(-70, -25));
            TBitmap whole(420, 220, TPixelFormat::pf32bit);
            const int wholeWidth = draw(whole, QPoint(-70, -25) + offset);
            EXPECT_LT(partWidth, wholeWidth) << name;
            ASSERT_EQ(part.Image(), whole.Image().copy(QRect(offset, part.Image().size())))
                << name << " at quality " << static_cast<int>(quality);
        }
    }
}

// Over a clear brush only the glyphs' ink and the reach of the effects
// around it is rendered, not the air of the line box; the surface must come
// out as from the whole box drawn by the same stages, byte for byte.
TEST(RenderLimits, TheInkAloneDrawsWhatTheWholeBoxDraws) {
    QImage stripes(7, 5, QImage::Format_RGB32);
    for (int i = 0; i < 35; ++i) stripes.setPixel(i % 7, i / 7, qRgb(i * 7, 255 - i * 5, (i * 37) % 256));
    using Configure = std::function<void(TFont&, TCnAAEffect&)>;
    const std::vector<std::pair<const char*, Configure>> cases = {
        {"plain", [](TFont&, TCnAAEffect&) {}},
        {"the word display's style",
         [](TFont&, TCnAAEffect& e) {
             e.Shadow().SetEnabled(true);
             e.Shadow().SetOffsetX(5);
             e.Shadow().SetOffsetY(5);
             e.Gradual().SetEnabled(true);
             e.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
         }},
        {"shadow up and left, blurs and outline at alpha 70",
         [](TFont&, TCnAAEffect& e) {
             e.Shadow().SetEnabled(true);
             e.Shadow().SetOffsetX(-6);
             e.Shadow().SetOffsetY(-3);
             e.Shadow().SetBlur(100);
             e.SetBlur(60);
             e.SetOutline(true);
             e.SetAlpha(70);
         }},
        {"mirrors and gradient",
         [](TFont&, TCnAAEffect& e) {
             e.SetHorzMirror(true);
             e.SetVertMirror(true);
             e.Gradual().SetEnabled(true);
             e.Gradual().SetStyle(TGradualStyle::gsLeftToRight);
         }},
        {"tiled texture",
         [stripes](TFont&, TCnAAEffect& e) {
             e.Texture().PictureForUpdate().SetGraphic(stripes);
             e.Texture().SetEnabled(true);
         }},
        {"turned", [](TFont&, TCnAAEffect& e) { e.SetAngle(20); }},
        {"italic and underlined",
         [](TFont& f, TCnAAEffect&) { f.SetStyle({TFontStyle::fsItalic, TFontStyle::fsUnderline}); }},
    };
    const char* const text = "Wave猜词";
    const QPoint at(12, 9);
    for (const auto& [name, configure] : cases) {
        for (const TAAQuality quality : {TAAQuality::aqNone, TAAQuality::aqNormal}) {
            const auto draw = [&](bool wholeBox) {
                auto surface = std::make_unique<TBitmap>(420, 160, TPixelFormat::pf32bit);
                for (int y = 0; y < surface->Height(); ++y) {
                    auto* row = reinterpret_cast<QRgb*>(surface->ScanLine(y));
                    for (int x = 0; x < surface->Width(); ++x) row[x] = qRgb(x % 251, (x * y) % 253, y % 247);
                }
                TCanvas& canvas = surface->Canvas();
                canvas.Brush().Style = TBrushStyle::bsClear;
                canvas.Font().SetName("DejaVu Sans");
                canvas.Font().SetHeight(-70);
                canvas.Font().SetColor(clBlue);
                TCnAAFontEx renderer(&canvas);
                renderer.SetQuality(quality);
                configure(canvas.Font(), renderer.Effect());
                if (!wholeBox) {
                    renderer.TextOutput(at.x(), at.y(), text);
                    const QSize box = renderer.Mask().BoxSize();
                    EXPECT_LT(renderer.Mask().Width() * renderer.Mask().Height(), box.width() * box.height()) << name;
                    return surface;
                }
                const TFont upright(canvas.Font());
                TLogFont turned = upright.LogFont();
                turned.Escapement = renderer.Effect().Angle() * 10;
                canvas.Font().SetLogFont(turned);
                renderer.ShapeMask(text, QRect(QPoint(0, 0), renderer.Mask().TextSize(canvas.Font(), text)));
                TCnAAMask shadow;
                renderer.FinishMasks(renderer.Mask(), shadow);
                renderer.DrawLayers(at.x(), at.y(), shadow);
                canvas.Font().Assign(upright);
                return surface;
            };
            const auto inkOnly = draw(false);
            const auto whole = draw(true);
            ASSERT_EQ(inkOnly->Image(), whole->Image()) << name << " at quality " << static_cast<int>(quality);
        }
    }
}

// A turned text larger than 64 pixels keeps its hard-edged samples: the
// smoothing must come from the supersampling alone.
TEST(RenderedMask, TurnedTextKeepsHardEdgedSamplesAtEverySize) {
    for (const int height : {40, 100, 240}) {
        for (const int angle : {30, -75}) {
            Stage stage;
            stage.renderer.Effect().SetAngle(static_cast<TAngle>(angle));
            for (const TAAQuality quality : {TAAQuality::aqNone, TAAQuality::aqHigh}) {
                stage.surface.Canvas().Font().SetHeight(-height);
                stage.renderer.SetQuality(quality);
                const QSize box = stage.renderer.TextExtent("猜Ag");
                stage.renderer.TextOutput((240 - box.width()) / 2, (120 - box.height()) / 2, "猜Ag");
                const std::set<int> levels = levelsOf(stage.renderer.Mask());
                if (quality == TAAQuality::aqNone) {
                    EXPECT_EQ(levels, (std::set<int>{0, 255})) << height << " px at " << angle;
                } else {
                    for (const int level : levels) {
                        EXPECT_EQ((level * 16 + 15) / 255 * 255 / 16, level) << height << " px at " << angle;
                    }
                }
            }
        }
    }
}

// Upright glyphs above 64 pixels are filled outline by outline; the result
// is what Qt draws for the whole text at once, which it no longer may for a
// long text.
TEST(HardEdgedText, FillsUprightOutlinesAsQtDrawsTheText) {
    for (const char* face : {"DejaVu Sans", "Noto Sans CJK SC"}) {
        for (const int pixels : {65, 100, 224, 672}) {
            QFont font(QString::fromUtf8(face));
            font.setPixelSize(pixels);
            font.setBold(true);
            font.setStyleStrategy(QFont::NoAntialias);
            const QString text = QString::fromUtf8("猜Ag·哈利 Wave");
            const QSize size(pixels * 14, pixels * 2);
            QImage ours(size, QImage::Format_Grayscale8);
            ours.fill(0);
            HardEdgedText(font, text, 0.0).draw(ours, QPointF(3, 2));
            QImage qts(size, QImage::Format_Grayscale8);
            qts.fill(0);
            {
                QPainter painter(&qts);
                painter.setFont(font);
                painter.setPen(Qt::white);
                painter.drawText(QPointF(3, 2 + QFontMetrics(font).ascent()), text);
            }
            EXPECT_EQ(ours, qts) << face << " " << pixels;
        }
    }
}

}  // namespace
}  // namespace caici
