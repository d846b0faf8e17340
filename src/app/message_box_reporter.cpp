#include "app/message_box_reporter.h"

#include "common/product.h"

#include <QApplication>
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
                                QString::fromUtf8(productTitle), text, QMessageBox::Ok,
                                QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->setTextFormat(Qt::PlainText);
    open_.emplace(text, box);
    box->show();
}

}  // namespace caici
