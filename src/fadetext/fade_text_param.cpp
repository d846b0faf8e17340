#include "fadetext/fade_text_param.h"

#include "fadetext/default_text.h"
#include "fadetext/fade_text.h"
#include "fadetext/fade_timing.h"

namespace caici {

TCnCustomParam::TCnCustomParam(TCnAAGraphicControl& control, TNotifyEvent onChange)
    : TCnNotifyClass(std::move(onChange)),
      control_(control),
      fontEffect_(std::make_unique<TCnAAEffect>()),
      backGround_(std::make_unique<TPicture>()) {
    fontEffect_->SetOnChange(childChangedCallback());
    backGround_->SetOnChange([this] { Changed(); });
}

TCnCustomParam::~TCnCustomParam() = default;

void TCnCustomParam::SetAlignment(TAlignment value) {
    if (value != alignment_) {
        alignment_ = value;
        Changed();
    }
}

void TCnCustomParam::SetLayout(TTextLayout value) {
    if (value != layout_) {
        layout_ = value;
        Changed();
    }
}

void TCnCustomParam::SetTransparent(bool value) {
    if (value != transparent_) {
        transparent_ = value;
        Changed();
    }
}

TAAQuality TCnCustomParam::Quality() const { return control_.AAFont().Quality(); }

void TCnCustomParam::SetQuality(TAAQuality value) {
    if (value != control_.AAFont().Quality()) {
        control_.AAFont().SetQuality(value);
        Changed();
    }
}

void TCnCustomParam::SetFontEffect(const TCnAAEffect& value) { fontEffect_->CopyFrom(&value); }

void TCnCustomParam::SetLabelEffect(TLabelEffect value) {
    if (value != labelEffect_) {
        labelEffect_ = value;
        Changed();
    }
}

TColor TCnCustomParam::BackColor() const { return control_.Color(); }

void TCnCustomParam::SetBackColor(TColor value) { control_.SetColor(value); }

void TCnCustomParam::SetBackGroundMode(TBackGroundMode value) {
    if (value != backGroundMode_) {
        backGroundMode_ = value;
        Changed();
    }
}

TCnCustomTextParam::TCnCustomTextParam(TCnAAGraphicControl& control, TNotifyEvent onChange)
    : TCnCustomParam(control, std::move(onChange)), lines_(std::make_unique<TextLines>()) {
    lines_->SetOnChange([this] { Changed(); });
}

TCnCustomTextParam::~TCnCustomTextParam() = default;

void TCnCustomTextParam::SetLines(const TextLines& value) {
    lines_->Assign(value);
    Changed();
}

TCnFadeTextParam::TCnFadeTextParam(TCnAAFadeText& control, TNotifyEvent onChange)
    : TCnCustomTextParam(control, std::move(onChange)), fadeControl_(control) {
    Lines().SetOnChange([this] { fadeControl_.LinesReplaced(); });
    // FadeDelay first, against the line timer's initial 1000 ms.
    SetFadeDelay(600);
    SetLineDelay(3000);
    SetAlignment(TAlignment::taCenter);
    SetLayout(TTextLayout::tlCenter);
    Lines().Assign(defaultFadeTextLines());
}

void TCnFadeTextParam::SetFadeDelay(std::uint32_t value) {
    if (value == fadeDelay_) {
        return;
    }
    fadeDelay_ = clampFadeDelay(value, LineDelay());
}

std::uint32_t TCnFadeTextParam::LineDelay() const {
    return static_cast<std::uint32_t>(fadeControl_.lineTimer_.interval());
}

void TCnFadeTextParam::SetLineDelay(std::uint32_t value) {
    fadeControl_.lineTimer_.setInterval(static_cast<int>(clampLineDelay(value, fadeDelay_)));
}

void TCnFadeTextParam::CopyFrom(const TPersistent* source) {
    TCnNotifyClass::CopyFrom(source);
    const auto* param = dynamic_cast<const TCnFadeTextParam*>(source);
    if (param == nullptr || param == this) {
        return;
    }
    // One redraw for the whole copy instead of one per value.
    Control().BeginUpdate();
    SetAlignment(param->Alignment());
    SetTransparent(param->Transparent());
    SetLayout(param->Layout());
    SetBackGround(param->BackGround());
    SetBackGroundMode(param->BackGroundMode());
    SetLabelEffect(param->LabelEffect());
    Lines().Assign(param->Lines());
    fadeDelay_ = param->fadeDelay_;
    SetLineDelay(param->LineDelay());
    Control().EndUpdate();
    Changed();
}

}  // namespace caici
