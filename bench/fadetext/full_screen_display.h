#pragma once
// The guessing window's word displays as they stand on a full screen, for
// the benchmarks: the window paints its colour and its picture (scaled to
// the window once, as the game does); each display is anchored to all four
// sides, transparent, fits every line to its area and draws at the quality
// the game starts with.

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <string>

#include "fadetext/fade_text.h"

namespace caici {

class PictureWindow : public QWidget {
public:
    explicit PictureWindow(QSize size) {
        resize(size);
        const QImage picture(QStringLiteral(CAICI_PICTURES_DIR "/background.jpg"));
        scaled_ = QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(45, 45, 45));
        painter.drawPixmap(0, 0, scaled_);
    }

private:
    QPixmap scaled_;
};

// Sets a display up as the guessing window does, in one style of the given
// points and shadow, showing line.
inline void setUpWordDisplay(TCnAAFadeText& display, const QRect& area, const char* styleName, int points,
                             int shadow, void (*setStyle)(TFont&, TCnAAEffect&), const std::string& line) {
    display.setGeometry(area);
    display.BeginUpdate();
    TCnFontLabel* style =
        display.Fonts().AddFontLabel(styleName, "微软雅黑", points, clBlack, TFontStyles{TFontStyle::fsBold}, true,
                                     shadow, shadow);
    setStyle(style->Font(), style->Effect());
    display.CreateDefaultLabels();
    display.Text().SetFadeDelay(50);
    display.Text().SetLineDelay(1000);
    display.Text().Lines().SetLine(line);
    display.Text().SetTransparent(true);
    display.Text().SetQuality(TAAQuality::aqNone);
    display.ParentEffect().SetParentColor(false);
    display.SetFitToClient(true);
    display.EndUpdate();
    display.Loaded();
}

inline void finishFade(TCnAAFadeText& display) {
    while (display.Fading()) display.FadeStep();
}

}  // namespace caici
