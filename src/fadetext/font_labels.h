#pragma once
// Named font styles: a tag "<Name>" in a display line gives the line the
// style's font and effect settings. The collection resolves the styles of a
// line in its own order, so when a line names several styles the one that
// comes last in the collection wins, whatever the order of the tags.

#include <memory>
#include <string>

#include "effecttext/aa_effect.h"
#include "effecttext/colors.h"
#include "effecttext/font.h"
#include "fadetext/label_collection.h"

namespace caici {

class TCnFontLabels;

class TCnFontLabel : public LabelItem<TCnFontLabels> {
public:
    // An item belongs to the collection that creates it; one made without a
    // collection stands alone (no notification, no name check).
    explicit TCnFontLabel(TCnFontLabels* collection = nullptr);
    ~TCnFontLabel() override;

    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    void SetFont(const TFont& value) { font_->Assign(value); }
    TCnAAEffect& Effect() { return *effect_; }
    const TCnAAEffect& Effect() const { return *effect_; }
    void SetEffect(const TCnAAEffect& value);

    // Copies Name (unchecked), the whole font and the whole effect.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnFontLabel"; }

private:
    friend class TCnFontLabels;

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TCnAAEffect> effect_;
};

class TCnFontLabels : public LabelCollection<TCnFontLabels, TCnFontLabel> {
public:
    explicit TCnFontLabels(TNotifyEvent onChange = {});
    ~TCnFontLabels() override;

    // Adds a style with the name, face, size in points, colour, style set and
    // shadow switch and offsets (everything else at its default), or returns
    // nullptr and adds nothing when a style of that name exists. Notifies
    // once, for the addition.
    TCnFontLabel* AddFontLabel(const std::string& name, const std::string& fontName, int size,
                               TColor color, TFontStyles style, bool shadow, int offsetX, int offsetY);
    // Removes the first tag of each style, in collection order, copying that
    // style's font and effect into the targets that are given.
    void ApplyFontTags(std::string& line, TFont* fontTarget, TCnAAEffect* effectTarget) const;

    const char* ClassName() const override { return "TCnFontLabels"; }
};

}  // namespace caici
