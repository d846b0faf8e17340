#include "fadetext/fade_text.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "effecttext/aa_blend.h"
#include "effecttext/aa_effect.h"
#include "effecttext/font.h"
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

// Marks the paint of a fade step with the part it asked for, for as long as
// it paints.
template <class Step>
class StepPaintScope {
public:
    StepPaintScope(std::optional<Step>& marker, const Step& step) : marker_(marker) { marker_ = step; }
    ~StepPaintScope() { marker_.reset(); }
    StepPaintScope(const StepPaintScope&) = delete;
    StepPaintScope& operator=(const StepPaintScope&) = delete;

private:
    std::optional<Step>& marker_;
};

}  // namespace

TCnAAFadeText::TCnAAFadeText(QWidget* parent) : TCnAACustomText(parent) {
    fadeTimer_.setTimerType(Qt::PreciseTimer);
    fadeTimer_.setInterval(static_cast<int>(kFadeTickMs));
    lineTimer_.setTimerType(Qt::PreciseTimer);
    lineTimer_.setInterval(1000);
    connect(&fadeTimer_, &QTimer::timeout, this, [this] { guardedAction([this] { FadeStep(); }); });
    prepareTimer_.setSingleShot(true);
    prepareTimer_.setInterval(0);
    connect(&prepareTimer_, &QTimer::timeout, this, [this] { guardedAction([this] { PrepareUpcomingLine(); }); });
    connect(&lineTimer_, &QTimer::timeout, this, [this] { guardedAction([this] { NextLine(); }); });
    text_ = std::make_unique<TCnFadeTextParam>(*this, [this](TPersistent*) { Changed(); });
    SetColor(clWhite);
    setGeometry(0, 0, 240, 34);
}

