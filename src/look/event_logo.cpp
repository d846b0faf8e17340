#include "look/event_logo.h"

#include "common/utf8_count.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSize>

#include <algorithm>
#include <string_view>
#include <utility>

namespace caici {
namespace {

// The signatures the two formats start with: a file is judged by these,
// never by its name.
const QByteArray pngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
const QByteArray jpegSignature = QByteArrayLiteral("\xff\xd8\xff");

}  // namespace

QString clippedEventName(const QString& name) {
    const QByteArray text = name.toUtf8();
    const std::string_view kept = codePointPrefix(std::string_view(text.constData(), text.size()), maxEventNameLength);
    if (kept.size() == static_cast<std::size_t>(text.size())) return name;
    return QString::fromUtf8(kept.data(), static_cast<qsizetype>(kept.size()));
}

LogoReading readEventLogo(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) return {{}, LogoFault::unreadable};
    // Before anything is read: a huge file is refused without being touched.
    if (info.size() > maxEventLogoBytes) return {{}, LogoFault::tooLarge};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, LogoFault::unreadable};
    const QByteArray start = file.peek(pngSignature.size());
    QByteArray format;
    if (start.startsWith(pngSignature)) {
        format = QByteArrayLiteral("png");
    } else if (start.startsWith(jpegSignature)) {
        format = QByteArrayLiteral("jpeg");
    } else {
        return {{}, LogoFault::notPicture};
    }
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(false);
    // A photo keeps the way up the camera recorded.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > maxEventLogoSide) {
        reader.setScaledSize(size.scaled(maxEventLogoSide, maxEventLogoSide, Qt::KeepAspectRatio));
    }
    QImage logo = reader.read();
    if (logo.isNull()) return {{}, LogoFault::notPicture};
    return {std::move(logo), std::nullopt};
}

}  // namespace caici
