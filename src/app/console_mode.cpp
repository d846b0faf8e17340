#include "app/console_mode.h"

#include "common/error_guard.h"
#include "console/operator_console.h"
#include "input/play_keys.h"
#include "look/screen_choice.h"
#include "look/settings.h"
#include "round/guessing_window.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

namespace caici {
namespace {

std::vector<std::string> labelsOf(const QList<QScreen*>& screens) {
    std::vector<std::string> names;
    for (const QScreen* screen : screens) names.push_back(screen->name().toStdString());
    return caici::screenLabels(names);
}

std::optional<ScreenRoles> rolesOf(const QList<QScreen*>& screens, const QString& chosen) {
    const auto primary = std::find(screens.begin(), screens.end(), QGuiApplication::primaryScreen());
    return assignScreens(labelsOf(screens), static_cast<std::size_t>(primary - screens.begin()),
                         chosen.toStdString());
}

}  // namespace

ConsoleMode::ConsoleMode(Game& game, Settings& settings, TForm3& round, ErrorReporter& reporter,
                         const QString& digitalFamily)
    : QObject(nullptr),
      game_(game),
      settings_(settings),
      round_(round),
      reporter_(reporter),
      console_(std::make_unique<OperatorConsole>(game, reporter, digitalFamily)) {
    round_.playKeys().addWindow(*console_);
    connect(console_.get(), &OperatorConsole::closed, this, [this] { setOn(false); });
    connect(console_->projectorChoice, &QComboBox::activated, this,
            [this](int index) { chooseProjector(console_->projectorChoice->itemText(index)); });
    // A projector plugged in or out mid-game.
    const auto follow = [this] { guarded(reporter_, [this] { apply(); }); };
    connect(qGuiApp, &QGuiApplication::screenAdded, this, follow);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, follow);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, follow);
    connect(&settings_, &Settings::restored, this, follow);
    apply();
}

ConsoleMode::~ConsoleMode() = default;

bool ConsoleMode::available() const {
    return QGuiApplication::screens().size() >= 2;
}

bool ConsoleMode::isOn() const {
    return settings_.operatorConsole();
}

void ConsoleMode::setOn(bool on) {
    settings_.setOperatorConsole(on);
    apply();
}

QStringList ConsoleMode::screenLabels() const {
    QStringList labels;
    for (const std::string& label : labelsOf(QGuiApplication::screens())) labels << QString::fromStdString(label);
    return labels;
}

QString ConsoleMode::projectorLabel() const {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto roles = rolesOf(screens, settings_.projectorScreen());
    return roles ? screenLabels().at(static_cast<qsizetype>(roles->projector)) : QString();
}

void ConsoleMode::chooseProjector(const QString& label) {
    settings_.setProjectorScreen(label);
    apply();
}

void ConsoleMode::apply() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto roles = rolesOf(screens, settings_.projectorScreen());
    {
        const QSignalBlocker quiet(console_->projectorChoice);
        console_->projectorChoice->clear();
        console_->projectorChoice->addItems(screenLabels());
        console_->projectorChoice->setCurrentText(projectorLabel());
    }
    if (!isOn() || !roles) {
        round_.setProjector(nullptr);
        console_->hide();
        emit changed();
        return;
    }
    QScreen* projector = screens.at(static_cast<qsizetype>(roles->projector));
    QScreen* operatorScreen = screens.at(static_cast<qsizetype>(roles->console));
    round_.setProjector(projector);
    if (console_->screen() != operatorScreen || !console_->isVisible()) {
        console_->hide();
        console_->setScreen(operatorScreen);
        console_->move(operatorScreen->availableGeometry().topLeft());
        console_->showMaximized();
    }
    console_->raise();
    emit changed();
}

}  // namespace caici
