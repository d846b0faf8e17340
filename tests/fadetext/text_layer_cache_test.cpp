#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/random_source.h"
#include "effecttext/bitmap.h"
#include "fadetext/text_layer_cache.h"
#include "fade_text_fixture.h"

namespace caici {
namespace {

using Configure = std::function<void(TCnAAEffect&)>;

// Diagonal stripes of two colours that change with the pass, so that every
// pass draws over a different background.
void paintBackground(TBitmap& image, int pass) {
    for (int y = 0; y < image.Height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.ScanLine(y));
        for (int x = 0; x < image.Width(); ++x) {
            row[x] = ((x + y + pass * 3) / 5) % 2 == 0 ? qRgb(200, 40 * pass, 30) : qRgb(10, 90, 250 - 30 * pass);
        }
    }
}

QImage render(bool cached, TextLayerCache& cache, const Configure& configure, int pass, const char* text) {
    TBitmap image(160, 70, TPixelFormat::pf32bit);
    paintBackground(image, pass);
    TCnAAFontEx renderer(&image.Canvas());
    TFont& font = image.Canvas().Font();
    font.SetName(testing::kTestFace);
    font.SetHeight(-40);
    font.SetColor(fromRgb(20, 160, 40));
    configure(renderer.Effect());
    image.Canvas().Brush().Style = TBrushStyle::bsClear;
    processRandom().setSeed(1234u + static_cast<unsigned>(pass));
    if (cached) {
        cache.TextOutput(renderer, 6, 4, text);
    } else {
        renderer.TextOutput(6, 4, text);
    }
    return image.Image().copy();
}

// Each effect set is drawn over four different backgrounds, alternating two
// texts, through one cache; every frame must equal a fresh rendering.
TEST(TextLayerCache, DrawsExactlyWhatAFreshRenderingDraws) {
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int i = 0; i < 15; ++i) picture.setPixel(i % 5, i / 5, qRgb(i * 17, 255 - i * 9, i * 5));
    const std::vector<std::pair<const char*, Configure>> cases = {
        {"plain", [](TCnAAEffect&) {}},
        {"shadow and gradient",
         [](TCnAAEffect& e) {
             e.Shadow().SetEnabled(true);
             e.Shadow().SetOffsetX(-4);
             e.Shadow().SetOffsetY(3);
             e.Gradual().SetEnabled(true);
             e.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
         }},
        {"noise over gradient",
         [](TCnAAEffect& e) {
             e.Gradual().SetEnabled(true);
             e.SetNoise(60);
         }},
        {"noise alone", [](TCnAAEffect& e) { e.SetNoise(90); }},
        {"spray, shadow, blur and mirrors",
         [](TCnAAEffect& e) {
             e.SetSpray(3);
             e.SetBlur(40);
             e.SetHorzMirror(true);
             e.SetVertMirror(true);
             e.Shadow().SetEnabled(true);
         }},
        {"outline with texture",
         [picture](TCnAAEffect& e) {
             e.SetOutline(true);
             e.Texture().PictureForUpdate().SetGraphic(picture);
             e.Texture().SetEnabled(true);
             e.SetAlpha(70);
         }},
        {"rotated", [](TCnAAEffect& e) { e.SetAngle(30); }},
    };
    for (const auto& [name, configure] : cases) {
        TextLayerCache cache;
        for (int pass = 0; pass < 4; ++pass) {
            const char* text = pass % 2 == 0 ? "猜词" : "Ab";
            const QImage fresh = render(false, cache, configure, pass, text);
            const QImage reused = render(true, cache, configure, pass, text);
            ASSERT_EQ(reused, fresh) << name << ", pass " << pass;
        }
    }
}

// A changed setting, font or text is never served from the cache.
TEST(TextLayerCache, FollowsEveryChangeOfWhatIsDrawn) {
    TextLayerCache cache;
    const std::vector<Configure> steps = {
        [](TCnAAEffect&) {},
        [](TCnAAEffect& e) { e.Shadow().SetEnabled(true); },
        [](TCnAAEffect& e) {
            e.Shadow().SetEnabled(true);
            e.Shadow().SetBlur(20);
        },
        [](TCnAAEffect& e) {
            e.Gradual().SetEnabled(true);
            e.Gradual().SetEndColor(clRed);
        },
        [](TCnAAEffect& e) {
            e.Gradual().SetEnabled(true);
            e.Gradual().SetEndColor(clBlue);
        },
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        ASSERT_EQ(render(true, cache, steps[i], 1, "同"), render(false, cache, steps[i], 1, "同")) << i;
    }
}

}  // namespace
}  // namespace caici
