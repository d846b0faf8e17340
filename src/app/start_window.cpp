#include "app/start_window.h"

#include "app/library_browser.h"
#include "app/phone_remote.h"
#include "app/remote_panel.h"
#include "app/rules_dialog.h"
#include "app/start_label.h"
#include "app/start_window_geometry.h"
#include "look/window_look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace caici {

namespace {

// The start label's colour while the pointer is over it: 128, dark red.
constexpr int hoverColor = 128;

}  // namespace

TForm1::TForm1(Game& game, ErrorReporter& errors) : game_(game), errors_(errors) {
    setObjectName(QStringLiteral("Form1"));
    buildLayout();
    connectHandlers();
    game_.addListener(*this);
}

TForm1::~TForm1() {
    game_.removeListener(*this);
}

void TForm1::connectRules(TForm2& rules) {
    rules_ = &rules;
}

void TForm1::connectRemote(PhoneRemote& remote) {
    remotePanel = new RemotePanel(remote, 150, *this);
    remotePanel->setGeometry(img2->geometry().adjusted(0, -design::start::remoteOverhang, 0, design::start::remoteOverhang));
    const auto follow = [this, &remote] {
        remotePanel->setVisible(remote.isOn());
        img2->setVisible(!remote.isOn());
    };
    connect(&remote, &PhoneRemote::changed, this, follow);
    follow();
}

void TForm1::connectHandlers() {
    connect(Label2, &StartLabel::mouseMoved, this, &TForm1::Label2MouseMove);
    connect(Label2, &StartLabel::mouseLeft, this, &TForm1::Label2MouseLeave);
    connect(Label2, &StartLabel::mousePressed, this, &TForm1::Label2MouseDown);
    connect(Label2, &StartLabel::mouseReleased, this, &TForm1::Label2MouseUp);
    connect(Label2, &QAbstractButton::clicked, this, &TForm1::Label2Click);
    connect(btn3, &QPushButton::clicked, this, &TForm1::btn3Click);
    connect(pgc1->btn2, &QPushButton::clicked, this, &TForm1::btn2Click);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && !shownBefore_) {
        shownBefore_ = true;
        handle([this] { FormShow(); });
    }
}

void TForm1::FormShow() {
    game_.play(Cue::MainWindow);
}

void TForm1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void TForm1::Label2MouseMove() {
    handle([this] {
        Label2->setFontColor(storedColor(hoverColor));
        if (!hovering_) {
            game_.play(Cue::Hover);
            hovering_ = true;
        }
    });
}

void TForm1::Label2MouseLeave() {
    handle([this] {
        hovering_ = false;
        Label2->setFontColor(Qt::black);
    });
}

void TForm1::Label2MouseDown() {
    handle([this] { Label2->move(Label2->pos() + QPoint(1, 1)); });
}

void TForm1::Label2MouseUp() {
    handle([this] { Label2->move(Label2->pos() - QPoint(1, 1)); });
}

void TForm1::Label2Click() {
    // The start window's start begins a round from any state, a running one
    // included: the host's deliberate restart, which no other device offers.
    handle([this] { game_.start(); });
}

void TForm1::btn3Click() {
    handle([this] {
        if (rules_ == nullptr || rules_->isVisible()) return;
        rules_->show();
        rules_->raise();
        rules_->activateWindow();
    });
}

void TForm1::btn2Click() {
    handle([this] {
        if (const auto sheet = game_.browseSheet(pgc1->chosenSheet().toStdString())) pgc1->showSheet(*sheet);
    });
}

void TForm1::matchChanged() {
    const int team = game_.nextTeam();
    if (team < 0) {
        nextTeam->hide();
        return;
    }
    nextTeam->setText(QStringLiteral("下一队：") + QString::fromStdString(game_.match()->teams().at(static_cast<std::size_t>(team))));
    nextTeam->adjustSize();
    const int left = std::clamp(Label2->geometry().center().x() - nextTeam->width() / 2, 8,
                                std::max(8, width() - nextTeam->width() - 8));
    nextTeam->move(left, Label2->geometry().bottom() + design::start::nextTeamGap);
    nextTeam->show();
    nextTeam->raise();
}

void TForm1::libraryChanged() {
    // cbb1 lists whatever the load left, also after a failure.
    pgc1->setSheetNames(game_.library().sheetNames());
}

}  // namespace caici
