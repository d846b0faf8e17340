#include "effecttext/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace caici {
namespace {

QColor qColor(TColor color) {
    const Rgb rgb = toRgb(color);
    return QColor(rgb.r, rgb.g, rgb.b);
}

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TCanvas::TCanvas(QImage& target) : image_(&target) {}

QSize TCanvas::TextExtent(std::string_view text) const {
    const QFontMetrics metrics(font_.ToQFont());
    return {metrics.horizontalAdvance(qText(text)), metrics.ascent() + metrics.descent()};
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (image_->isNull()) return;
    const QFont font = font_.ToQFont();
    const QFontMetrics metrics(font);
    const QString string = qText(text);
    QPainter painter(image_);
    painter.translate(x, y);
    // Escapement turns counter-clockwise on screen, where y points down.
    if (font_.LogFont().Escapement != 0) painter.rotate(-font_.LogFont().Escapement / 10.0);
    if (brush_.Style == TBrushStyle::bsSolid) {
        painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(string), metrics.ascent() + metrics.descent()),
                         qColor(brush_.Color));
    }
    painter.setFont(font);
    painter.setPen(qColor(font_.Color()));
    painter.drawText(QPoint(0, metrics.ascent()), string);
}

void TCanvas::FillRect(const QRect& rect) {
    if (image_->isNull()) return;
    QPainter painter(image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect, qColor(brush_.Color));
}

void TCanvas::Draw(int x, int y, const QImage& graphic) {
    if (image_->isNull() || graphic.isNull()) return;
    QPainter painter(image_);
    painter.drawImage(QPoint(x, y), graphic);
}

void TCanvas::StretchDraw(const QRect& rect, const QImage& graphic) {
    if (image_->isNull() || graphic.isNull()) return;
    QPainter painter(image_);
    painter.drawImage(rect, graphic);
}

}  // namespace caici
