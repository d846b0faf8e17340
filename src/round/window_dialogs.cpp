#include "round/window_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace caici {

namespace {

constexpr int clearance = 12;

// A dialog that leaves every other window working: a round, a review and
// the phones go on while it is open.
void showBeside(QDialog& dialog) {
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
}

// A box that lives on its own: shown, not waited for, deleted once closed.
QMessageBox* openBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                     QMessageBox::StandardButtons buttons, QWidget* parent) {
    auto* box = new QMessageBox(icon, caption, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // The desktop's dialog font rather than the small font of the parent's footer.
    box->setFont(QApplication::font("QMessageBox"));
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    // Plain text: a team's name or a word is never read as markup.
    box->setTextFormat(Qt::PlainText);
    return box;
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

// A key held down since before the box appeared repeats into it: those
// repeats are not an answer. A deliberate press, key or click, is.
class HeldKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        return static_cast<QKeyEvent*>(event)->isAutoRepeat();
    }
};

}  // namespace

void DesktopDialogs::information(QWidget* parent, const QString& caption, const QString& text) {
    openBox(QMessageBox::Information, caption, text, QMessageBox::Ok, parent)->show();
}

void DesktopDialogs::roundOver(QWidget* parent, const QString& caption, const QString& text,
                               const QRect& keepClear, std::function<void()> closed) {
    closeRoundOver();
    QMessageBox* box = openBox(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    placeClearOf(*box, keepClear);
    auto* held = new HeldKeys(box);
    box->installEventFilter(held);
    for (QWidget* child : box->findChildren<QWidget*>()) child->installEventFilter(held);
    // Answered, or closed from here: not when its parent goes at the end.
    QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)](int) {
        if (closed) closed();
    });
    roundOverBox_ = box;
    box->show();
}

void DesktopDialogs::closeRoundOver() {
    if (roundOverBox_) roundOverBox_->close();
}

void DesktopDialogs::chooseColor(QWidget* parent, const QColor& initial, std::function<void(const QColor&)> chosen) {
    auto* dialog = new QColorDialog(initial, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFont(QApplication::font("QColorDialog"));
    QObject::connect(dialog, &QColorDialog::colorSelected, dialog, std::move(chosen));
    showBeside(*dialog);
}

void DesktopDialogs::question(QWidget* parent, const QString& caption, const QString& text,
                              std::function<void(bool)> answered) {
    QMessageBox* box = openBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    QObject::connect(box, &QMessageBox::finished, box,
                     [box, answered = std::move(answered)](int) {
                         answered(box->clickedButton() == box->button(QMessageBox::Yes));
                     });
    box->show();
}

void DesktopDialogs::saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                              const QString& filter, std::function<void(const QString&)> chosen) {
    auto* dialog = new QFileDialog(parent, caption, suggested, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, std::move(chosen));
    showBeside(*dialog);
}

void DesktopDialogs::openFile(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter, std::function<void(const QString&)> chosen) {
    auto* dialog = new QFileDialog(parent, caption, folder, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, std::move(chosen));
    showBeside(*dialog);
}

void DesktopDialogs::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace caici
