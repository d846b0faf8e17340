#pragma once
// The fade-text control: shows the lines of its Text one at a time, each
// resolved by the markup of Fonts and Labels and drawn with anti-aliased
// effects into an off-screen image; when the line changes it cross-fades from
// the frame on screen to the new line (or, with motion reduced by Instant,
// replaces it at once). The line timer advances the lines every LineDelay
// ms, the 25 ms fade timer carries out each cross-fade in about FadeDelay ms.
//
// A change of any setting, style, label, colour, font or size redraws the
// line on display at once. Lines replaced while the control runs (active and
// initialized) show at once: the cross-fade to the first new line starts, and
// the line timer starts its period again.
//
// With FitToClient on, each line is drawn at the size at which what it draws
// fills the client area (line_fit.h), times FitScale, instead of its style's
// size, and placed by what it draws: its ink goes into the client area less
// the margin by the alignment and layout.
//
// The first step of a cross-fade comes at once, in the next pass of the
// event loop, and the others every 25 ms: a press shows its word without
// waiting a tick.
//
// The owner may name the line it expects to show next (UpcomingLine): once
// a fade has ended, the control draws that line ahead, in the event loop's
// idle time, into the image the next fade takes as its new line, so that
// showing it only starts the cross-fade. What was drawn ahead is used only
// when the line, every setting it is drawn with, the size and the
// background are still the ones it was drawn for; else the line is drawn
// afresh as any other.
//
// A frame is drawn again only where it can change. Each of the two images
// remembers which line it shows over which background and the rectangle
// outside which it is that background: a line whose settings, text and place
// are unchanged is not drawn again, a new line is drawn over the background
// kept from the last one, and a fade step mixes and paints only where the old
// and the new line lie. The background of a transparent control is copied
// from the parent again when a change of settings redraws the lines, when
// the control moves or resizes, and, where it has changed, when the platform
// asks for a paint and once per line (NextLine): Qt does not paint an opaque
// child again when what lies beneath it changes.
//
// The frame on screen is not kept: it is the old image at FadeAlpha 0, the
// new one at 255, and between them their mix, made band by band on its way
// to the screen. At 4K a kept frame would be another 20 MB per display.

#include <QRegion>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "effecttext/bitmap.h"
#include "fadetext/custom_text.h"
#include "fadetext/fade_text_param.h"
#include "fadetext/fade_timing.h"
#include "fadetext/graphic_control.h"
#include "fadetext/line_fit.h"
#include "fadetext/text_layer_cache.h"

namespace caici {

class TCnAAFadeText : public TCnAACustomText {
    Q_OBJECT

public:
    explicit TCnAAFadeText(QWidget* parent = nullptr);
    ~TCnAAFadeText() override;

    TCnFadeTextParam& Text() { return *text_; }
    const TCnFadeTextParam& Text() const { return *text_; }
    // Copies the given parameters into the control's own.
    void SetText(const TCnFadeTextParam& value) { text_->CopyFrom(&value); }

    bool Active() const { return active_; }
    // On: the lines advance from the line after the one on display. Off: a
    // fade in progress finishes and the line stays.
    void SetActive(bool value);
    // Reduced motion: on, a new line replaces the old at once, its final
    // frame painted without fade steps or fade timer; everything else (the
    // line timer, the passes, the completion) as with fading. Off at
    // creation; switched on during a fade, the fade ends at once.
    bool Instant() const { return instant_; }
    void SetInstant(bool value);
    // Passes through the lines before stopping; 0 = endless.
    std::int32_t RepeatCount() const { return repeatCount_; }
    void SetRepeatCount(std::int32_t value);
    std::int32_t PassCount() const { return passCount_; }
    std::int32_t LineIndex() const { return lineIndex_; }
    std::uint8_t FadeAlpha() const { return fadeAlpha_; }
    bool Fading() const { return fadeTimer_.isActive(); }
    // The line on display as it was given, tags included.
    const std::string& CurrentText() const { return currentText_; }
    // The text drawn for the line on display: tags removed, labels expanded.
    const std::string& DisplayedText() const { return displayedText_; }
    // The size in points (at 96 dots per inch) and the character height in
    // pixels the line on display is drawn at.
    int DisplayedFontSize() const;
    int DisplayedCharacterHeight() const { return displayedHeight_; }

