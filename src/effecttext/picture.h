#pragma once
// A picture container: holds one graphic (a bitmap or an icon) or nothing,
// and reports every assignment through OnChange, even when the content stays
// the same.

#include <QImage>
#include <functional>

namespace caici {

class TPicture {
public:
    using ChangeEvent = std::function<void()>;

    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    void SetOnChange(ChangeEvent onChange) { onChange_ = std::move(onChange); }

    // Copies the source's graphic (or its absence) and reports the change.
    void Assign(const TPicture& source);
    void SetGraphic(const QImage& graphic, bool isIcon = false);

    // True when there is a graphic with at least one pixel.
    bool HasGraphic() const { return !graphic_.isNull() && graphic_.width() > 0 && graphic_.height() > 0; }
    const QImage& Graphic() const { return graphic_; }
    // Icons are drawn over the window text colour before being stretched.
    bool IsIcon() const { return isIcon_; }
    int Width() const { return graphic_.width(); }
    int Height() const { return graphic_.height(); }

private:
    void changed() const;

    QImage graphic_;
    bool isIcon_ = false;
    ChangeEvent onChange_;
};

}  // namespace caici
