#include "look/window_look.h"

#include <QPalette>
#include <QWidget>

namespace caici {

QColor storedColor(int bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

QFont pixelFont(const QString& face, int pixelHeight, bool bold) {
    QFont font(face);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QString captionText(const char* utf8) {
    QString text = QString::fromUtf8(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void setBackgroundColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setTextColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget.setPalette(palette);
}

}  // namespace caici
