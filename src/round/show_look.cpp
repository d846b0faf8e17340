#include "round/show_look.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <algorithm>

namespace caici {
namespace {

// The word display's gradient, which the panels' titles wear.
const QColor headlineMiddle(255, 255, 0);
const QColor headlineEdge(248, 162, 33);
const QColor markRing(255, 255, 255, 150);
// Large enough for a logo a fifth of a 4K screen high.
constexpr int logoLimit = 512;

}  // namespace

QColor teamColor(std::size_t place) {
    return QColor(QRgb(0xff000000u | teamPalette[std::min(place, teamPaletteSize - 1)]));
}

void drawTeamMark(QPainter& painter, const QRectF& box, const QColor& color) {
    const qreal side = std::min(box.width(), box.height());
    QRectF disc(0, 0, side, side);
    disc.moveCenter(box.center());
    const qreal ring = std::max<qreal>(1, side / 14);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(markRing, ring));
    painter.setBrush(color);
    painter.drawEllipse(disc.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2));
    painter.restore();
}

int fittingPixels(QFont font, const QString& text, int width, int maxPixels, int minPixels) {
    int pixels = std::max(minPixels, maxPixels);
    while (pixels > minPixels) {
        font.setPixelSize(pixels);
        const int need = QFontMetrics(font).horizontalAdvance(text);
        if (need <= width) break;
        pixels = std::max(minPixels, std::min(pixels - 1, pixels * width / std::max(1, need)));
    }
    return pixels;
}

void drawHeadline(QPainter& painter, const QRect& area, const QString& text) {
    QFont font(QStringLiteral("微软雅黑"));
    font.setBold(true);
    font.setPixelSize(std::max(1, area.height() * 3 / 4));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    // Wider than the area: the whole path shrinks, so the text is never cut.
    const qreal scale = bounds.width() > area.width() ? area.width() / bounds.width() : 1.0;
    QTransform fit;
    fit.scale(scale, scale);
    path = fit.map(path);
    const QRectF scaled = path.boundingRect();
    path.translate(area.center().x() - scaled.center().x(), area.center().y() - scaled.center().y());
    const QRectF placed = path.boundingRect();
    const qreal shadow = std::max<qreal>(1, placed.height() / 30.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path.translated(shadow, shadow), Qt::black);
    QLinearGradient fill(placed.topLeft(), placed.bottomLeft());
    fill.setColorAt(0, headlineEdge);
    fill.setColorAt(0.5, headlineMiddle);
    fill.setColorAt(1, headlineEdge);
    painter.fillPath(path, fill);
    painter.restore();
}

QImage brandLogo(const QImage& logo) {
    if (logo.isNull() || (logo.width() <= logoLimit && logo.height() <= logoLimit)) return logo;
    return logo.scaled(logoLimit, logoLimit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void drawBrand(QPainter& painter, const QRect& area, const EventBrand& brand, const QFont& font, const QColor& color,
               Qt::Alignment alignment) {
    if (brand.empty() || area.isEmpty()) return;
    QSize logo;
    if (!brand.logo.isNull()) {
        logo = brand.logo.size().scaled(area.size(), Qt::KeepAspectRatio);
        // A very wide logo leaves the name at least half the room.
        if (!brand.name.isEmpty() && logo.width() > area.width() / 2) {
            logo = brand.logo.size().scaled(QSize(area.width() / 2, area.height()), Qt::KeepAspectRatio);
        }
    }
    const int gap = logo.isEmpty() || brand.name.isEmpty() ? 0 : area.height() / 4;
    QFont nameFont = font;
    const int room = std::max(1, area.width() - logo.width() - gap);
    nameFont.setPixelSize(fittingPixels(font, brand.name, room, std::max(8, area.height() * 3 / 5), 8));
    const QFontMetrics metrics(nameFont);
    const QString name = metrics.elidedText(brand.name, Qt::ElideRight, room);
    const int width = logo.width() + gap + (name.isEmpty() ? 0 : metrics.horizontalAdvance(name));
    int left = area.left();
    if (alignment & Qt::AlignHCenter) left = area.left() + (area.width() - width) / 2;
    if (alignment & Qt::AlignRight) left = area.right() + 1 - width;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!logo.isEmpty()) {
        painter.drawImage(QRect(QPoint(left, area.top() + (area.height() - logo.height()) / 2), logo), brand.logo);
    }
    if (!name.isEmpty()) {
        painter.setFont(nameFont);
        painter.setPen(color);
        painter.drawText(QRect(left + logo.width() + gap, area.top(), room, area.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    painter.restore();
}

}  // namespace caici
