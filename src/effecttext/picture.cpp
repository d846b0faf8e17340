#include "effecttext/picture.h"

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

void TPicture::changed() const {
    if (onChange_) onChange_();
}

}  // namespace caici
