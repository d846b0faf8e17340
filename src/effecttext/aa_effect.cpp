#include "effecttext/aa_effect.h"

#include "effecttext/key_value_store.h"

namespace caici {
namespace {

// Stores value and reports when it differs; the rule of every simple setter.
template <class T>
void assignAndReport(T& field, T value, TCnNotifyClass& object) {
    if (field == value) return;
    field = value;
    object.Changed();
}

}  // namespace

TCnAAShadow::TCnAAShadow(TNotifyEvent onChange) : TCnEnabledClass(std::move(onChange)) {}

void TCnAAShadow::SetBlur(TBlurStrength value) { assignAndReport(blur_, value, *this); }
void TCnAAShadow::SetAlpha(TAlpha value) { assignAndReport(alpha_, value, *this); }
void TCnAAShadow::SetColor(TColor value) { assignAndReport(color_, value, *this); }
void TCnAAShadow::SetOffsetX(TOffset value) { assignAndReport(offsetX_, value, *this); }
void TCnAAShadow::SetOffsetY(TOffset value) { assignAndReport(offsetY_, value, *this); }

void TCnAAShadow::CopyFrom(const TPersistent* source) {
    TCnEnabledClass::CopyFrom(source);
    if (const auto* other = dynamic_cast<const TCnAAShadow*>(source)) {
        blur_ = other->blur_;
        alpha_ = other->alpha_;
        color_ = other->color_;
        offsetX_ = other->offsetX_;
        offsetY_ = other->offsetY_;
    }
}

TCnAAGradual::TCnAAGradual(TNotifyEvent onChange) : TCnEnabledClass(std::move(onChange)) {}

void TCnAAGradual::SetStyle(TGradualStyle value) { assignAndReport(style_, value, *this); }
void TCnAAGradual::SetStartColor(TColor value) { assignAndReport(startColor_, value, *this); }
void TCnAAGradual::SetEndColor(TColor value) { assignAndReport(endColor_, value, *this); }

void TCnAAGradual::CopyFrom(const TPersistent* source) {
    TCnEnabledClass::CopyFrom(source);
    if (const auto* other = dynamic_cast<const TCnAAGradual*>(source)) {
        style_ = other->style_;
        startColor_ = other->startColor_;
        endColor_ = other->endColor_;
    }
}

TCnAATexture::TCnAATexture(TNotifyEvent onChange)
    : TCnEnabledClass(std::move(onChange)), picture_(std::make_unique<TPicture>()) {
    picture_->SetOnChange([this] { Changed(); });
}

void TCnAATexture::SetMode(TTextureMode value) { assignAndReport(mode_, value, *this); }

void TCnAATexture::SetPicture(const TPicture& value) { picture_->Assign(value); }

void TCnAATexture::CopyFrom(const TPersistent* source) {
    TCnEnabledClass::CopyFrom(source);
    if (const auto* other = dynamic_cast<const TCnAATexture*>(source)) {
        mode_ = other->mode_;
        // Reports through the picture's change event, with Enabled already copied.
        picture_->Assign(*other->picture_);
    }
}

TCnAAEffect::TCnAAEffect(TNotifyEvent onChange)
    : TCnNotifyClass(std::move(onChange)),
      shadow_(std::make_unique<TCnAAShadow>(childChangedCallback())),
      gradual_(std::make_unique<TCnAAGradual>(childChangedCallback())),
      texture_(std::make_unique<TCnAATexture>(childChangedCallback())) {}

TCnAAEffect::~TCnAAEffect() {
    shadow_.reset();
    gradual_.reset();
    texture_.reset();
}

void TCnAAEffect::SetShadow(const TCnAAShadow& value) {
    shadow_->CopyFrom(&value);
    Changed();
}

void TCnAAEffect::SetGradual(const TCnAAGradual& value) {
    gradual_->CopyFrom(&value);
    Changed();
}

void TCnAAEffect::SetTexture(const TCnAATexture& value) {
    texture_->CopyFrom(&value);
    Changed();
}

void TCnAAEffect::SetAlpha(TAlpha value) { assignAndReport(alpha_, value, *this); }
void TCnAAEffect::SetBlur(TBlurStrength value) { assignAndReport(blur_, value, *this); }
void TCnAAEffect::SetAngle(TAngle value) { assignAndReport(angle_, value, *this); }
void TCnAAEffect::SetNoise(TNoiseAmount value) { assignAndReport(noise_, value, *this); }
void TCnAAEffect::SetSpray(TSprayRange value) { assignAndReport(spray_, value, *this); }
void TCnAAEffect::SetOutline(bool value) { assignAndReport(outline_, value, *this); }
void TCnAAEffect::SetHorzMirror(bool value) { assignAndReport(horzMirror_, value, *this); }
void TCnAAEffect::SetVertMirror(bool value) { assignAndReport(vertMirror_, value, *this); }

void TCnAAEffect::CopyFrom(const TPersistent* source) {
    TCnNotifyClass::CopyFrom(source);
    if (const auto* other = dynamic_cast<const TCnAAEffect*>(source)) {
        alpha_ = other->alpha_;
        blur_ = other->blur_;
        noise_ = other->noise_;
        outline_ = other->outline_;
        horzMirror_ = other->horzMirror_;
        vertMirror_ = other->vertMirror_;
        spray_ = other->spray_;
        angle_ = other->angle_;
        shadow_->CopyFrom(other->shadow_.get());
        gradual_->CopyFrom(other->gradual_.get());
        texture_->CopyFrom(other->texture_.get());
    }
}

void TCnAAEffect::LoadFromIni(const KeyValueStore& store, const std::string& section) {
    // Values are truncated to the width of their field, without range checks.
    const auto readInt = [&](const char* key, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        field = static_cast<Field>(store.ReadInteger(section, key, static_cast<int>(field)));
    };
    const auto readBool = [&](const char* key, bool& field) { field = store.ReadBool(section, key, field); };
    const auto readByte = [&](const char* key, std::uint8_t current) {
        return static_cast<std::uint8_t>(store.ReadInteger(section, key, current));
    };

    readInt("Alpha", alpha_);
    readInt("Blur", blur_);
    readInt("Noise", noise_);
    readInt("Spray", spray_);
    readInt("Angle", angle_);
    readBool("Outline", outline_);
    readBool("HorzMirror", horzMirror_);
    readBool("VertMirror", vertMirror_);

    readBool("Shadow", shadow_->enabled_);
    readInt("ShadowAlpha", shadow_->alpha_);
    readInt("ShadowBlur", shadow_->blur_);
    readInt("ShadowColor", shadow_->color_);
    readInt("ShadowOffsetX", shadow_->offsetX_);
    readInt("ShadowOffsetY", shadow_->offsetY_);

    readBool("Gradual", gradual_->enabled_);
    readInt("GradualStartColor", gradual_->startColor_);
    readInt("GradualEndColor", gradual_->endColor_);
    const std::uint8_t style = readByte("GradualStyle", static_cast<std::uint8_t>(gradual_->style_));
    gradual_->style_ = style > 5 ? TGradualStyle::gsLeftToRight : static_cast<TGradualStyle>(style);

    readBool("Texture", texture_->enabled_);
    const std::uint8_t mode = readByte("TextureMode", static_cast<std::uint8_t>(texture_->mode_));
    texture_->mode_ = mode > 3 ? TTextureMode::tmTiled : static_cast<TTextureMode>(mode);
}

void TCnAAEffect::SaveToIni(KeyValueStore& store, const std::string& section) const {
    store.WriteInteger(section, "Alpha", alpha_);
    store.WriteInteger(section, "Blur", blur_);
    store.WriteInteger(section, "Noise", noise_);
    store.WriteInteger(section, "Spray", spray_);
    store.WriteInteger(section, "Angle", angle_);
    store.WriteBool(section, "Outline", outline_);
    store.WriteBool(section, "HorzMirror", horzMirror_);
    store.WriteBool(section, "VertMirror", vertMirror_);
    store.WriteBool(section, "Shadow", shadow_->Enabled());
    store.WriteInteger(section, "ShadowAlpha", shadow_->alpha_);
    store.WriteInteger(section, "ShadowBlur", shadow_->blur_);
    store.WriteInteger(section, "ShadowColor", shadow_->color_);
    store.WriteInteger(section, "ShadowOffsetX", shadow_->offsetX_);
    store.WriteInteger(section, "ShadowOffsetY", shadow_->offsetY_);
    store.WriteBool(section, "Gradual", gradual_->Enabled());
    store.WriteInteger(section, "GradualStartColor", gradual_->startColor_);
    store.WriteInteger(section, "GradualEndColor", gradual_->endColor_);
    store.WriteInteger(section, "GradualStyle", static_cast<int>(gradual_->style_));
    store.WriteBool(section, "Texture", texture_->Enabled());
    store.WriteInteger(section, "TextureMode", static_cast<int>(texture_->mode_));
}

}  // namespace caici
