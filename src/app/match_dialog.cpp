#include "app/match_dialog.h"

#include "app/colour_swatches.h"
#include "app/match_players.h"
#include "game/game.h"
#include "texts/user_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace caici {
namespace {

constexpr int colourRole = Qt::UserRole;
// The players as the host typed them, shown so again when the team is picked.
constexpr int playersRole = Qt::UserRole + 1;
// Enough for five kinds before the list scrolls, so the dialog keeps to a
// small screen.
constexpr int kindListHeight = 5 * 30;

QListWidgetItem* teamItem(const QString& name, std::size_t colour) {
    auto* item = new QListWidgetItem(ColourSwatches::colourIcon(colour), name);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setData(colourRole, static_cast<int>(colour));
    item->setData(playersRole, QString());
    return item;
}

std::size_t colourOf(const QListWidgetItem& item) {
    return static_cast<std::size_t>(item.data(colourRole).toInt());
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

}  // namespace

MatchDialog::MatchDialog(QWidget* parent, Game& game) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("matchDialog"));
    setWindowTitle(QStringLiteral("比赛设置"));
    setAccessibleName(windowTitle());

    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("problem"));
    problem->setTextFormat(Qt::PlainText);
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildTeams(), 1);
    columns->addWidget(buildRules(), 1);

    start = new QPushButton(QStringLiteral("开始比赛"), this);
    start->setObjectName(QStringLiteral("startMatch"));
    start->setDefault(true);
    end = new QPushButton(QStringLiteral("结束当前比赛"), this);
    end->setObjectName(QStringLiteral("endMatch"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    auto* actions = new QHBoxLayout;
    actions->addWidget(end);
    actions->addStretch();
    actions->addWidget(start);
    actions->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(problem);
    layout->addLayout(actions);

    connect(start, &QPushButton::clicked, this, &MatchDialog::startMatch);
    connect(end, &QPushButton::clicked, this, [this] {
        game_.endMatch();
        end->setEnabled(false);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    teams->setCurrentRow(0);
    showEnd();
}

QWidget* MatchDialog::buildTeams() {
    auto* box = new QGroupBox(QStringLiteral("参赛队"), this);
    auto* hint = plainLabel(QStringLiteral("2 到 12 个队，按顺序轮流上场；双击队名可以修改："), box);
    teams = new QListWidget(box);
    teams->setObjectName(QStringLiteral("teams"));
    teams->setAccessibleName(QStringLiteral("参赛队"));
    for (int place = 1; place <= minTeams; ++place) {
        teams->addItem(teamItem(QString::fromStdString(defaultTeamName(place)), static_cast<std::size_t>(place - 1)));
    }
    add = new QPushButton(QStringLiteral("添加队"), box);
    remove = new QPushButton(QStringLiteral("删除"), box);
    up = new QPushButton(QStringLiteral("上移"), box);
    down = new QPushButton(QStringLiteral("下移"), box);
    auto* editing = new QVBoxLayout;
    for (QPushButton* button : {add, remove, up, down}) editing->addWidget(button);
    editing->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(teams, 1);
    list->addLayout(editing);

    pickedTeam_ = plainLabel(QString(), box);
    pickedTeam_->setObjectName(QStringLiteral("pickedTeam"));
    colour = new ColourSwatches(box);
    players = new QLineEdit(box);
    players->setObjectName(QStringLiteral("players"));
    players->setAccessibleName(QStringLiteral("队员"));
    players->setPlaceholderText(QStringLiteral("可不填，如：小王、小李、小张"));
    players->setToolTip(QStringLiteral("队员轮流表演；名字用顿号、逗号或空格隔开"));
    auto* picked = new QFormLayout;
    picked->addRow(pickedTeam_);
    picked->addRow(QStringLiteral("颜色："), colour);
    picked->addRow(QStringLiteral("队员："), players);

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(hint);
    layout->addLayout(list, 1);
    layout->addLayout(picked);

    connect(add, &QPushButton::clicked, this, &MatchDialog::addTeam);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (teams->count() > 0) delete teams->takeItem(std::max(0, teams->currentRow()));
    });
    connect(up, &QPushButton::clicked, this, [this] { moveTeam(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveTeam(+1); });
    connect(teams, &QListWidget::currentRowChanged, this, &MatchDialog::showPickedTeam);
    // A renamed team is named so below the list at once.
    connect(teams, &QListWidget::itemChanged, this, &MatchDialog::showPickedTeam);
    connect(colour, &ColourSwatches::picked, this, [this](std::size_t picked) {
        if (QListWidgetItem* item = teams->currentItem()) {
            item->setData(colourRole, static_cast<int>(picked));
            item->setIcon(ColourSwatches::colourIcon(picked));
        }
    });
    connect(players, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (QListWidgetItem* item = teams->currentItem()) item->setData(playersRole, text);
    });
    return box;
}

QWidget* MatchDialog::buildRules() {
    auto* box = new QGroupBox(QStringLiteral("玩法和赛制"), this);
    auto* hint = plainLabel(QStringLiteral("玩法：每一轮怎么表演；之后的轮沿用最后一种。"), box);

    auto* rows = new QWidget;
    kindRows_ = new QVBoxLayout(rows);
    kindRows_->setContentsMargins(0, 0, 0, 0);
    kindRows_->addStretch();
    auto* scroll = new QScrollArea(box);
    scroll->setObjectName(QStringLiteral("kinds"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFixedHeight(kindListHeight);
    scroll->setWidget(rows);
    // The rows stand on the box's own background, not in a field.
    scroll->viewport()->setAutoFillBackground(false);
    rows->setAutoFillBackground(false);
    addKind = new QPushButton(QStringLiteral("添加一轮"), box);
    removeKind = new QPushButton(QStringLiteral("删除最后一轮"), box);
    auto* kindButtons = new QHBoxLayout;
    kindButtons->addWidget(addKind);
    kindButtons->addWidget(removeKind);
    kindButtons->addStretch();

    sameWords = new QCheckBox(QStringLiteral("每轮同一批词（之后每轮都猜第一轮的词）"), box);
    sameWords->setObjectName(QStringLiteral("sameWords"));
    byPasses = new QRadioButton(QStringLiteral("比完轮数："), box);
    byPasses->setChecked(true);
    passes = new QSpinBox(box);
    passes->setObjectName(QStringLiteral("passes"));
    passes->setRange(1, maxPasses);
    passes->setValue(1);
    passes->setAccessibleName(QStringLiteral("每队轮数"));
    passes->setSuffix(QStringLiteral(" 轮"));
    byTarget = new QRadioButton(QStringLiteral("先到目标分："), box);
    target = new QSpinBox(box);
    target->setObjectName(QStringLiteral("target"));
    target->setRange(static_cast<int>(minTargetScore), static_cast<int>(maxTargetScore));
    target->setValue(static_cast<int>(MatchRules{}.targetScore));
    target->setAccessibleName(QStringLiteral("目标分"));
    target->setSuffix(QStringLiteral(" 分"));
    target->setToolTip(QStringLiteral("每队比完同样多的轮后，有队达到目标分就结束；同分再加赛"));
    auto* ends = new QFormLayout;
    ends->addRow(byPasses, passes);
    ends->addRow(byTarget, target);
    finalRound = new QCheckBox(QStringLiteral("决赛：前两名再各比一轮，时间缩短，得分加倍"), box);
    finalRound->setObjectName(QStringLiteral("final"));

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(hint);
    layout->addWidget(scroll);
    layout->addLayout(kindButtons);
    layout->addWidget(sameWords);
    layout->addWidget(plainLabel(QStringLiteral("比赛结束："), box));
    layout->addLayout(ends);
    layout->addWidget(finalRound);
    layout->addStretch();

    addKindRow(RoundKind::describe);
    connect(addKind, &QPushButton::clicked, this, [this] {
        addKindRow(static_cast<RoundKind>(kinds.back()->currentData().toInt()));
        kinds.back()->setFocus();
    });
    connect(removeKind, &QPushButton::clicked, this, [this] {
        if (kinds.size() <= 1) return;
        QWidget* row = kinds.back()->parentWidget();
        kinds.pop_back();
        delete row;
        addKind->setEnabled(true);
        removeKind->setEnabled(kinds.size() > 1);
    });
    connect(byPasses, &QRadioButton::toggled, this, &MatchDialog::showEnd);
    return box;
}

void MatchDialog::addKindRow(RoundKind kind) {
    const int pass = static_cast<int>(kinds.size()) + 1;
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("第%1轮：").arg(pass), row);
    auto* box = new QComboBox(row);
    box->setObjectName(QStringLiteral("kind%1").arg(pass));
    box->setAccessibleName(QStringLiteral("第%1轮玩法").arg(pass));
    for (std::size_t each = 0; each < roundKindCount; ++each) {
        const auto shown = static_cast<RoundKind>(each);
        box->addItem(QString::fromStdString(roundKindName(shown)), static_cast<int>(each));
        box->setItemData(box->count() - 1, QString::fromStdString(roundKindRule(shown)), Qt::ToolTipRole);
    }
    box->setCurrentIndex(box->findData(static_cast<int>(kind)));
    line->addWidget(label);
    line->addWidget(box, 1);
    // Before the stretch that keeps the rows at the top.
    kindRows_->insertWidget(kindRows_->count() - 1, row);
    kinds.push_back(box);
    addKind->setEnabled(static_cast<int>(kinds.size()) < maxKindRows);
    removeKind->setEnabled(kinds.size() > 1);
}

void MatchDialog::showEnd() {
    passes->setEnabled(byPasses->isChecked());
    target->setEnabled(byTarget->isChecked());
}

std::vector<std::string> MatchDialog::names() const {
    std::vector<std::string> names;
    for (int row = 0; row < teams->count(); ++row) names.push_back(teams->item(row)->text().toStdString());
    return names;
}

MatchSetup MatchDialog::setup() const {
    MatchSetup setup;
    for (int row = 0; row < teams->count(); ++row) {
        const QListWidgetItem& item = *teams->item(row);
        setup.teams.push_back(
            {item.text().toStdString(), colourOf(item), splitPlayerNames(item.data(playersRole).toString())});
    }
    MatchRules& rules = setup.rules;
    for (const QComboBox* box : kinds) rules.kinds.push_back(static_cast<RoundKind>(box->currentData().toInt()));
    rules.sameWords = sameWords->isChecked();
    rules.end = byTarget->isChecked() ? MatchEnd::targetScore : MatchEnd::passes;
    rules.passes = passes->value();
    rules.targetScore = target->value();
    rules.final = finalRound->isChecked();
    return setup;
}

void MatchDialog::showEvent(QShowEvent* event) {
    problem->clear();
    end->setEnabled(game_.match().has_value());
    QDialog::showEvent(event);
}

void MatchDialog::addTeam() {
    if (teams->count() >= maxTeams) {
        problem->setText(QStringLiteral("最多 %1 个队。").arg(maxTeams));
        return;
    }
    // The first colour no team has yet, so that a team removed leaves its
    // colour for the next one; past the palette's size colours repeat.
    std::set<std::size_t> taken;
    for (int row = 0; row < teams->count(); ++row) taken.insert(colourOf(*teams->item(row)));
    std::size_t free = static_cast<std::size_t>(teams->count()) % teamPaletteSize;
    for (std::size_t each = 0; each < teamPaletteSize; ++each) {
        if (!taken.count(each)) {
            free = each;
            break;
        }
    }
    teams->addItem(teamItem(QString::fromStdString(defaultTeamName(teams->count() + 1)), free));
    teams->setCurrentRow(teams->count() - 1);
    teams->editItem(teams->currentItem());
}

void MatchDialog::moveTeam(int by) {
    const int row = teams->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= teams->count()) return;
    teams->insertItem(to, teams->takeItem(row));
    teams->setCurrentRow(to);
}

void MatchDialog::showPickedTeam() {
    const QListWidgetItem* item = teams->currentItem();
    colour->setEnabled(item != nullptr);
    players->setEnabled(item != nullptr);
    if (!item) {
        pickedTeam_->setText(QStringLiteral("在列表里选一个队，设它的颜色和队员。"));
        players->clear();
        return;
    }
    pickedTeam_->setText(QStringLiteral("所选的队：%1").arg(item->text()));
    colour->setColour(colourOf(*item));
    if (players->text() != item->data(playersRole).toString()) players->setText(item->data(playersRole).toString());
}

void MatchDialog::startMatch() {
    const std::vector<std::string> teamNames = names();
    if (const auto reason = teamNamesProblem(teamNames)) {
        problem->setText(QString::fromStdString(teamNamesText(*reason)));
        return;
    }
    // A number half typed into the box ("0" on the way to "05") is no target.
    if (byTarget->isChecked() && !target->hasAcceptableInput()) {
        MatchSetupProblem outOfRange;
        outOfRange.fault = MatchSetupProblem::Fault::targetScore;
        problem->setText(QString::fromStdString(matchSetupText(outOfRange)));
        target->setFocus();
        return;
    }
    const MatchSetup chosen = setup();
    if (const auto reason = matchSetupProblem(chosen, game_.wordsHaveForbidden())) {
        problem->setText(QString::fromStdString(matchSetupText(*reason)));
        // The host sees the players at fault under the list.
        if (reason->fault != MatchSetupProblem::Fault::targetScore &&
            reason->fault != MatchSetupProblem::Fault::forbiddenWithoutWords) {
            teams->setCurrentRow(static_cast<int>(reason->team));
        }
        return;
    }
    game_.startMatch(chosen);
    accept();
}

}  // namespace caici