    // Whether each line is drawn at the size that fills the client area
    // rather than at its style's size; off at creation.
    bool FitToClient() const { return fitToClient_; }
    void SetFitToClient(bool value);
    // The factor the fitted size is multiplied by, 0.1 to 10 (clamped); 1 at
    // creation. Redraws the line on display.
    double FitScale() const { return fit_.scale; }
    void SetFitScale(double value);

    // The line the owner expects to show next, tags included; empty: none.
    const std::string& UpcomingLine() const { return upcomingLine_; }
    void SetUpcomingLine(std::string line);
    // Draws the upcoming line ahead now, as the idle step would; nothing
    // while a fade runs, while the control does not run or is hidden, or
    // when the line draws random effects.
    void PrepareUpcomingLine();

    const TControlEvent& OnComplete() const { return onComplete_; }
    void SetOnComplete(TControlEvent value) { onComplete_ = std::move(value); }
    const TControlEvent& OnPainted() const { return onPainted_; }
    void SetOnPainted(TControlEvent value) { onPainted_ = std::move(value); }
    // Called whenever DisplayedText changes.
    const TControlEvent& OnDisplayedTextChanged() const { return onDisplayedTextChanged_; }
    void SetOnDisplayedTextChanged(TControlEvent value) { onDisplayedTextChanged_ = std::move(value); }

    // Shows line index (wrapping past the last, counting a pass) with a
    // cross-fade; nothing when there are no lines.
    void ShowLine(std::int32_t index);
    // The line after the one on display; each tick of the line timer.
    void NextLine();
    // One tick of the fade timer.
    void FadeStep();

    void CreateDefaultFonts() override;
    bool UsesDefaultText() const override;

    // The frame on screen, as a paint copies it; a frame in mid-fade is
    // mixed on this call.
    const TBitmap& DisplayImage() const;

protected:
    void PaintContent(QPainter& painter, const QRegion& area) override;
    void Initialize() override;
    void Reset() override;
    void showEvent(QShowEvent* event) override;

    struct RenderedLine {
        std::string text;         // tags removed, labels expanded
        int characterHeight = 0;  // pixels
    };
    // Draws one marked-up line with its background into image.
    RenderedLine RenderLine(const std::string& text, TBitmap& image);
    void StartFade(const std::string& text);
    void SetFadeAlpha(std::uint8_t alpha);

private:
    // What an image holds. Outside inked it is the background drawn as
    // version background (0: not known to be any background); line is what
    // it shows there, unless it is a mix of two lines, has random effects or
    // is not known.
    struct FrameRecord {
        std::optional<TextLayerCache::Key> line;
        QRect inked;
        std::uint64_t background = 0;
        friend bool operator==(const FrameRecord&, const FrameRecord&) = default;
    };
    // Everything the background depends on but the parent's pixels.
    struct BackgroundKey {
        bool transparent = false;
        QRect bounds;
        TColor color = 0;
        qint64 picture = 0;
        TBackGroundMode mode = TBackGroundMode::bmCenter;
        friend bool operator==(const BackgroundKey&, const BackgroundKey&) = default;
    };

