#include <gtest/gtest.h>

#include <QPainter>

#include "effecttext/bitmap.h"
#include "fade_text_fixture.h"

namespace caici {
namespace {

// Paints stripes of two colours, vertical or horizontal, 4 pixels wide.
class Stripes : public QWidget {
public:
    Stripes(QWidget* parent, QColor a, QColor b, bool vertical) : QWidget(parent), a_(a), b_(b), vertical_(vertical) {}

    QColor colourAt(QPoint local) const {
        const int coordinate = vertical_ ? local.x() : local.y();
        return (coordinate / 4) % 2 == 0 ? a_ : b_;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int i = 0; i < (vertical_ ? width() : height()); ++i) {
            painter.setPen(colourAt(vertical_ ? QPoint(i, 0) : QPoint(0, i)));
            if (vertical_) {
                painter.drawLine(i, 0, i, height() - 1);
            } else {
                painter.drawLine(0, i, width() - 1, i);
            }
        }
    }

private:
    QColor a_, b_;
    bool vertical_;
};

// A transparent control over a striped window, a striped sibling below it
// (covering its right half) and a plain sibling above it: every fade step
// shows the stripes around the text, and never the sibling above.
TEST(Transparency, ShowsWhatLiesBeneathAtEveryStep) {
    Stripes window(nullptr, Qt::red, Qt::blue, true);
    window.resize(400, 200);
    Stripes below(&window, Qt::green, Qt::yellow, false);
    below.setGeometry(200, 0, 200, 200);
    auto* text = new TCnAAFadeText(&window);
    text->setGeometry(20, 40, 360, 120);
    QWidget above(&window);
    above.setAutoFillBackground(true);
    QPalette palette = above.palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    above.setPalette(palette);
    above.setGeometry(0, 0, 60, 60);
    above.raise();

    text->Fonts().AddFontLabel("Title1", testing::kTestFace, 20, clBlack, {}, true, 2, 2);
    text->CreateDefaultLabels();
    text->Text().SetLineDelay(1000);
    text->Text().SetFadeDelay(50);
    text->Text().SetTransparent(true);
    text->Text().Lines().Assign({"<Title1><Left>一", "<Title1><Left>二"});
    text->SetActive(false);
    window.show();
    QApplication::processEvents();

    const auto expectBackground = [&](const char* when) {
        const QImage frame = text->DisplayImage().Image();
        ASSERT_EQ(frame.size(), QSize(360, 120)) << when;
        int magenta = 0;
        // The text sits at the left; everything right of x = 80 is background.
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 80; x < frame.width(); ++x) {
                const QPoint inWindow(x + 20, y + 40);
                const QColor expected = inWindow.x() >= 200 ? below.colourAt(inWindow - below.pos())
                                                            : window.colourAt(inWindow);
                ASSERT_EQ(frame.pixelColor(x, y), expected) << when << " at " << x << "," << y;
            }
            for (int x = 0; x < frame.width(); ++x) magenta += frame.pixelColor(x, y) == QColor(Qt::magenta);
        }
        EXPECT_EQ(magenta, 0) << when;
    };

    text->SetActive(true);
    expectBackground("first line");
    while (text->Fading()) {
        text->FadeStep();
        expectBackground("fading in");
    }
    text->NextLine();
    while (text->Fading()) {
        text->FadeStep();
        expectBackground("cross-fading");
    }
    // The text itself is drawn over the stripes.
    EXPECT_GT(testing::inkedPixels(text->DisplayImage().Image().copy(0, 0, 80, 120)), 0);
}

TEST(Transparency, WithoutAParentNothingIsPaintedBeneath) {
    TCnAAFadeText text;
    TBitmap image(10, 10);
    image.Canvas().Brush().Color = clRed;
    image.Canvas().FillRect(QRect(0, 0, 10, 10));
    text.CopyParentBackground(image.Canvas());
    EXPECT_EQ(image.Image().pixelColor(5, 5), QColor(Qt::red));
}

// Where each placement puts a 4 x 2 picture in a 10 x 6 rectangle at (1, 1)
// of a 12 x 8 surface: the picture's pixels counted, and one point inside.
TEST(BackgroundPictures, ArePlacedByTheirMode) {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    TPicture holder;
    holder.SetGraphic(picture);
    struct Case {
        TBackGroundMode mode;
        int bluePixels;
        QPoint blueAt;
    };
    const std::vector<Case> cases = {
        {TBackGroundMode::bmNormal, 8, QPoint(1, 1)},
        {TBackGroundMode::bmCenter, 8, QPoint(4, 3)},
        {TBackGroundMode::bmStretched, 60, QPoint(10, 6)},
        // 4 rows x 3 columns of copies, clipped by the surface, not the rectangle.
        {TBackGroundMode::bmTiled, 77, QPoint(11, 7)},
    };
    for (const Case& c : cases) {
        TBitmap surface(12, 8);
        surface.Canvas().Brush().Color = clWhite;
        TCnAAGraphicControl::DrawBackground(surface.Canvas(), QRect(1, 1, 10, 6), c.mode, holder);
        int blue = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x) blue += surface.Image().pixelColor(x, y) == QColor(Qt::blue);
        }
        EXPECT_EQ(blue, c.bluePixels) << static_cast<int>(c.mode);
        EXPECT_EQ(surface.Image().pixelColor(c.blueAt), QColor(Qt::blue)) << static_cast<int>(c.mode);
        EXPECT_EQ(surface.Image().pixelColor(0, 0), QColor(Qt::black)) << static_cast<int>(c.mode);
    }
}

TEST(BackgroundPictures, AnOpaqueControlFillsWithItsColourWithoutAPicture) {
    testing::FadeStage stage({"<Title1>一"});
    stage.text->Text().SetBackColor(clYellow);
    stage.text->SetActive(true);
    stage.finishFade();
    EXPECT_EQ(stage.frame().pixelColor(0, 0), QColor(Qt::yellow));
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::green);
    stage.text->Text().BackGroundForUpdate().SetGraphic(picture);
    stage.text->Text().SetBackGroundMode(TBackGroundMode::bmNormal);
    EXPECT_EQ(stage.frame().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(stage.frame().pixelColor(5, 5), QColor(Qt::yellow));
}

}  // namespace
}  // namespace caici
