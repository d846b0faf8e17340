#include "remote/qr_code.h"

#include "common/errors.h"

#include <qrencode.h>

#include <cstring>
#include <memory>

namespace caici {
namespace {

struct QrFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

QrCode::QrCode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    // Level M survives a smudged or glaring screen; the address is short
    // enough for a code that scans from across a table.
    const std::unique_ptr<QRcode, QrFree> code(QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_M));
    if (!code) throw Error("地址太长，无法生成二维码。");
    width_ = code->width;
    modules_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(width_));
    // libqrencode marks a dark module with the lowest bit of its byte.
    for (std::size_t i = 0; i < modules_.size(); ++i) modules_[i] = (code->data[i] & 1) != 0;
}

QImage QrCode::image(int moduleSize) const {
    const int side = (width_ + 2 * quietModules) * moduleSize;
    QImage picture(side, side, QImage::Format_Grayscale8);
    picture.fill(255);
    for (int y = 0; y < width_; ++y) {
        for (int row = 0; row < moduleSize; ++row) {
            uchar* line = picture.scanLine((y + quietModules) * moduleSize + row) + quietModules * moduleSize;
            for (int x = 0; x < width_; ++x) {
                if (dark(x, y)) std::memset(line + x * moduleSize, 0, static_cast<std::size_t>(moduleSize));
            }
        }
    }
    return picture;
}

}  // namespace caici
