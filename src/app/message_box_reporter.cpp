#include "app/message_box_reporter.h"

#include "common/product.h"

#include <QApplication>
#include <QMessageBox>

namespace caici {

void MessageBoxReporter::reportError(const std::string& text) {
    QMessageBox::critical(QApplication::activeWindow(), QString::fromUtf8(productTitle),
                          QString::fromStdString(text));
}

void MessageBoxReporter::reportWarning(const std::string& text) {
    QMessageBox::warning(QApplication::activeWindow(), QString::fromUtf8(productTitle),
                         QString::fromStdString(text));
}

}  // namespace caici
