#include "app/cue_startup_boxes.h"

#include "common/product.h"

#include <QMessageBox>

namespace caici {

void CueStartupBoxes::showIncorrectVersion(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString(), QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

void CueStartupBoxes::showAudioInitFailed(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(productTitle), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace caici
