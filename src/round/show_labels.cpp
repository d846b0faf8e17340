#include "round/show_labels.h"

#include "round/show_look.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace caici {
namespace {

// The mark is as high as three quarters of the text's capitals, and stands
// half a mark away from the text.
int markSide(const QFontMetrics& metrics) {
    return std::max(6, metrics.ascent() * 3 / 4);
}

}  // namespace

MarkedLabel::MarkedLabel(QWidget* parent) : QLabel(parent) {
    // Team names are the host's own text: shown as typed, never as markup.
    setTextFormat(Qt::PlainText);
}

void MarkedLabel::setMark(std::optional<QColor> color) {
    mark_ = color;
    updateGeometry();
    update();
}

QSize MarkedLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    if (mark_) hint.rwidth() += markSide(fontMetrics()) * 3 / 2;
    return hint;
}

void MarkedLabel::paintEvent(QPaintEvent* event) {
    if (!mark_) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int side = markSide(metrics);
    const int gap = side / 2;
    const QRect area = contentsRect();
    const int advance = metrics.horizontalAdvance(text());
    const int textWidth = std::min(advance, area.width() - side - gap);
    const int width = side + gap + std::max(0, textWidth);
    int left = area.left();
    if (alignment() & Qt::AlignHCenter) left = area.left() + std::max(0, (area.width() - width) / 2);
    if (alignment() & Qt::AlignRight) left = area.right() + 1 - width;
    const int middle = area.top() + area.height() / 2;
    drawTeamMark(painter, QRectF(left, middle - side / 2.0, side, side), *mark_);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textArea(left + side + gap, area.top(), std::max(0, textWidth), area.height());
    // The advance is rounded: eliding to it cuts a name that fits by a fraction of a pixel.
    const QString shown = advance <= textWidth ? text() : metrics.elidedText(text(), Qt::ElideRight, textWidth);
    painter.drawText(textArea.adjusted(0, 0, 1, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

HeadlineLabel::HeadlineLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void HeadlineLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawHeadline(painter, contentsRect(), text());
}

BrandLabel::BrandLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    hide();
}

void BrandLabel::setBrand(const EventBrand& brand) {
    brand_ = {brand.name, brandLogo(brand.logo)};
    setText(brand.name);
    setAccessibleName(brand.name.isEmpty() ? QStringLiteral("活动标志") : brand.name);
    setVisible(!brand.empty());
    update();
}

void BrandLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawBrand(painter, contentsRect(), brand_, font(), palette().color(QPalette::WindowText),
              alignment() & Qt::AlignHorizontal_Mask);
}

CountLabel::CountLabel(QWidget* parent, const QString& digitalFamily, const QColor& color)
    : QLabel(parent), digitalFamily_(digitalFamily), color_(color) {}

void CountLabel::setCount(int seconds, int of) {
    seconds_ = seconds;
    of_ = std::max(1, of);
    setText(QString::number(seconds));
    update();
}

void CountLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height());
    const qreal pen = std::max(3, side / 16);
    QRectF ring(0, 0, side - pen, side - pen);
    ring.moveCenter(QRectF(rect()).center());
    painter.setPen(QPen(QColor(255, 255, 255, 50), pen));
    painter.drawEllipse(ring);
    QPen arc(color_, pen);
    arc.setCapStyle(Qt::RoundCap);
    painter.setPen(arc);
    // Clockwise from twelve o'clock, the part of the count still to go.
    painter.drawArc(ring, 90 * 16, -360 * 16 * std::clamp(seconds_, 0, of_) / of_);
    QFont digits(digitalFamily_);
    digits.setPixelSize(std::max(8, side * 11 / 20));
    painter.setFont(digits);
    painter.setPen(color_);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

}  // namespace caici
