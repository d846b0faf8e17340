#pragma once
// A picture container: holds one graphic of any format Qt reads (bitmaps,
// PNG, JPEG, icons ...) or nothing, and reports every assignment, load or
// clear through OnChange, even when the content stays the same.

#include <QImage>
#include <QString>
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
    void Clear();
    // Throws caici::Error naming the file when it cannot be read.
    void LoadFromFile(const QString& path);

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
