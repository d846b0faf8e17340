#pragma once
// How a text is drawn beyond its font: opacity, blur, outline, noise, spray,
// mirrors, rotation and three optional sub-effects (drop shadow, gradient,
// picture texture). An effect owns its sub-effects and reports their changes
// as its own; see notify_class.h for the chain.

#include <memory>
#include <string>

#include "effecttext/aa_types.h"
#include "effecttext/colors.h"
#include "effecttext/notify_class.h"
#include "effecttext/picture.h"

namespace caici {

class KeyValueStore;

class TCnAAShadow : public TCnEnabledClass {
public:
    explicit TCnAAShadow(TNotifyEvent onChange = {});

    TBlurStrength Blur() const { return blur_; }
    void SetBlur(TBlurStrength value);
    TAlpha Alpha() const { return alpha_; }
    void SetAlpha(TAlpha value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TOffset OffsetX() const { return offsetX_; }
    void SetOffsetX(TOffset value);
    TOffset OffsetY() const { return offsetY_; }
    void SetOffsetY(TOffset value);

    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnAAShadow"; }

private:
    friend class TCnAAEffect;
    TBlurStrength blur_ = 80;
    TAlpha alpha_ = 70;
    TColor color_ = 4473924;
    TOffset offsetX_ = 2;
    TOffset offsetY_ = 2;
};

class TCnAAGradual : public TCnEnabledClass {
public:
    explicit TCnAAGradual(TNotifyEvent onChange = {});

    TGradualStyle Style() const { return style_; }
    void SetStyle(TGradualStyle value);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value);
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value);

    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnAAGradual"; }

private:
    friend class TCnAAEffect;
    TGradualStyle style_ = TGradualStyle::gsLeftToRight;
    TColor startColor_ = clWhite;
    TColor endColor_ = clBlack;
};

class TCnAATexture : public TCnEnabledClass {
public:
    explicit TCnAATexture(TNotifyEvent onChange = {});

    TTextureMode Mode() const { return mode_; }
    void SetMode(TTextureMode value);
    const TPicture& Picture() const { return *picture_; }
    // Copies into the owned picture, whose change event reports it.
    void SetPicture(const TPicture& value);
    // Direct access for loading a file into the owned picture; its change
    // events report through this texture as well.
    TPicture& PictureForUpdate() { return *picture_; }

    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnAATexture"; }

private:
    friend class TCnAAEffect;
    TTextureMode mode_ = TTextureMode::tmTiled;
    std::unique_ptr<TPicture> picture_;
};

class TCnAAEffect : public TCnNotifyClass {
public:
    explicit TCnAAEffect(TNotifyEvent onChange = {});
    ~TCnAAEffect() override;

    TCnAAShadow& Shadow() { return *shadow_; }
    const TCnAAShadow& Shadow() const { return *shadow_; }
    TCnAAGradual& Gradual() { return *gradual_; }
    const TCnAAGradual& Gradual() const { return *gradual_; }
    TCnAATexture& Texture() { return *texture_; }
    const TCnAATexture& Texture() const { return *texture_; }
    // Copy into the owned object, then report once, changed or not.
    void SetShadow(const TCnAAShadow& value);
    void SetGradual(const TCnAAGradual& value);
    void SetTexture(const TCnAATexture& value);

    TAlpha Alpha() const { return alpha_; }
    void SetAlpha(TAlpha value);
    TBlurStrength Blur() const { return blur_; }
    void SetBlur(TBlurStrength value);
    TAngle Angle() const { return angle_; }
    void SetAngle(TAngle value);
    TNoiseAmount Noise() const { return noise_; }
    void SetNoise(TNoiseAmount value);
    TSprayRange Spray() const { return spray_; }
    void SetSpray(TSprayRange value);
    bool Outline() const { return outline_; }
    void SetOutline(bool value);
    bool HorzMirror() const { return horzMirror_; }
    void SetHorzMirror(bool value);
    bool VertMirror() const { return vertMirror_; }
    void SetVertMirror(bool value);

    // Copies every setting and the sub-effects; reports nothing itself.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnAAEffect"; }

    // Reads or writes every setting but the texture picture in one section.
    // Loading keeps a setting whose key is missing and reports nothing.
    virtual void LoadFromIni(const KeyValueStore& store, const std::string& section);
    virtual void SaveToIni(KeyValueStore& store, const std::string& section) const;

private:
    std::unique_ptr<TCnAAShadow> shadow_;
    std::unique_ptr<TCnAAGradual> gradual_;
    std::unique_ptr<TCnAATexture> texture_;
    TAlpha alpha_ = 100;
    TBlurStrength blur_ = 0;
    TAngle angle_ = 0;
    TNoiseAmount noise_ = 0;
    TSprayRange spray_ = 0;
    bool outline_ = false;
    bool horzMirror_ = false;
    bool vertMirror_ = false;
};

}  // namespace caici
