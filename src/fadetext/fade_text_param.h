#pragma once
// The text and display settings of a text control (its property Text). A
// parameter object belongs to one control for its whole life: Quality lives
// in the control's renderer, BackColor is the control's colour and LineDelay
// the interval of the fade-text control's line timer; everything else is held
// here. Every effective change reaches the control through OnChange.

#include <cstdint>
#include <memory>

#include "effecttext/aa_effect.h"
#include "effecttext/aa_types.h"
#include "effecttext/colors.h"
#include "fadetext/graphic_control.h"
#include "effecttext/notify_class.h"
#include "effecttext/picture.h"
#include "fadetext/text_lines.h"

namespace caici {

class TCnAAFadeText;

// leOnlyALine: every line starts from the control's Font, FontEffect and
// Alignment. leUntilNextLabel: a style or alignment set by a tag holds until
// a later tag changes it.
enum class TLabelEffect : std::uint8_t { leOnlyALine = 0, leUntilNextLabel = 1 };

class TCnCustomParam : public TCnNotifyClass {
public:
    TCnCustomParam(TCnAAGraphicControl& control, TNotifyEvent onChange);
    ~TCnCustomParam() override;

    TCnAAGraphicControl& Control() const { return control_; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAAQuality Quality() const;
    void SetQuality(TAAQuality value);
    TCnAAEffect& FontEffect() { return *fontEffect_; }
    const TCnAAEffect& FontEffect() const { return *fontEffect_; }
    // Copies the settings; the copy itself reports nothing.
    void SetFontEffect(const TCnAAEffect& value);
    TLabelEffect LabelEffect() const { return labelEffect_; }
    void SetLabelEffect(TLabelEffect value);
    TColor BackColor() const;
    void SetBackColor(TColor value);
    const TPicture& BackGround() const { return *backGround_; }
    // The owned picture, for loading a file into it; it reports its changes.
    TPicture& BackGroundForUpdate() { return *backGround_; }
    void SetBackGround(const TPicture& value) { backGround_->Assign(value); }
    TBackGroundMode BackGroundMode() const { return backGroundMode_; }
    void SetBackGroundMode(TBackGroundMode value);

    const char* ClassName() const override { return "TCnCustomParam"; }

private:
    TCnAAGraphicControl& control_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool transparent_ = false;
    std::unique_ptr<TCnAAEffect> fontEffect_;
    TLabelEffect labelEffect_ = TLabelEffect::leUntilNextLabel;
    std::unique_ptr<TPicture> backGround_;
    TBackGroundMode backGroundMode_ = TBackGroundMode::bmCenter;
};

class TCnCustomTextParam : public TCnCustomParam {
public:
    TCnCustomTextParam(TCnAAGraphicControl& control, TNotifyEvent onChange);
    ~TCnCustomTextParam() override;

    // The owned list; each of its operations reports one change.
    TextLines& Lines() { return *lines_; }
    const TextLines& Lines() const { return *lines_; }
    // Copies the lines (the list reports), then reports once more.
    void SetLines(const TextLines& value);

    const char* ClassName() const override { return "TCnCustomTextParam"; }

private:
    std::unique_ptr<TextLines> lines_;
};

class TCnFadeTextParam : public TCnCustomTextParam {
public:
    TCnFadeTextParam(TCnAAFadeText& control, TNotifyEvent onChange);

    std::uint32_t FadeDelay() const { return fadeDelay_; }
    // Clamped silently (see fade_timing.h); reports nothing.
    void SetFadeDelay(std::uint32_t value);
    std::uint32_t LineDelay() const;
    // Raised to FadeDelay + 200 when shorter; reports nothing. A running line
    // timer goes on with the new interval.
    void SetLineDelay(std::uint32_t value);

    // Copies Alignment, Transparent, Layout, BackGround, BackGroundMode,
    // LabelEffect, Lines, then FadeDelay as it stands and LineDelay through
    // its setter, from another control's parameters. FontEffect, Quality and
    // BackColor stay; so does the control this object belongs to.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnFadeTextParam"; }

private:
    TCnAAFadeText& fadeControl_;
    std::uint32_t fadeDelay_ = 0;
};

}  // namespace caici
