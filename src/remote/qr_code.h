#pragma once
// The QR code a phone scans to open the remote's address: the modules that
// libqrencode lays out for a text, and a picture of them with the quiet zone
// of four modules that scanners need around the code.

#include <QImage>
#include <QString>

#include <vector>

namespace caici {

class QrCode {
public:
    // Throws Error when the text is too long for any QR code.
    explicit QrCode(const QString& text);

    // Modules along one side.
    int width() const { return width_; }
    bool dark(int x, int y) const { return modules_[static_cast<std::size_t>(y * width_ + x)]; }

    // Black modules of moduleSize pixels on white, quiet zone included.
    QImage image(int moduleSize) const;

    static constexpr int quietModules = 4;

private:
    int width_ = 0;
    std::vector<bool> modules_;
};

}  // namespace caici
