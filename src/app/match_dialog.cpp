#include "app/match_dialog.h"

#include "game/game.h"
#include "texts/user_texts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace caici {
namespace {

constexpr int maxPasses = 10;

QListWidgetItem* teamItem(const QString& name) {
    auto* item = new QListWidgetItem(name);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

}  // namespace

MatchDialog::MatchDialog(QWidget* parent, Game& game) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("matchDialog"));
    setWindowTitle(QStringLiteral("比赛设置"));
    setAccessibleName(windowTitle());

    auto* hint = new QLabel(QStringLiteral("输入参赛队的名字（2 到 12 个队，双击修改），按顺序轮流上场："), this);
    hint->setWordWrap(true);
    teams = new QListWidget(this);
    teams->setObjectName(QStringLiteral("teams"));
    teams->setAccessibleName(QStringLiteral("参赛队"));
    for (int place = 1; place <= minTeams; ++place) teams->addItem(teamItem(QString::fromStdString(defaultTeamName(place))));

    add = new QPushButton(QStringLiteral("添加队"), this);
    remove = new QPushButton(QStringLiteral("删除"), this);
    up = new QPushButton(QStringLiteral("上移"), this);
    down = new QPushButton(QStringLiteral("下移"), this);
    auto* editing = new QVBoxLayout;
    for (QPushButton* button : {add, remove, up, down}) editing->addWidget(button);
    editing->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(teams, 1);
    list->addLayout(editing);

    passes = new QSpinBox(this);
    passes->setObjectName(QStringLiteral("passes"));
    passes->setRange(1, maxPasses);
    passes->setValue(1);
    passes->setAccessibleName(QStringLiteral("每队轮数"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("每队轮数："), passes);

    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("problem"));
    problem->setTextFormat(Qt::PlainText);
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));

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
    layout->addWidget(hint);
    layout->addLayout(list);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addLayout(actions);
    resize(420, 420);

    connect(add, &QPushButton::clicked, this, &MatchDialog::addTeam);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (teams->count() > 0) delete teams->takeItem(std::max(0, teams->currentRow()));
    });
    connect(up, &QPushButton::clicked, this, [this] { moveTeam(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveTeam(+1); });
    connect(start, &QPushButton::clicked, this, &MatchDialog::startMatch);
    connect(end, &QPushButton::clicked, this, [this] {
        game_.endMatch();
        end->setEnabled(false);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<std::string> MatchDialog::names() const {
    std::vector<std::string> names;
    for (int row = 0; row < teams->count(); ++row) names.push_back(teams->item(row)->text().toStdString());
    return names;
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
    teams->addItem(teamItem(QString::fromStdString(defaultTeamName(teams->count() + 1))));
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

void MatchDialog::startMatch() {
    const std::vector<std::string> teamNames = names();
    if (const auto reason = teamNamesProblem(teamNames)) {
        problem->setText(QString::fromStdString(teamNamesText(*reason)));
        return;
    }
    game_.startMatch(teamNames, passes->value());
    accept();
}

}  // namespace caici
