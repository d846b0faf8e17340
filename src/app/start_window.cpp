#include "app/start_window.h"

#include "app/command_menu.h"
#include "app/library_browser.h"
#include "app/product.h"
#include "app/rules_dialog.h"
#include "app/start_label.h"
#include "app/window_look.h"
#include "round/round_engine.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QShowEvent>

namespace caici {

namespace {

// The start label's colour while the pointer is over it: 128, dark red.
constexpr int hoverColor = 128;

MessagePump windowMessagePump() {
    return RateLimitedPump([] { QCoreApplication::processEvents(); });
}

}  // namespace

TForm1::TForm1(StartWindowParts parts)
    : errors_(parts.errors),
      baseFolder_(parts.baseFolder),
      pump_(windowMessagePump()),
      library_(parts.baseFolder.toStdString(), parts.readerPath.toStdString(), pump_),
      cues_(std::move(parts.audio)) {
    setObjectName(QStringLiteral("Form1"));
    buildLayout();
    connectHandlers();
    FormCreate(parts.cueMessages);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(CueStartupMessages& messages) {
    // Painting is double-buffered by Qt's backing store; nothing to switch on.
    // The program cannot run with a mismatched audio library: it ends with a
    // failure status, so a launcher or script sees that it did not start.
    if (cues_.start(baseFolder_.toStdString(), messages) == CueStartup::IncorrectVersion) {
        throw ProgramEnd(1);
    }
}

void TForm1::connectWindows(TForm2& rules, RoundEngine& round) {
    rules_ = &rules;
    round_ = &round;
}

void TForm1::connectHandlers() {
    connect(Label2, &StartLabel::mouseMoved, this, &TForm1::Label2MouseMove);
    connect(Label2, &StartLabel::mouseLeft, this, &TForm1::Label2MouseLeave);
    connect(Label2, &StartLabel::mousePressed, this, &TForm1::Label2MouseDown);
    connect(Label2, &StartLabel::mouseReleased, this, &TForm1::Label2MouseUp);
    connect(Label2, &QAbstractButton::clicked, this, &TForm1::Label2Click);
    connect(btn3, &QPushButton::clicked, this, &TForm1::btn3Click);
    connect(pgc1->btn2, &QPushButton::clicked, this, &TForm1::btn2Click);
    connect(commands_->N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(commands_->lst21, &QAction::triggered, this, &TForm1::lst21Click);
    connect(commands_->yes1, &QAction::triggered, this, &TForm1::yes1Click);
    connect(commands_->no1, &QAction::triggered, this, &TForm1::no1Click);
    connect(commands_->N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(commands_->N4, &QAction::triggered, this, &TForm1::N4Click);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && !shownBefore_) {
        shownBefore_ = true;
        handle([this] { FormShow(); });
    }
}

void TForm1::FormShow() {
    cues_.playMainWindow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void TForm1::Label2MouseMove() {
    handle([this] {
        Label2->setFontColor(storedColor(hoverColor));
        if (!hovering_) {
            cues_.playHover();
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
    handle([this] { startGame(); });
}

void TForm1::startGame() {
    if (activity_ != StartActivity::idle || words_.busy() || round_ == nullptr) return;
    // Back to idle however the start ends, an error included.
    struct BackToIdle {
        StartActivity& activity;
        ~BackToIdle() { activity = StartActivity::idle; }
    } const backToIdle{activity_};
    activity_ = StartActivity::starting;
    round_->resetForStart();
    cues_.playStart();
    if (words_.needsRefill()) {
        if (!library_.libraryLoaded()) {
            commands_->N1->trigger();
            // The load has shown its own error; the game does not start.
            if (!library_.libraryLoaded()) return;
        }
        commands_->lst21->trigger();
    }
    round_->startRound();
}

void TForm1::btn3Click() {
    handle([this] {
        if (rules_ == nullptr || rules_->isVisible()) return;
        move(pos() - QPoint(100, 0));
        rules_->show();
        rules_->raise();
        rules_->activateWindow();
    });
}

void TForm1::N1Click() {
    handle([this] { loadLibrary(); });
}

void TForm1::loadLibrary() {
    try {
        library_.N1(words_);
    } catch (...) {
        // cbb1 lists whatever the load left, also after a failure.
        pgc1->setSheetNames(library_.sheetNames());
        throw;
    }
    pgc1->setSheetNames(library_.sheetNames());
}

void TForm1::lst21Click() {
    handle([this] { words_.shuffle(pump_); });
}

void TForm1::btn2Click() {
    handle([this] { pgc1->showSheet(library_.browseSheet(pgc1->chosenSheet().toStdString())); });
}

void TForm1::yes1Click() {
    handle([this] { cues_.playYes1(); });
}

void TForm1::no1Click() {
    handle([this] { cues_.playNo1(); });
}

void TForm1::N3Click() {
    handle([this] { cues_.playN3(); });
}

void TForm1::N4Click() {
    handle([this] { cues_.playN4(); });
}

void TForm1::run(CueCommand command) {
    switch (command) {
        case CueCommand::yes1: commands_->yes1->trigger(); break;
        case CueCommand::no1: commands_->no1->trigger(); break;
        case CueCommand::N3: commands_->N3->trigger(); break;
        case CueCommand::N4: commands_->N4->trigger(); break;
    }
}

void TForm1::setSoundOn(bool on) {
    if (on) {
        cues_.unmute();
    } else {
        cues_.mute();
    }
}

}  // namespace caici
