#include "effecttext/picture.h"

#include <QImageReader>

#include "common/errors.h"

namespace caici {

void TPicture::Assign(const TPicture& source) {
    graphic_ = source.graphic_;
    isIcon_ = source.isIcon_;
    changed();
}

void TPicture::SetGraphic(const QImage& graphic, bool isIcon) {
    graphic_ = graphic;
    isIcon_ = isIcon;
    changed();
}

void TPicture::Clear() { SetGraphic(QImage()); }

void TPicture::LoadFromFile(const QString& path) {
    QImageReader reader(path);
    const bool isIcon = reader.format() == "ico" || reader.format() == "cur";
    QImage image = reader.read();
    if (image.isNull()) {
        throw Error(formatMessage("Cannot read the picture \"%s\": ", path.toStdString()) +
                    reader.errorString().toStdString());
    }
    SetGraphic(image, isIcon);
}

void TPicture::changed() const {
    if (onChange_) onChange_();
}

}  // namespace caici
