#include "round/window_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QMessageBox>

namespace caici {

void DesktopDialogs::information(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    // The desktop's dialog font rather than the small font of the parent's footer.
    box.setFont(QApplication::font("QMessageBox"));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

std::optional<QColor> DesktopDialogs::chooseColor(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    dialog.setFont(QApplication::font("QColorDialog"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

void DesktopDialogs::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace caici
