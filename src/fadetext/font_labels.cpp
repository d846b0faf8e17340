#include "fadetext/font_labels.h"

#include "fadetext/markup_tags.h"

namespace caici {

TCnFontLabel::TCnFontLabel(TCnFontLabels* collection)
    : LabelItem(collection),
      font_(std::make_unique<TFont>()),
      effect_(std::make_unique<TCnAAEffect>()) {
    font_->SetOnChange([this] { changed(); });
    effect_->SetOnChange([this](TPersistent*) { changed(); });
    effect_->SetOwner(this);
}

TCnFontLabel::~TCnFontLabel() = default;

void TCnFontLabel::SetEffect(const TCnAAEffect& value) {
    effect_->CopyFrom(&value);
    changed();
}

void TCnFontLabel::CopyFrom(const TPersistent* source) {
    const auto& label = sameClassSource<TCnFontLabel>(source);
    name_ = label.name_;
    font_->Assign(*label.font_);
    effect_->CopyFrom(label.effect_.get());
}

TCnFontLabels::TCnFontLabels(TNotifyEvent onChange) : LabelCollection(std::move(onChange)) {}

TCnFontLabels::~TCnFontLabels() = default;

TCnFontLabel* TCnFontLabels::AddFontLabel(const std::string& name, const std::string& fontName, int size,
                                          TColor color, TFontStyles style, bool shadow, int offsetX,
                                          int offsetY) {
    if (IndexOf(name) >= 0) {
        return nullptr;
    }
    BeginUpdate();
    TCnFontLabel& label = Add();
    TFont& font = label.Font();
    font.SetName(fontName);
    font.SetSize(size);
    font.SetColor(color);
    font.SetStyle(style);
    TCnAAShadow& labelShadow = label.Effect().Shadow();
    labelShadow.SetEnabled(shadow);
    labelShadow.SetOffsetX(static_cast<TOffset>(offsetX));
    labelShadow.SetOffsetY(static_cast<TOffset>(offsetY));
    // Stored without the name check: IndexOf has just cleared the name.
    label.name_ = name;
    EndUpdate();
    return &label;
}

void TCnFontLabels::ApplyFontTags(std::string& line, TFont* fontTarget, TCnAAEffect* effectTarget) const {
    for (const auto& label : itemsInOrder()) {
        const auto position = findTag(line, label->Name());
        if (!position) {
            continue;
        }
        if (fontTarget != nullptr) {
            fontTarget->Assign(label->Font());
        }
        if (effectTarget != nullptr) {
            effectTarget->CopyFrom(&label->Effect());
        }
        eraseTag(line, *position, label->Name());
    }
}

}  // namespace caici
