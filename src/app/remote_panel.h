#pragma once
// What the host shows the phones while the remote is on: the QR code of the
// remote's address, the address as text (for a phone without a scanner) and
// how many phones are connected. It follows the remote as it is switched.

#include <QWidget>

class QCheckBox;
class QLabel;

namespace caici {

class ErrorReporter;
class PhoneRemote;

class RemotePanel : public QWidget {
    Q_OBJECT
public:
    // codeSide: the room for the QR code, a square; the code is drawn in
    // whole pixels per module, as large as fits, so it stays sharp.
    RemotePanel(PhoneRemote& remote, int codeSide, QWidget& parent);

private:
    void refresh();

    PhoneRemote& remote_;
    int codeSide_;
    QLabel* code_ = nullptr;
    QLabel* address_ = nullptr;
    QLabel* phones_ = nullptr;
};

// The rules dialog's part for the remote: the switch "手机遥控" in the
// dialog's row of settings and, while the remote is on, a section below the
// dialog's own content with what the switch does and the code. The dialog
// grows by the section while it shows and stays on its screen.
class RemoteSwitch : public QObject {
    Q_OBJECT
public:
    static constexpr int sectionHeight = 180;

    // boxAt: where the switch goes in the dialog.
    RemoteSwitch(PhoneRemote& remote, ErrorReporter& reporter, QWidget& dialog, QPoint boxAt);

    QCheckBox& chkRemote() const { return *chkRemote_; }

private:
    void chkRemoteClick(bool on);
    void follow();

    PhoneRemote& remote_;
    ErrorReporter& reporter_;
    QWidget& dialog_;
    // The dialog's height without the section.
    int baseHeight_;
    QCheckBox* chkRemote_ = nullptr;
    QWidget* section_ = nullptr;
};

}  // namespace caici
