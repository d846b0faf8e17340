#include "effecttext/font_labels.h"

#include "effecttext/markup_tags.h"

namespace caici {

TCnFontLabel::TCnFontLabel(TCnFontLabels* collection)
    : collection_(collection),
      font_(std::make_unique<TFont>()),
      effect_(std::make_unique<TCnAAEffect>()) {
    font_->SetOnChange([this] { changed(); });
    effect_->SetOnChange([this](TPersistent*) { changed(); });
    effect_->SetOwner(this);
}

TCnFontLabel::~TCnFontLabel() = default;

void TCnFontLabel::changed() {
    if (collection_ != nullptr) {
        collection_->Changed();
    }
}

void TCnFontLabel::SetName(const std::string& value) {
    if (collection_ != nullptr && !value.empty() && !sameName(value, name_) &&
        collection_->IndexOf(value) >= 0) {
        throw EDuplicateString();
    }
    name_ = value;
    changed();
}

void TCnFontLabel::SetEffect(const TCnAAEffect& value) {
    effect_->CopyFrom(&value);
    changed();
}

std::string TCnFontLabel::DisplayName() const { return name_.empty() ? ClassName() : name_; }

void TCnFontLabel::CopyFrom(const TPersistent* source) {
    const auto* label = dynamic_cast<const TCnFontLabel*>(source);
    if (label == nullptr) {
        AssignError(source);
    }
    name_ = label->name_;
    font_->Assign(*label->font_);
    effect_->CopyFrom(label->effect_.get());
}

TCnFontLabels::TCnFontLabels(TNotifyEvent onChange) : onChange_(std::move(onChange)) {}

TCnFontLabels::~TCnFontLabels() {
    // Items report to this collection while they are torn down.
    onChange_ = {};
    items_.clear();
}

TCnFontLabel& TCnFontLabels::Items(int index) const {
    if (index < 0 || index >= Count()) {
        throwListIndex(index);
    }
    return *items_[static_cast<std::size_t>(index)];
}

TCnFontLabel& TCnFontLabels::Add() {
    items_.push_back(std::make_unique<TCnFontLabel>(this));
    Changed();
    return *items_.back();
}

void TCnFontLabels::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TCnFontLabels::Clear() {
    if (items_.empty()) {
        return;
    }
    items_.clear();
    Changed();
}

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

int TCnFontLabels::IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (sameName(items_[i]->Name(), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TCnFontLabels::ApplyFontTags(std::string& line, TFont* fontTarget, TCnAAEffect* effectTarget) const {
    for (const auto& label : items_) {
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

void TCnFontLabels::BeginUpdate() { ++updateCount_; }

void TCnFontLabels::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        Changed();
    }
}

void TCnFontLabels::CopyFrom(const TPersistent* source) {
    const auto* labels = dynamic_cast<const TCnFontLabels*>(source);
    if (labels == nullptr) {
        AssignError(source);
    }
    if (labels == this) {
        return;
    }
    BeginUpdate();
    std::vector<std::unique_ptr<TCnFontLabel>> copies;
    copies.reserve(labels->items_.size());
    for (const auto& item : labels->items_) {
        copies.push_back(std::make_unique<TCnFontLabel>(this));
        copies.back()->CopyFrom(item.get());
    }
    items_ = std::move(copies);
    Changed();
    EndUpdate();
}

void TCnFontLabels::Changed() {
    if (updateCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    if (onChange_) {
        onChange_(this);
    }
}

}  // namespace caici
