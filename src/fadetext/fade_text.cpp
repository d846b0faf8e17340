#include "fadetext/fade_text.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "fadetext/cross_fade.h"
#include "fadetext/default_text.h"
#include "fadetext/line_placement.h"

namespace caici {
namespace {

// Keeps setting changes from turning into redraws while a line is laid out:
// copying a style's effect into the renderer may report a change.
class RenderingScope {
public:
    RenderingScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~RenderingScope() { flag_ = previous_; }
    RenderingScope(const RenderingScope&) = delete;
    RenderingScope& operator=(const RenderingScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

TCnAAFadeText::TCnAAFadeText(QWidget* parent) : TCnAACustomText(parent) {
    fadeTimer_.setTimerType(Qt::PreciseTimer);
    fadeTimer_.setInterval(static_cast<int>(kFadeTickMs));
    lineTimer_.setTimerType(Qt::PreciseTimer);
    lineTimer_.setInterval(1000);
    connect(&fadeTimer_, &QTimer::timeout, this, [this] { guardedAction([this] { FadeStep(); }); });
    connect(&lineTimer_, &QTimer::timeout, this, [this] { guardedAction([this] { NextLine(); }); });
    text_ = std::make_unique<TCnFadeTextParam>(*this, [this](TPersistent*) { Changed(); });
    SetColor(clWhite);
    setGeometry(0, 0, 240, 34);
}

TCnAAFadeText::~TCnAAFadeText() {
    fadeTimer_.stop();
    lineTimer_.stop();
}

void TCnAAFadeText::SetActive(bool value) {
    if (value == active_) {
        return;
    }
    active_ = value;
    if (value) {
        lineTimer_.start();
        passCount_ = 0;
        NextLine();
    } else {
        lineTimer_.stop();
    }
}

void TCnAAFadeText::SetRepeatCount(std::int32_t value) { repeatCount_ = value < 0 ? 0 : value; }

int TCnAAFadeText::DisplayedFontSize() const { return -mulDiv(-displayedHeight_, 72, TFont::PixelsPerInch); }

void TCnAAFadeText::SetFitToClient(bool value) {
    if (value == fitToClient_) {
        return;
    }
    fitToClient_ = value;
    Changed();
}

void TCnAAFadeText::SetFitScale(double value) {
    value = std::clamp(value, 0.1, 10.0);
    if (value == fit_.scale) {
        return;
    }
    fit_.scale = value;
    Changed();
}

void TCnAAFadeText::LinesReplaced() {
    // The game replaces the lines with the next word as the operator presses
    // a button: waiting for the next line tick (up to LineDelay) would leave
    // the old word on screen. The cross-fade starts now, and StartFade starts
    // the line timer's period again.
    if (active_ && CanRedraw()) {
        guardedAction([this] { ShowLine(0); });
        return;
    }
    Changed();
}

void TCnAAFadeText::ShowLine(std::int32_t index) {
    const TextLines& lines = text_->Lines();
    if (lines.Empty()) {
        return;
    }
    if (index < 0) {
        index = 0;
    }
    if (index > lines.Count() - 1) {
        index = 0;
        ++passCount_;
        if (repeatCount_ > 0 && passCount_ >= repeatCount_) {
            SetActive(false);
            passCount_ = 0;
            lineIndex_ = -1;
            StartFade(std::string());
            if (onComplete_) {
                onComplete_(*this);
            }
            return;
        }
    }
    StartFade(lines.Strings(index));
    lineIndex_ = index;
}

void TCnAAFadeText::FadeStep() {
    const FadeProgress::Step step = fadeProgress_.Advance(fadeAlpha_, text_->FadeDelay());
    if (step.finished) {
        fadeTimer_.stop();
    }
    SetFadeAlpha(step.alpha);
}

void TCnAAFadeText::SetFadeAlpha(std::uint8_t alpha) {
    if (alpha == fadeAlpha_) {
        return;
    }
    fadeAlpha_ = alpha;
    repaint();
}

void TCnAAFadeText::StartFade(const std::string& text) {
    oldImage_.Assign(displayImage_);
    const RenderedLine shown = RenderLine(text, newImage_);
    previousText_ = currentText_;
    currentText_ = text;
    fadeAlpha_ = 0;
    fadeTimer_.stop();
    fadeTimer_.start();
    if (lineTimer_.isActive()) {
        lineTimer_.stop();
        lineTimer_.start();
    }
    setDisplayed(shown);
}

TCnAAFadeText::RenderedLine TCnAAFadeText::RenderLine(const std::string& text, TBitmap& image) {
    RenderingScope rendering(renderingFlag());
    TCnAAFontEx& renderer = AAFont();
    TCanvas& canvas = image.Canvas();
    renderer.SetCanvas(&canvas);
    if (text_->LabelEffect() == TLabelEffect::leOnlyALine) {
        canvas.Font().Assign(Font());
        renderer.Effect().CopyFrom(&text_->FontEffect());
        currentAlignment_ = text_->Alignment();
    }
    std::string line = text;
    Fonts().ApplyFontTags(line, &canvas.Font(), &renderer.Effect());
    Labels().ApplyLabelTags(line, currentAlignment_);

    const int clientWidth = width();
    const int clientHeight = height();
    const QSize clientSize(clientWidth, clientHeight);
    QPoint at;
    if (fitToClient_ && !line.empty()) {
        const FittedLine fitted = fitLine(renderer, line, clientSize, fit_);
        at = placeInk(currentAlignment_, text_->Layout(), fitRoom(clientSize), fitted.ink);
    } else {
        at = placeLine(currentAlignment_, text_->Layout(), clientSize, renderer.TextExtent(line));
    }
    const int characterHeight = std::abs(canvas.Font().Height());

    image.SetHeight(clientHeight);
    image.SetWidth(clientWidth);
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    const QRect client(0, 0, image.Width(), image.Height());
    if (text_->Transparent()) {
        CopyParentBackground(canvas);
    } else if (!text_->BackGround().HasGraphic()) {
        canvas.FillRect(client);
    } else {
        DrawBackground(canvas, client, text_->BackGroundMode(), text_->BackGround());
    }
    canvas.Brush().Style = TBrushStyle::bsClear;
    layerCache_.TextOutput(renderer, at.x(), at.y(), line);
    return {line, characterHeight};
}

void TCnAAFadeText::PaintContent(QPainter& painter) {
    if (text_->Transparent()) {
        if (fadeAlpha_ == 0) {
            RenderLine(currentText_, displayImage_);
        } else {
            RenderLine(previousText_, oldImage_);
            RenderLine(currentText_, newImage_);
        }
    }
    if (fadeAlpha_ != 0) {
        CrossFade(displayImage_, oldImage_, newImage_, fadeAlpha_);
    }
    if (!displayImage_.Empty()) {
        painter.drawImage(QPoint(0, 0), displayImage_.Image(), QRect(0, 0, width(), height()));
    }
    if (onPainted_) {
        onPainted_(*this);
    }
}

void TCnAAFadeText::Initialize() {
    TCnAACustomText::Initialize();
    currentAlignment_ = text_->Alignment();
    Reset();
    passCount_ = 0;
    if (active_) {
        lineTimer_.start();
        NextLine();
    } else {
        lineTimer_.stop();
    }
}

void TCnAAFadeText::Reset() {
    RenderedLine shown;
    if (fadeAlpha_ != 0) {
        RenderLine(previousText_, oldImage_);
        shown = RenderLine(currentText_, newImage_);
        CrossFade(displayImage_, oldImage_, newImage_, fadeAlpha_);
    } else {
        shown = RenderLine(currentText_, displayImage_);
    }
    update();
    setDisplayed(shown);
}

void TCnAAFadeText::CreateDefaultFonts() {
    TCnAACustomText::CreateDefaultFonts();
    if (TCnFontLabel* title4 = Fonts().AddFontLabel("Title4", "隶书", 22, 0, {}, true, 2, 2)) {
        TCnAAEffect& effect = title4->Effect();
        effect.Gradual().SetEnabled(true);
        effect.Gradual().SetStyle(TGradualStyle::gsLeftToRight);
        effect.Gradual().SetStartColor(16720384);
        effect.Gradual().SetEndColor(2232575);
        effect.SetOutline(true);
        effect.SetBlur(50);
    }
    if (TCnFontLabel* text3 = Fonts().AddFontLabel("Text3", "隶书", 11, 16711680, {}, true, 1, 1)) {
        TCnAAGradual& gradual = text3->Effect().Gradual();
        gradual.SetEnabled(true);
        gradual.SetStyle(TGradualStyle::gsTopToBottom);
        gradual.SetStartColor(13404177);
        gradual.SetEndColor(16720554);
    }
}

bool TCnAAFadeText::UsesDefaultText() const { return text_->Lines().Text() == defaultFadeText(); }

void TCnAAFadeText::setDisplayed(const RenderedLine& line) {
    displayedHeight_ = line.characterHeight;
    if (line.text == displayedText_) {
        return;
    }
    displayedText_ = line.text;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    if (onDisplayedTextChanged_) {
        onDisplayedTextChanged_(*this);
    }
}

}  // namespace caici
