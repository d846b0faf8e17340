#include "app/cue_startup_boxes.h"

#include "common/product.h"

#include <QMessageBox>

namespace caici {

void CueStartupBoxes::showIncorrectVersion(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString(), QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

void CueStartupBoxes::showAudioInitFailed(const std::string& text) {
    // The game goes on without sound: the box does not hold up the windows
    // or the phone remote while nobody has read it yet.
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(productTitle), QString::fromStdString(text),
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

}  // namespace caici