    void setDisplayed(const RenderedLine& line);
    // The lines were replaced through Text().Lines().
    void LinesReplaced();
    FrameRecord& recordOf(const TBitmap& image);
    bool clientSized(const TBitmap& image) const;
    // At FadeAlpha 0 without a fade under way the old image shows the line
    // on display, not the one before it.
    bool idleAtOldImage() const { return fadeAlpha_ == 0 && !fadeTimer_.isActive(); }
    // The version of the background for the current settings, drawn first
    // when it is not the one kept.
    std::uint64_t currentBackground();
    // A paint asked for by the platform: the parent's picture under area is
    // copied again and, where it changed, kept as a new version.
    void checkBackground(const QRect& area);
    // A transparent control draws its lines again at every paint, over what
    // lies beneath: those of the images on screen. Returns where the frame
    // on screen changed.
    QRect redrawLines();
    // Every image and the background count as unknown: all is drawn afresh.
    void forgetFrames();
    // A display its owner hid holds no images: at 4K they are tens of
    // megabytes. They are drawn again when it shows.
    void releaseImages();
    // Whether the two images lie over one background at the client's size:
    // outside both lines they are then the same pixels.
    bool framesAligned() const;
    // The old image becomes the frame on screen, before a new fade.
    void keepShownFrame();
    // Hands the frame on screen inside area to paint, part by part: each
    // part with the image that holds it and the part's top-left there. In
    // mid-fade the lines' part is mixed in bands of rows, each handed on
    // while its rows are in the cache.
    using ShownPart = std::function<void(const QRect& part, const QImage& image, QPoint from)>;
    void drawShown(const QRegion& area, const ShownPart& paint);
    // The part of the control a fade step to the current alpha changes on
    // screen (the whole control when that is not known); empty when the step
    // leaves the frame as it is.
    QRegion fadeStepArea() const;
    // Where either image holds its line.
    QRegion linesArea() const;

    std::unique_ptr<TCnFadeTextParam> text_;
    // 32-bit frames (the fourth byte unused): Qt paints the parent and copies
    // to the screen in this format without converting every pixel.
    TBitmap newImage_{0, 0, TPixelFormat::pf32bit};
    TBitmap oldImage_{0, 0, TPixelFormat::pf32bit};
    // A band of mixed rows on its way to the screen.
    TBitmap mixedBand_{0, 0, TPixelFormat::pf32bit};
    // The frame DisplayImage mixed last; a paint never needs it.
    mutable TBitmap mixedFrame_{0, 0, TPixelFormat::pf32bit};
    TextLayerCache layerCache_;
    FrameRecord newFrame_;
    FrameRecord oldFrame_;
    TBitmap background_{0, 0, TPixelFormat::pf32bit};
    BackgroundKey backgroundKey_;
    std::uint64_t backgroundVersion_ = 0;
    std::uint64_t lastBackgroundVersion_ = 0;
    // While a fade step paints: the part it asked to be painted, and whether
    // the lines of a transparent control were drawn for it already.
    struct FadeStepPaint {
        QRegion area;
        bool linesDrawn = false;
    };
    std::optional<FadeStepPaint> fadeStepPainting_;
    // Asks for PrepareUpcomingLine in the event loop's idle time.
    void schedulePreparation();
    QTimer fadeTimer_;
    QTimer prepareTimer_;
    std::string upcomingLine_;
    // RenderLine draws the upcoming line ahead: a line with random effects
    // is left undrawn, as it could never be used.
    bool preparing_ = false;
    QTimer lineTimer_;
    bool active_ = true;
    bool instant_ = false;
    std::int32_t lineIndex_ = -1;
    std::uint8_t fadeAlpha_ = 0;
    std::string previousText_;
    std::string currentText_;
    std::string displayedText_;
    int displayedHeight_ = 0;
    bool fitToClient_ = false;
    LineFit fit_;
    TAlignment currentAlignment_ = TAlignment::taLeftJustify;
    std::int32_t passCount_ = 0;
    std::int32_t repeatCount_ = 0;
    FadeProgress fadeProgress_;
    TControlEvent onComplete_;
    TControlEvent onPainted_;
    TControlEvent onDisplayedTextChanged_;

    friend class TCnFadeTextParam;
};

}  // namespace caici
