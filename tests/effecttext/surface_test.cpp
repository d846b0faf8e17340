#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>

#include "effecttext/bitmap.h"
#include "effecttext/font.h"

namespace caici {
namespace {

// MulDiv rounds to nearest with halves away from zero; sizes follow at 96 dpi.
TEST(Font, SizeAndHeightConvertAt96Dpi) {
    EXPECT_EQ(mulDiv(3, 1, 2), 2);
    EXPECT_EQ(mulDiv(-3, 1, 2), -2);
    EXPECT_EQ(mulDiv(5, 2, 3), 3);
    EXPECT_EQ(mulDiv(1, 1, 0), -1);
    struct Case {
        int height;
        int size;
    };
    const Case cases[] = {{-224, 168}, {-64, 48}, {-237, 178}, {-11, 8}, {-32, 24}, {16, -12}};
    for (const Case& c : cases) {
        TFont font;
        font.SetHeight(c.height);
        EXPECT_EQ(font.Size(), c.size) << c.height;
    }
    TFont font;
    font.SetSize(168);
    EXPECT_EQ(font.Height(), -224);
    font.SetSize(178);  // the word display after one F1
    EXPECT_EQ(font.Height(), -237);
    EXPECT_EQ(font.Size(), 178);
}

TEST(Font, ReportsEffectiveChangesAndAssignOnce) {
    int reports = 0;
    TFont font;
    font.SetOnChange([&] { ++reports; });
    font.SetHeight(font.Height());
    font.SetName(font.Name());
    font.SetStyle(font.Style());
    EXPECT_EQ(reports, 0);
    font.SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
    EXPECT_EQ(font.LogFont().Weight, FW_BOLD);
    EXPECT_TRUE(font.Style().Contains(TFontStyle::fsUnderline));
    font.SetColor(clRed);
    font.SetCharset(GB2312_CHARSET);
    EXPECT_EQ(reports, 3);

    TFont other;
    other.SetName("隶书");
    font.Assign(other);
    EXPECT_EQ(reports, 4);
    EXPECT_TRUE(font.SameAs(other));
    const TFont copy(font);  // copies values, not the listener
    EXPECT_TRUE(copy.SameAs(font));
}

// Windows faces resolve to an installed face that has the game's characters.
TEST(Font, WindowsFacesResolveToInstalledCjkFaces) {
    for (const char* face : {"微软雅黑", "黑体", "楷体_GB2312", "隶书", "Microsoft YaHei"}) {
        TLogFont log;
        log.FaceName = face;
        log.Height = -40;
        const QFont font = toQFont(log);
        EXPECT_EQ(font.pixelSize(), 40);
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x731C))) << face << " -> " << QFontInfo(font).family().toStdString();
    }
    TLogFont cell;
    cell.FaceName = "DejaVu Sans";
    cell.Height = 40;  // positive: the cell, ascent plus descent
    const QFontMetrics metrics(toQFont(cell));
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), 40, 2);
}

TEST(Colors, PlainAndSystemColoursResolve) {
    EXPECT_EQ(ColorToRGB(2204408), 2204408);
    EXPECT_EQ(toRgb(2204408), (Rgb{248, 162, 33}));
    EXPECT_EQ(toRgb(clYellow), (Rgb{255, 255, 0}));
    EXPECT_EQ(ColorToRGB(0x02FF0000), 0xFF0000);
    const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
    EXPECT_EQ(toRgb(clWindowText), (Rgb{static_cast<std::uint8_t>(text.red()), static_cast<std::uint8_t>(text.green()),
                                        static_cast<std::uint8_t>(text.blue())}));
    EXPECT_EQ(ColorToRGB(systemColor(200)), clBlack);
}

TEST(Bitmap, ResizeKeepsTheOverlapAndFormatsHaveTheirLayout) {
    TBitmap bitmap(4, 3, TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_BGR888);
    bitmap.ScanLine(1)[3] = 9;  // pixel 1 of row 1, blue
    bitmap.SetSize(6, 5);
    EXPECT_EQ(bitmap.ScanLine(1)[3], 9);
    EXPECT_EQ(bitmap.ScanLine(4)[17], 0);
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Height(), 5);

    TBitmap frame(2, 2, TPixelFormat::pf32bit);
    frame.Canvas().Brush() = TBrush{fromRgb(10, 20, 30), TBrushStyle::bsSolid};
    frame.Canvas().FillRect(QRect(0, 0, 2, 2));
    const std::uint8_t* p = frame.ScanLine(1) + 4;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
}

TEST(Canvas, TextOutDrawsInTheFontColourInsideItsExtent) {
    TBitmap bitmap(200, 80, TPixelFormat::pf32bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush() = TBrush{clWhite, TBrushStyle::bsSolid};
    canvas.FillRect(QRect(0, 0, 200, 80));
    canvas.Font().SetName("DejaVu Sans");
    canvas.Font().SetHeight(-30);
    canvas.Font().SetColor(clRed);
    canvas.Brush().Style = TBrushStyle::bsClear;
    const QSize extent = canvas.TextExtent("HH");
    canvas.TextOut(10, 20, "HH");
    int red = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QRgb pixel = bitmap.Image().pixel(x, y);
            if (pixel == qRgb(255, 0, 0)) {
                ++red;
                EXPECT_TRUE(QRect(QPoint(10, 20), extent).contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(red, 50);
}

}  // namespace
}  // namespace caici
