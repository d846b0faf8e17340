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

// The rules dialog's part for the remote: the switch "手机遥控", what it
// does, and the panel beside it.
class RemoteSwitch : public QWidget {
    Q_OBJECT
public:
    static constexpr int height = 190;

    RemoteSwitch(PhoneRemote& remote, ErrorReporter& reporter, QWidget& parent);

    QCheckBox& chkRemote() const { return *chkRemote_; }

private:
    void chkRemoteClick(bool on);
    void follow();

    PhoneRemote& remote_;
    ErrorReporter& reporter_;
    QCheckBox* chkRemote_ = nullptr;
};

}  // namespace caici
