#include "round/window_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace caici {

namespace {

// How long the end box ignores presses.
constexpr int deafMilliseconds = 1000;
constexpr int clearance = 12;

void prepare(QMessageBox& box) {
    // The desktop's dialog font rather than the small font of the parent's footer.
    box.setFont(QApplication::font("QMessageBox"));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
}

// Below keepClear where the box fits on the screen, else above it; left
// where the desktop puts it when neither fits.
void placeClearOf(QMessageBox& box, const QRect& keepClear) {
    box.adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(keepClear.center());
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size = box.frameGeometry().size().expandedTo(box.size());
    const int left = std::clamp(keepClear.center().x() - size.width() / 2, area.left(),
                                std::max(area.left(), area.right() + 1 - size.width()));
    if (keepClear.bottom() + clearance + size.height() <= area.bottom()) {
        box.move(left, keepClear.bottom() + clearance);
    } else if (keepClear.top() - clearance - size.height() >= area.top()) {
        box.move(left, keepClear.top() - clearance - size.height());
    }
}

}  // namespace

void DesktopDialogs::information(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    prepare(box);
    box.exec();
}

void DesktopDialogs::roundOver(QWidget* parent, const QString& caption, const QString& text,
                               const QRect& keepClear) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    prepare(box);
    placeClearOf(box, keepClear);
    // A disabled button takes neither Enter, Escape nor a click.
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    ok->setEnabled(false);
    QTimer::singleShot(deafMilliseconds, ok, [ok] {
        ok->setEnabled(true);
        ok->setFocus();
    });
    box.exec();
}

std::optional<QColor> DesktopDialogs::chooseColor(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    dialog.setFont(QApplication::font("QColorDialog"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

bool DesktopDialogs::question(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    prepare(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DesktopDialogs::saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                                const QString& filter) {
    const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> DesktopDialogs::openFile(QWidget* parent, const QString& caption, const QString& folder,
                                                const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, caption, folder, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

void DesktopDialogs::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace caici
