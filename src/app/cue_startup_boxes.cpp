#include "app/cue_startup_boxes.h"

#include "common/product.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace caici {

void CueStartupBoxes::showIncorrectVersion(const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Critical, QString(), QString::fromStdString(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The program ends once the box is confirmed, with a failure status.
    QObject::connect(box, &QMessageBox::finished, box, [] { QCoreApplication::exit(1); });
    endingBoxShown_ = true;
    box->show();
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
