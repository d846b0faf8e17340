#include "round/digital_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace caici {

bool DigitalFont::familyAvailable(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QString DigitalFont::registerFor(const QString& baseFolder) {
    const QString preferred = QString::fromLatin1(preferredFamily);
    QFontDatabase::addApplicationFont(baseFolder + QString::fromLatin1(preferredFile));
    if (familyAvailable(preferred)) return preferred;

    const int id = QFontDatabase::addApplicationFont(baseFolder + QString::fromLatin1(fallbackFile));
    const QStringList families = id < 0 ? QStringList{} : QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? preferred : families.front();
}

int DigitalFont::pixelSizeFor(const QFont& font, int designPixels, const QString& sample, int designWidth) {
    if (font.family().compare(QString::fromLatin1(preferredFamily), Qt::CaseInsensitive) == 0) return designPixels;
    QFont measured = font;
    measured.setPixelSize(designPixels);
    const int width = QFontMetrics(measured).horizontalAdvance(sample);
    if (width <= designWidth) return designPixels;
    return std::max(1, designPixels * designWidth / width);
}

}  // namespace caici
