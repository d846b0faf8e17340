#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fade_text_fixture.h"

namespace caici {
namespace {

// A window that paints its colour and a picture stretched over it, as the
// guessing window does; the picture can be changed while a fade runs.
class PictureWindow : public QWidget {
public:
    PictureWindow() { setPicture(0); }

    // The window paints at once, as the platform would soon after.
    void setPicture(int variant) {
        picture_ = QImage(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < picture_.height(); ++y) {
            for (int x = 0; x < picture_.width(); ++x) {
                picture_.setPixel(x, y, qRgb((x * 4 + variant * 90) % 256, (y * 5 + x) % 256, (x * y + variant * 40) % 256));
            }
        }
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(45, 45, 45));
        painter.drawImage(rect(), picture_);
    }

private:
    QImage picture_;
};

// A word display as the game sets one up: a shadowed gradient word, centred,
// at a low quality, transparent over the window or opaque.
struct WordDisplay {
    PictureWindow window;
    TCnAAFadeText* text;

    WordDisplay(bool transparent, bool fit) {
        window.resize(480, 200);
        text = new TCnAAFadeText(&window);
        text->setGeometry(20, 20, 440, 160);
        TCnFontLabel* style =
            text->Fonts().AddFontLabel("Title1", testing::kTestFace, 40, clBlack, {TFontStyle::fsBold}, true, 5, 5);
        style->Effect().Gradual().SetEnabled(true);
        style->Effect().Gradual().SetStyle(TGradualStyle::gsCenterToTB);
        style->Effect().Gradual().SetStartColor(clYellow);
        style->Effect().Gradual().SetEndColor(2204408);
        text->CreateDefaultLabels();
        text->Text().SetFadeDelay(50);
        text->Text().SetLineDelay(1000);
        text->Text().SetTransparent(transparent);
        text->Text().SetQuality(TAAQuality::aqNone);
        text->SetFitToClient(fit);
        text->Text().Lines().SetLine("<Title1><Center>猜词");
        text->SetActive(false);
        window.show();
        QApplication::processEvents();
        text->SetActive(true);
        while (text->Fading()) text->FadeStep();
    }

    // What the screen shows of the control.
    QImage onScreen() const {
        const QRect area = text->geometry();
        return window.screen()
            ->grabWindow(window.winId(), area.x(), area.y(), area.width(), area.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
};

bool sameBytes(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return false;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), static_cast<std::size_t>(a.width()) * 4) != 0) return false;
    }
    return true;
}

// Frames drawn, mixed and painted only where the lines lie must equal frames
// drawn whole at every step, and the screen must show them: through new
// words, a word replaced in the middle of a fade, the same word again, a
// changed picture beneath (seen when the line timer shows the line again), a
// resize and an empty line. The reference display
// runs the same steps and is redrawn whole (a change of settings) before
// each comparison.
TEST(ChangedArea, FramesEqualFramesDrawnWholeAndReachTheScreen) {
    using Step = std::function<void(WordDisplay&)>;
    const auto word = [](const char* text) {
        return [text](WordDisplay& d) { d.text->Text().Lines().SetLine(std::string("<Title1><Center>") + text); };
    };
    const Step tick = [](WordDisplay& d) { d.text->FadeStep(); };
    const std::vector<std::pair<const char*, Step>> steps = {
        {"first word", word("苹果香蕉")}, {"tick", tick}, {"tick", tick},   {"tick", tick},
        {"new word", word("大象")},       {"tick", tick}, {"replaced in its fade", word("火车站台")},
        {"tick", tick},                   {"tick", tick}, {"tick", tick},   {"same word", word("火车站台")},
        {"tick", tick},                   {"tick", tick}, {"tick", tick},   {"new word", word("熊猫")},
        {"tick", tick},                   {"tick", tick}, {"tick", tick},
        {"picture changed, the line shown again",
         [](WordDisplay& d) {
             d.window.setPicture(1);
             d.text->NextLine();
         }},
        {"tick", tick},                   {"tick", tick}, {"tick", tick},
        {"resized",
         [](WordDisplay& d) {
             d.text->setGeometry(10, 30, 400, 140);
             d.window.repaint();
         }},
        {"new word", word("生日蛋糕")}, {"replaced before its first step", word("自行车")},
        {"tick", tick},                   {"tick", tick}, {"tick", tick},
        {"empty line", [](WordDisplay& d) { d.text->Text().Lines().SetLine(""); }},
        {"tick", tick},                   {"tick", tick}, {"tick", tick},
    };
    for (const bool transparent : {true, false}) {
        for (const bool fit : {true, false}) {
            WordDisplay shown(transparent, fit);
            WordDisplay reference(transparent, fit);
            for (std::size_t i = 0; i < steps.size(); ++i) {
                const auto& [name, step] = steps[i];
                // An opaque control keeps the frame on screen as the old
                // image of a replaced fade, which a redraw cannot know.
                if (!transparent && std::string(name).starts_with("replaced")) continue;
                step(shown);
                step(reference);
                // Paints, but no timer: the fade and line timers of the two
                // displays would step them apart on a slow build.
                QApplication::sendPostedEvents();
                // Until its first step a fade shows the frame it started
                // from, which a redraw would replace by the new line.
                if (shown.text->Fading() && shown.text->FadeAlpha() == 0) continue;
                reference.text->Changed();
                const QImage frame = shown.text->DisplayImage().Image();
                const QImage whole = reference.text->DisplayImage().Image();
                const std::string where = std::string(name) + " (step " + std::to_string(i) + ", transparent " +
                                          std::to_string(transparent) + ", fit " + std::to_string(fit) + ")";
                ASSERT_TRUE(sameBytes(frame, whole)) << where;
                ASSERT_TRUE(sameBytes(shown.onScreen(), frame.convertToFormat(QImage::Format_RGB32))) << where;
            }
        }
    }
}

}  // namespace
}  // namespace caici
