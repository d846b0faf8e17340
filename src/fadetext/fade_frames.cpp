// The frames of TCnAAFadeText: which line each of its three images shows
// over which background, so that a line is drawn again only when it changed,
// a fade step mixes and paints only where the lines lie, and a finished fade
// hands its image over instead of copying it.

#include "fadetext/fade_text.h"

#include <algorithm>
#include <cstring>

#include "fadetext/cross_fade.h"

namespace caici {

bool TCnAAFadeText::showsFrameOnScreen(const FrameRecord& frame) const {
    // One line drawn the same way over one background gives the same pixels,
    // whatever else each image was drawn with before.
    return displayFrame_.line && frame.line == displayFrame_.line && displayFrame_.background != 0 &&
           frame.background == displayFrame_.background;
}

bool TCnAAFadeText::sizedLikeDisplay(const TBitmap& image) const {
    return image.Width() == displayImage_.Width() && image.Height() == displayImage_.Height() &&
           image.PixelFormat() == displayImage_.PixelFormat();
}

TCnAAFadeText::FrameRecord& TCnAAFadeText::recordOf(const TBitmap& image) {
    if (&image == &newImage_) return newFrame_;
    if (&image == &oldImage_) return oldFrame_;
    return displayFrame_;
}

std::uint64_t TCnAAFadeText::currentBackground() {
    const TPicture& picture = text_->BackGround();
    BackgroundKey key;
    key.transparent = text_->Transparent();
    key.bounds = geometry();
    key.color = Color();
    key.picture = picture.HasGraphic() ? picture.Graphic().cacheKey() : 0;
    key.mode = text_->BackGroundMode();
    if (backgroundVersion_ != 0 && key == backgroundKey_) {
        return backgroundVersion_;
    }
    background_.SetSize(width(), height());
    TCanvas& canvas = background_.Canvas();
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    const QRect client(0, 0, background_.Width(), background_.Height());
    if (key.transparent) {
        CopyParentBackground(canvas);
    } else if (!picture.HasGraphic()) {
        canvas.FillRect(client);
    } else {
        DrawBackground(canvas, client, text_->BackGroundMode(), picture);
    }
    backgroundKey_ = key;
    backgroundVersion_ = ++lastBackgroundVersion_;
    return backgroundVersion_;
}

void TCnAAFadeText::checkBackground(const QRect& area) {
    const QRect part = area & QRect(0, 0, background_.Width(), background_.Height());
    if (!text_->Transparent() || backgroundVersion_ == 0 || part.isEmpty()) {
        return;
    }
    TBitmap fresh(part.width(), part.height(), TPixelFormat::pf32bit);
    CopyParentBackground(fresh.Canvas(), part);
    const auto rowBytes = static_cast<std::size_t>(part.width()) * 4;
    bool changed = false;
    for (int y = 0; y < part.height() && !changed; ++y) {
        changed = std::memcmp(fresh.ScanLine(y), background_.ScanLine(part.top() + y) + 4 * part.left(), rowBytes) != 0;
    }
    if (!changed) {
        return;
    }
    for (int y = 0; y < part.height(); ++y) {
        std::memcpy(background_.ScanLine(part.top() + y) + 4 * part.left(), fresh.ScanLine(y), rowBytes);
    }
    // Every image drawn over the former picture is drawn again, the upcoming
    // line among them.
    backgroundVersion_ = ++lastBackgroundVersion_;
    schedulePreparation();
}

void TCnAAFadeText::forgetFrames() {
    newFrame_ = {};
    oldFrame_ = {};
    displayFrame_ = {};
    backgroundVersion_ = 0;
}

bool TCnAAFadeText::framesAligned() const {
    const auto clientSized = [this](const TBitmap& image) {
        return image.Width() == width() && image.Height() == height() && image.PixelFormat() == TPixelFormat::pf32bit;
    };
    return backgroundVersion_ != 0 && oldFrame_.background == backgroundVersion_ &&
           newFrame_.background == backgroundVersion_ && displayFrame_.background == backgroundVersion_ &&
           clientSized(oldImage_) && clientSized(newImage_) && clientSized(displayImage_);
}

QRect TCnAAFadeText::mixFrames(const std::function<void(const QRect&)>& mixed) {
    // A mix of two equal images is that image.
    const bool sameLine = oldFrame_.line && oldFrame_.line == newFrame_.line;
    const auto mixedLine = fadeAlpha_ == 255 || sameLine ? newFrame_.line : std::nullopt;
    if (framesAligned()) {
        const QRect area = oldFrame_.inked | newFrame_.inked | displayFrame_.inked;
        // In bands of rows, each handed on while its rows are in the cache.
        constexpr int kBandRows = 16;
        for (int top = area.top(); top <= area.bottom(); top += kBandRows) {
            const QRect band(area.left(), top, area.width(), std::min(kBandRows, area.bottom() + 1 - top));
            crossFadeArea(displayImage_, oldImage_, newImage_, fadeAlpha_, band);
            if (mixed) mixed(band);
        }
        displayFrame_ = {mixedLine, oldFrame_.inked | newFrame_.inked, backgroundVersion_};
        return area;
    }
    CrossFade(displayImage_, oldImage_, newImage_, fadeAlpha_);
    const bool oneBackground = oldFrame_.background != 0 && oldFrame_.background == newFrame_.background &&
                               oldImage_.Width() == newImage_.Width() && oldImage_.Height() == newImage_.Height();
    displayFrame_ = oneBackground ? FrameRecord{mixedLine, oldFrame_.inked | newFrame_.inked, oldFrame_.background}
                                  : FrameRecord{};
    if (mixed) mixed(rect());
    return rect();
}

QRect TCnAAFadeText::fadeStepArea() const {
    if (!framesAligned() || !oldFrame_.line || !newFrame_.line) {
        return rect();
    }
    if (oldFrame_ == newFrame_ && displayFrame_ == newFrame_) {
        return {};
    }
    return oldFrame_.inked | newFrame_.inked | displayFrame_.inked;
}

QRect TCnAAFadeText::redrawLines() {
    if (fadeAlpha_ != 0) {
        // At full alpha the old line is hidden: its image may hold the
        // upcoming line, drawn ahead.
        if (fadeAlpha_ != 255) RenderLine(previousText_, oldImage_);
        RenderLine(currentText_, newImage_);
        return {};
    }
    const FrameRecord shown = displayFrame_;
    RenderLine(currentText_, displayImage_);
    if (displayFrame_ == shown) {
        return {};
    }
    return displayFrame_.background == shown.background ? displayFrame_.inked | shown.inked : rect();
}

}  // namespace caici
