#pragma once
// Named font styles: a tag "<Name>" in a display line gives the line the
// style's font and effect settings. The collection resolves the styles of a
// line in its own order, so when a line names several styles the one that
// comes last in the collection wins, whatever the order of the tags.

#include <memory>
#include <string>
#include <vector>

#include "effecttext/aa_effect.h"
#include "effecttext/colors.h"
#include "effecttext/font.h"
#include "effecttext/persistent.h"

namespace caici {

class TCnFontLabels;

class TCnFontLabel : public TPersistent {
public:
    // An item belongs to the collection that creates it; one made without a
    // collection stands alone (no notification, no name check).
    explicit TCnFontLabel(TCnFontLabels* collection = nullptr);
    ~TCnFontLabel() override;

    const std::string& Name() const { return name_; }
    // Throws EDuplicateString when another item of the collection bears the
    // name (ignoring case); the name then stays as it was.
    void SetName(const std::string& value);
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    void SetFont(const TFont& value) { font_->Assign(value); }
    TCnAAEffect& Effect() { return *effect_; }
    const TCnAAEffect& Effect() const { return *effect_; }
    void SetEffect(const TCnAAEffect& value);

    // The caption an editor shows: the name, or the class name when empty.
    std::string DisplayName() const;
    TCnFontLabels* Collection() const { return collection_; }

    // Copies Name (unchecked), the whole font and the whole effect.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnFontLabel"; }

private:
    friend class TCnFontLabels;
    void changed();

    TCnFontLabels* collection_;
    std::string name_;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TCnAAEffect> effect_;
};

class TCnFontLabels : public TPersistent {
public:
    explicit TCnFontLabels(TNotifyEvent onChange = {});
    ~TCnFontLabels() override;

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EListError for an index outside 0..Count-1.
    TCnFontLabel& Items(int index) const;
    TCnFontLabel& Add();
    void Delete(int index);
    void Clear();

    // Adds a style with the name, face, size in points, colour, style set and
    // shadow switch and offsets (everything else at its default), or returns
    // nullptr and adds nothing when a style of that name exists. Notifies
    // once, for the addition.
    TCnFontLabel* AddFontLabel(const std::string& name, const std::string& fontName, int size,
                               TColor color, TFontStyles style, bool shadow, int offsetX, int offsetY);
    // Index of the first style whose name equals name ignoring case, or -1.
    int IndexOf(const std::string& name) const;
    // Removes the first tag of each style, in collection order, copying that
    // style's font and effect into the targets that are given.
    void ApplyFontTags(std::string& line, TFont* fontTarget, TCnAAEffect* effectTarget) const;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent value) { onChange_ = std::move(value); }

    // Changes made between these two calls are reported once, at the end.
    void BeginUpdate();
    void EndUpdate();

    // Replaces every item by a copy of the source's items; notifies once.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnFontLabels"; }

    void Changed();

private:
    std::vector<std::unique_ptr<TCnFontLabel>> items_;
    TNotifyEvent onChange_;
    int updateCount_ = 0;
    bool pendingChange_ = false;
};

}  // namespace caici
