#pragma once
// Set-up shared by the effect-text benchmarks: a Qt application (offscreen
// unless a platform is chosen) and the guessing window's word display style
// Title1: 224 px bold, black, a shadow 5, 5 and a gradient from the centre to
// top and bottom.

#include <QCoreApplication>

#include "effecttext/aa_effect.h"
#include "effecttext/font.h"

namespace caici {

// Application: QGuiApplication for the renderer alone, QApplication where
// widgets are drawn.
template <class Application>
void ensureBenchApplication() {
    static int argc = 1;
    static char name[] = "caici_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static Application application(argc, argv);
}

inline void setWordDisplayStyle(TFont& font, TCnAAEffect& effect) {
    font.SetName("微软雅黑");
    font.SetCharset(GB2312_CHARSET);
    font.SetHeight(-224);
    font.SetStyle({TFontStyle::fsBold});
    font.SetColor(clBlack);
    effect.Shadow().SetEnabled(true);
    effect.Shadow().SetColor(clBlack);
    effect.Shadow().SetOffsetX(5);
    effect.Shadow().SetOffsetY(5);
    effect.Gradual().SetEnabled(true);
    effect.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
    effect.Gradual().SetStartColor(65535);
    effect.Gradual().SetEndColor(2204408);
    effect.Texture().SetMode(TTextureMode::tmCenter);
}

}  // namespace caici
