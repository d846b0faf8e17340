#pragma once
// A fade-text control on a shown top-level window (offscreen), with one style
// "Title1" and the eight usual labels. The control starts inactive so that a
// test decides when lines begin; time is driven through FadeStep and
// NextLine, never through the timers.

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "fadetext/fade_text.h"

namespace caici::testing {

inline constexpr const char* kTestFace = "Noto Sans CJK SC";

struct FadeStage {
    QWidget window;
    TCnAAFadeText* text;
    int painted = 0;

    explicit FadeStage(const std::vector<std::string>& lines, QSize size = {320, 120}) {
        window.resize(size.width() + 40, size.height() + 40);
        text = new TCnAAFadeText(&window);
        text->setGeometry(20, 20, size.width(), size.height());
        text->Fonts().AddFontLabel("Title1", kTestFace, 28, clBlack, {TFontStyle::fsBold}, true, 2, 2);
        text->CreateDefaultLabels();
        text->Text().SetFadeDelay(50);
        text->Text().SetLineDelay(1000);
        text->Text().Lines().Assign(lines);
        text->SetActive(false);
        text->SetOnPainted([this](TCnAAGraphicControl&) { ++painted; });
        window.show();
        QApplication::processEvents();
    }

    // Runs the fade in progress to its end.
    void finishFade() {
        for (int i = 0; i < 300 && text->Fading(); ++i) text->FadeStep();
    }

    QImage frame() const { return text->DisplayImage().Image().copy(); }
};

// Pixels that are not the colour at (0, 0), the background of an opaque control.
inline int inkedPixels(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != background ? 1 : 0;
    }
    return count;
}

// The bounding box of the inked pixels.
inline QRect inkBox(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace caici::testing
