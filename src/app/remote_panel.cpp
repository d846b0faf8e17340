#include "app/remote_panel.h"

#include "app/dotted_frame.h"
#include "app/phone_remote.h"
#include "common/error_guard.h"
#include "look/placement.h"
#include "look/window_look.h"
#include "remote/qr_code.h"

#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace caici {

RemotePanel::RemotePanel(PhoneRemote& remote, int codeSide, QWidget& parent)
    : QWidget(&parent), remote_(remote), codeSide_(codeSide) {
    setObjectName(QStringLiteral("remotePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    code_ = new QLabel(this);
    code_->setObjectName(QStringLiteral("remoteCode"));
    code_->setFixedSize(codeSide, codeSide);
    code_->setAlignment(Qt::AlignCenter);
    code_->setAccessibleName(QStringLiteral("手机遥控二维码"));
    layout->addWidget(code_, 0, Qt::AlignHCenter);

    address_ = new QLabel(this);
    address_->setObjectName(QStringLiteral("remoteAddress"));
    address_->setWordWrap(true);
    address_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The host may read it out or type it into a phone without a scanner.
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Narrow enough for the key's 32 digits in the start window's column.
    address_->setFont(pixelFont(QStringLiteral("DejaVu Sans Mono"), 9));
    layout->addWidget(address_);

    phones_ = new QLabel(this);
    phones_->setObjectName(QStringLiteral("remotePhones"));
    phones_->setAlignment(Qt::AlignHCenter);
    layout->addWidget(phones_);

    connect(&remote_, &PhoneRemote::changed, this, &RemotePanel::refresh);
    refresh();
}

void RemotePanel::refresh() {
    const QUrl address = remote_.address();
    if (address.isEmpty()) {
        code_->clear();
        address_->clear();
        phones_->clear();
        return;
    }
    const QString text = address.toString();
    const QrCode code(text);
    const int modules = code.width() + 2 * QrCode::quietModules;
    code_->setPixmap(QPixmap::fromImage(code.image(std::max(1, codeSide_ / modules))));
    // Too long for one line of a small window: the host and port on one,
    // the key on the next, rather than a break somewhere inside the key.
    const qsizetype keyStart = text.indexOf(address.path());
    address_->setText(text.left(keyStart + 1) + QLatin1Char('\n') + text.mid(keyStart + 1));
    phones_->setText(QStringLiteral("已连接手机：%1 部").arg(remote_.phoneCount()));
}

RemoteSwitch::RemoteSwitch(PhoneRemote& remote, ErrorReporter& reporter, QWidget& dialog, QPoint boxAt)
    : QObject(&dialog), remote_(remote), reporter_(reporter), dialog_(dialog), baseHeight_(dialog.height()) {
    const QString face = QStringLiteral("Tahoma");
    chkRemote_ = new QCheckBox(QStringLiteral("手机遥控"), &dialog);
    chkRemote_->setObjectName(QStringLiteral("chkRemote"));
    chkRemote_->setFont(pixelFont(face, 16, true));
    chkRemote_->move(boxAt);
    chkRemote_->adjustSize();
    connect(chkRemote_, &QCheckBox::toggled, this, &RemoteSwitch::chkRemoteClick);

    section_ = new QWidget(&dialog);
    section_->setObjectName(QStringLiteral("remoteSection"));
    section_->setGeometry(14, baseHeight_ - 4, 425, sectionHeight - 8);
    new DottedFrame(*section_, section_->rect(), Qt::black);
    auto* hint = new QLabel(QStringLiteral("连着同一个 Wi-Fi 的手机扫描右边的二维码，就能在手机上按“正确”“跳过”和"
                                           "“开始”，不用安装任何软件。每次打开手机遥控都换一个新的二维码。"),
                            section_);
    hint->setObjectName(QStringLiteral("remoteHint"));
    hint->setFont(pixelFont(face, 13));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hint->setGeometry(26, 16, 205, sectionHeight - 40);
    auto* panel = new RemotePanel(remote_, 130, *section_);
    panel->setGeometry(245, 4, 172, sectionHeight - 16);

    connect(&remote_, &PhoneRemote::changed, this, &RemoteSwitch::follow);
    follow();
}

void RemoteSwitch::chkRemoteClick(bool on) {
    guarded(reporter_, [&] {
        try {
            remote_.setOn(on);
        } catch (...) {
            // The remote stayed off: the box must not say otherwise.
            follow();
            throw;
        }
    });
}

void RemoteSwitch::follow() {
    // The command line may have switched it on; the box shows what is.
    const bool on = remote_.isOn();
    {
        const QSignalBlocker quiet(chkRemote_);
        chkRemote_->setChecked(on);
    }
    section_->setVisible(on);
    const int height = baseHeight_ + (on ? sectionHeight : 0);
    if (dialog_.height() == height) return;
    dialog_.setFixedSize(dialog_.width(), height);
    // Grown while open near the bottom of a small screen: up as far as it
    // must to stay whole on the screen.
    if (dialog_.isVisible()) {
        const QRect frame = dialog_.frameGeometry();
        const QRect area = screenOf(dialog_).availableGeometry();
        const int overhang = frame.bottom() - area.bottom();
        if (overhang > 0) dialog_.move(dialog_.x(), std::max(area.top(), dialog_.y() - overhang));
    }
}

}  // namespace caici