TCnAAFadeText::~TCnAAFadeText() {
    fadeTimer_.stop();
    lineTimer_.stop();
    prepareTimer_.stop();
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

void TCnAAFadeText::SetInstant(bool value) {
    instant_ = value;
    // A fade under way when motion is reduced ends now.
    if (value && fadeTimer_.isActive()) {
        fadeTimer_.stop();
        SetFadeAlpha(255);
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

void TCnAAFadeText::NextLine() {
    // Once per line, off the path of a line the game replaces: a parent whose
    // picture changed shows through within a LineDelay, as when every paint
    // copied it.
    if (text_->Transparent() && isVisible()) {
        checkBackground(rect());
    }
    ShowLine(lineIndex_ + 1);
}

void TCnAAFadeText::FadeStep() {
    const FadeProgress::Step step = fadeProgress_.Advance(fadeAlpha_, text_->FadeDelay());
    if (step.finished) {
        fadeTimer_.stop();
    } else if (fadeTimer_.interval() != static_cast<int>(kFadeTickMs)) {
        // The first step came at once; the rest keep the rhythm of the tick.
        fadeTimer_.start(static_cast<int>(kFadeTickMs));
    }
    SetFadeAlpha(step.alpha);
    if (step.finished) {
        schedulePreparation();
    }
}

void TCnAAFadeText::SetFadeAlpha(std::uint8_t alpha) {
    if (alpha == fadeAlpha_) {
        return;
    }
    fadeAlpha_ = alpha;
    if (!isVisible()) {
        return;
    }
    // A transparent control draws its lines again at every paint, as the
    // paint would, but here, before it: what the step changes on screen then
    // includes a line that is drawn differently now. A frame equal to the
    // one on screen is not painted.
    const bool linesDrawn = text_->Transparent();
    QRegion area = linesDrawn ? QRegion(redrawLines()) : QRegion();
    area |= fadeStepArea();
    if (area.isEmpty()) {
        return;
    }
    const StepPaintScope step(fadeStepPainting_, {area, linesDrawn});
    repaint(area);
}

void TCnAAFadeText::StartFade(const std::string& text) {
    // The line timer shows the one line of the word display again every
    // second. A fade from the frame to itself changes no pixel: it is left
    // out, which keeps the upcoming line drawn ahead in the old image. The
    // new image is the frame on screen: where the line is drawn again (over
    // a picture that changed beneath), that part is painted.
    const bool steady = fadeAlpha_ == 255 && !fadeTimer_.isActive();
    if (steady && text == currentText_ && clientSized(newImage_) && newFrame_.line && newFrame_.background != 0) {
        const FrameRecord before = newFrame_;
        const RenderedLine shown = RenderLine(text, newImage_);
        if (newFrame_ != before) {
            update(newFrame_.background == before.background ? newFrame_.inked | before.inked : rect());
        }
        previousText_ = currentText_;
        if (lineTimer_.isActive()) {
            lineTimer_.stop();
            lineTimer_.start();
        }
        setDisplayed(shown);
        return;
    }
    // The old image becomes the frame on screen. After a finished fade the
    // new image holds that frame: the two trade their pixels.
    keepShownFrame();
    const RenderedLine shown = RenderLine(text, newImage_);
    previousText_ = currentText_;
    currentText_ = text;
    fadeAlpha_ = 0;
    fadeTimer_.stop();
    if (instant_) {
        SetFadeAlpha(255);
        schedulePreparation();
    } else {
        fadeTimer_.start(0);
    }
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

    // Hidden by its owner (the forbidden words outside 禁词模式), not merely
    // not shown yet: the line is taken, and drawn when the display shows.
    if (testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden)) {
        releaseImages();
        return {line, characterHeight};
    }
    FrameRecord& record = recordOf(image);
    const std::uint64_t background = currentBackground();
    const bool sized = image.Width() == clientWidth && image.Height() == clientHeight;
    // At once rather than height first: a resize of a 4K display would
    // otherwise allocate and fault in every image twice.
    image.SetSize(clientWidth, clientHeight);
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsClear;
    const TextLayerCache::Key drawn = TextLayerCache::keyOf(renderer, at.x(), at.y(), line);
    const bool random = !line.empty() && TextLayerCache::drawsRandomly(renderer);
    const bool overBackground = sized && record.background == background;
    if ((overBackground && !random && record.line == drawn) || (preparing_ && random)) {
        return {line, characterHeight};
    }
    // The background goes back under the old line as the new one is drawn,
    // row by row (Backdrop).
    const QRect stale = overBackground ? record.inked : QRect(0, 0, clientWidth, clientHeight);
    const QRect inked = layerCache_.TextOutput(renderer, at.x(), at.y(), line, Backdrop{&background_.Image(), stale});
    record = {random ? std::nullopt : std::optional(drawn), inked, background};
    return {line, characterHeight};
}

void TCnAAFadeText::PaintContent(QPainter& painter, const QRegion& area) {
    const QRect asked = area.boundingRect();
    const bool ownStep = fadeStepPainting_ && area.subtracted(fadeStepPainting_->area).isEmpty();
    QRect changed;
    if (text_->Transparent() && !(ownStep && fadeStepPainting_->linesDrawn)) {
        // Whatever else asks for a paint may have changed what lies beneath.
        if (!ownStep) {
            checkBackground(asked);
        }
        changed = redrawLines();
    }
    // A fade step's own paint asks for just what it mixes: each band goes to
    // the screen as soon as it is mixed.
    drawShown(area, [&painter](const QRect& part, const QImage& image, QPoint from) {
        painter.drawImage(part.topLeft(), image, QRect(from, part.size()));
    });
    // A line drawn afresh in this paint (a label's text changed, say) may
    // reach past the part that was asked for.
    const QRegion missed = QRegion(changed).subtracted(area);
    if (!missed.isEmpty()) {
        update(missed);
    }
    if (onPainted_) {
        onPainted_(*this);
    }
}

void TCnAAFadeText::showEvent(QShowEvent* event) {
    TCnAACustomText::showEvent(event);
    if (!clientSized(newImage_)) {
        Changed();
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
    // A changed setting: every image and the background are drawn afresh.
    forgetFrames();
    RenderedLine shown;
    // A fade that has not taken its first step yet mixes the two lines all
    // the same: both are drawn afresh, at the control's size of now. At full
    // alpha the old line is hidden.
    if (idleAtOldImage()) {
        shown = RenderLine(currentText_, oldImage_);
    } else {
        if (fadeAlpha_ != 255) RenderLine(previousText_, oldImage_);
        shown = RenderLine(currentText_, newImage_);
    }
    update();
    setDisplayed(shown);
    schedulePreparation();
}

void TCnAAFadeText::SetUpcomingLine(std::string line) {
    if (line == upcomingLine_) {
        return;
    }
    upcomingLine_ = std::move(line);
    schedulePreparation();
}

void TCnAAFadeText::schedulePreparation() {
    if (!upcomingLine_.empty()) {
        prepareTimer_.start();
    }
}

void TCnAAFadeText::PrepareUpcomingLine() {
    // Only a finished fade leaves the old image free: its line is hidden
    // under the new one at full alpha, and the next fade begins by trading
    // the two images, so the line drawn there becomes the new line.
    const bool steady = fadeAlpha_ == 255 && !fadeTimer_.isActive();
    if (upcomingLine_.empty() || upcomingLine_ == currentText_ || !steady || !CanRedraw() || !isVisible()) {
        return;
    }
    // Drawing a line sets the renderer's effect and the alignment that a
    // later line without tags starts from: the line on display must be drawn
    // again as it was, so both are kept as they are.
    RenderingScope rendering(renderingFlag());
    TCnAAEffect effect;
    effect.CopyFrom(&AAFont().Effect());
    TFont font;
    font.Assign(oldImage_.Canvas().Font());
    const TAlignment alignment = currentAlignment_;
    {
        RenderingScope preparing(preparing_);
        RenderLine(upcomingLine_, oldImage_);
    }
    AAFont().Effect().CopyFrom(&effect);
    oldImage_.Canvas().Font().Assign(font);
    currentAlignment_ = alignment;
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
