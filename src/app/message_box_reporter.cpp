#include "app/message_box_reporter.h"

#include "common/product.h"

#include <QMessageBox>

namespace caici {

void MessageBoxReporter::reportError(const std::string& text) {
    show(true, QString::fromStdString(text));
}

void MessageBoxReporter::reportWarning(const std::string& text) {
    show(false, QString::fromStdString(text));
}

void MessageBoxReporter::show(bool error, const QString& text) {
    std::erase_if(open_, [](const auto& entry) { return entry.second.isNull(); });
    if (const auto found = open_.find(text); found != open_.end()) {
        found->second->raise();
        return;
    }
    auto* box = new QMessageBox(error ? QMessageBox::Critical : QMessageBox::Warning,
                                QString::fromUtf8(productTitle), text, QMessageBox::Ok);
    // A window of its own: the window active now may be a chooser that is
    // about to close and would take its children with it.
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    box->setTextFormat(Qt::PlainText);
    open_.emplace(text, box);
    box->show();
}

}  // namespace caici
