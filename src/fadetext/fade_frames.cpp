// The frames of TCnAAFadeText: which line each of its two images shows over
// which background, so that a line is drawn again only when it changed, a
// fade step mixes and paints only where the lines lie, and a finished fade
// hands its image over instead of copying it.

#include "fadetext/fade_text.h"

#include <QRegion>
#include <algorithm>
#include <cstring>
#include <utility>

#include "fadetext/cross_fade.h"

namespace caici {

bool TCnAAFadeText::clientSized(const TBitmap& image) const {
    return image.Width() == width() && image.Height() == height() && image.PixelFormat() == TPixelFormat::pf32bit;
}

TCnAAFadeText::FrameRecord& TCnAAFadeText::recordOf(const TBitmap& image) {
    return &image == &newImage_ ? newFrame_ : oldFrame_;
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
    backgroundVersion_ = 0;
}

void TCnAAFadeText::releaseImages() {
    for (TBitmap* image : {&oldImage_, &newImage_, &background_, &mixedBand_, &mixedFrame_}) {
        image->Reallocate(0, 0);
    }
    layerCache_.clear();
    forgetFrames();
}

bool TCnAAFadeText::framesAligned() const {
    return oldFrame_.background != 0 && oldFrame_.background == newFrame_.background && clientSized(oldImage_) &&
           clientSized(newImage_);
}

void TCnAAFadeText::keepShownFrame() {
    if (fadeAlpha_ == 255) {
        oldImage_.SwapPixels(newImage_);
        std::swap(oldFrame_, newFrame_);
        return;
    }
    if (fadeAlpha_ == 0) {
        return;
    }
    if (!clientSized(oldImage_) || !clientSized(newImage_)) {
        // Only a fade begun before a resize that no redraw followed: the
        // new line stands for the mix.
        oldImage_.Assign(newImage_);
        oldFrame_ = newFrame_;
        return;
    }
    // A mix of two equal images is that image.
    const bool sameLine = oldFrame_.line && oldFrame_.line == newFrame_.line;
    if (framesAligned()) {
        crossFadeInPlace(oldImage_, newImage_, fadeAlpha_, oldFrame_.inked | newFrame_.inked);
        oldFrame_ = {sameLine ? newFrame_.line : std::nullopt, oldFrame_.inked | newFrame_.inked, oldFrame_.background};
    } else {
        crossFadeInPlace(oldImage_, newImage_, fadeAlpha_, rect());
        oldFrame_ = {};
    }
}

void TCnAAFadeText::drawShown(const QRegion& area, const ShownPart& paint) {
    const QRegion wanted = area & rect();
    if (wanted.isEmpty()) {
        return;
    }
    const bool mixing = fadeAlpha_ != 0 && fadeAlpha_ != 255 && clientSized(oldImage_) && clientSized(newImage_);
    if (!mixing) {
        const TBitmap& shown = fadeAlpha_ == 0 ? oldImage_ : newImage_;
        for (const QRect& asked : wanted) {
            const QRect part = asked & QRect(0, 0, shown.Width(), shown.Height());
            if (!part.isEmpty()) paint(part, shown.Image(), part.topLeft());
        }
        return;
    }
    // Outside both lines the two images are one background: the new image
    // is the mix there. Two lines of different widths leave corners of their
    // bounding rectangle that neither covers.
    const QRegion mixed = framesAligned() ? wanted & linesArea() : wanted;
    for (const QRect& plain : wanted.subtracted(mixed)) {
        paint(plain, newImage_.Image(), plain.topLeft());
    }
    constexpr int kBandRows = 16;
    const QRect bounds = mixed.boundingRect();
    mixedBand_.Reallocate(bounds.width(), std::min(kBandRows, bounds.height()));
    for (const QRect& part : mixed) {
        for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
            const QRect band(part.left(), top, part.width(), std::min(kBandRows, part.bottom() + 1 - top));
            crossFadeAreaTo(mixedBand_, oldImage_, newImage_, fadeAlpha_, band);
            paint(band, mixedBand_.Image(), QPoint(0, 0));
        }
    }
}

QRegion TCnAAFadeText::linesArea() const { return QRegion(oldFrame_.inked) | QRegion(newFrame_.inked); }

const TBitmap& TCnAAFadeText::DisplayImage() const {
    if (fadeAlpha_ == 0) return oldImage_;
    if (fadeAlpha_ == 255 || !clientSized(oldImage_) || !clientSized(newImage_)) return newImage_;
    CrossFade(mixedFrame_, oldImage_, newImage_, fadeAlpha_);
    return mixedFrame_;
}

QRegion TCnAAFadeText::fadeStepArea() const {
    if (!framesAligned() || !oldFrame_.line || !newFrame_.line) {
        return rect();
    }
    if (oldFrame_ == newFrame_) {
        return {};
    }
    return linesArea();
}

QRect TCnAAFadeText::redrawLines() {
    QRect changed;
    const auto redraw = [this, &changed](const std::string& text, TBitmap& image) {
        const FrameRecord& record = recordOf(image);
        const FrameRecord before = record;
        RenderLine(text, image);
        if (record == before) return;
        const bool sameBackground = before.background != 0 && record.background == before.background;
        changed |= sameBackground ? record.inked | before.inked : rect();
    };
    // At full alpha the old line is hidden: its image may hold the upcoming
    // line, drawn ahead.
    if (fadeAlpha_ != 255) redraw(idleAtOldImage() ? currentText_ : previousText_, oldImage_);
    if (fadeAlpha_ != 0) redraw(currentText_, newImage_);
    return changed;
}

}  // namespace caici
