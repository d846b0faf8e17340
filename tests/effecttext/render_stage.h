#pragma once
// A white surface with a sizeable font (DejaVu Sans bold, 60 px, blue), and a
// renderer on it at aqNone; for the renderer's tests.

#include <cstdint>

#include "effecttext/aa_font.h"

namespace caici::testing {

// Surface pixel as 0x00BBGGRR, whatever the surface's byte layout.
inline TColor pixelAt(const TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4);
    return fromRgb(p[2], p[1], p[0]);
}

struct Stage {
    TBitmap surface{240, 120, TPixelFormat::pf32bit};
    TCnAAFontEx renderer{&surface.Canvas()};
    Stage() {
        TCanvas& canvas = surface.Canvas();
        canvas.Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
        canvas.FillRect(QRect(0, 0, 240, 120));
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().SetName("DejaVu Sans");
        canvas.Font().SetHeight(-60);
        canvas.Font().SetStyle({TFontStyle::fsBold});
        canvas.Font().SetColor(clBlue);
        renderer.SetQuality(TAAQuality::aqNone);
    }
};

}  // namespace caici::testing
