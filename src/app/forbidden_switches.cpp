#include "app/forbidden_switches.h"

#include "app/rules_dialog_geometry.h"
#include "common/error_guard.h"
#include "game/game.h"
#include "look/settings.h"
#include "look/window_look.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QWidget>

namespace caici {
namespace {

QCheckBox* switchBox(QWidget& parent, const char* name, const QString& text, QPoint at) {
    auto* box = new QCheckBox(text, &parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(text);
    box->setFont(pixelFont(QStringLiteral("Tahoma"), 15, true));
    box->move(at);
    box->adjustSize();
    return box;
}

}  // namespace

ForbiddenSwitches::ForbiddenSwitches(QWidget& parent, int top, Game& game, Settings& settings,
                                     ErrorReporter& reporter)
    : QObject(&parent), game_(game), settings_(settings), reporter_(reporter) {
    mode_ = switchBox(parent, "chkForbidden", QStringLiteral("禁词模式"),
                      QPoint(design::rules::forbiddenSwitchLeft, top));
    mode_->setToolTip(QStringLiteral("在词的下面显示不能说的词（禁词），并可以按“犯规”（F 键）：\n"
                                     "词库带“禁词”列时自动打开"));
    foulPoint_ = switchBox(parent, "chkFoulPoint", QStringLiteral("犯规另扣 1 分"),
                           QPoint(design::rules::foulPointSwitchLeft, top));
    foulPoint_->setToolTip(QStringLiteral("犯规：说了禁词，这个词作废，和跳过一样计次、扣时间；\n"
                                          "勾选后每次犯规再扣 1 分"));
    applyFoulRule(settings_.foulCostsPoint());
    forbiddenModeChanged(game_.forbiddenMode());

    connect(mode_, &QCheckBox::toggled, this, [this](bool on) { guarded(reporter_, [&] { game_.setForbiddenMode(on); }); });
    connect(foulPoint_, &QCheckBox::toggled, this, [this](bool on) {
        guarded(reporter_, [&] {
            applyFoulRule(on);
            settings_.setFoulCostsPoint(on);
        });
    });
    connect(&settings_, &Settings::restored, this, [this] { guarded(reporter_, [this] { applyFoulRule(false); }); });
    game_.addListener(*this);
}

ForbiddenSwitches::~ForbiddenSwitches() {
    game_.removeListener(*this);
}

void ForbiddenSwitches::forbiddenModeChanged(bool on) {
    const QSignalBlocker quiet(mode_);
    mode_->setChecked(on);
}

void ForbiddenSwitches::applyFoulRule(bool costsPoint) {
    game_.setFoulRule(costsPoint ? FoulRule::alsoPoint : FoulRule::asSkip);
    const QSignalBlocker quiet(foulPoint_);
    foulPoint_->setChecked(costsPoint);
}

}  // namespace caici
