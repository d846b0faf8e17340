#include "round/scoreboard_panel.h"

#include "common/number_text.h"
#include "game/game.h"
#include "round/match_models.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>

namespace caici {
namespace {

// Numbers in the game's seven-segment face, like the time and the score.
class DigitsDelegate : public QStyledItemDelegate {
public:
    DigitsDelegate(const QString& family, QObject* parent) : QStyledItemDelegate(parent), family_(family) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font.setFamily(family_);
        option->font.setBold(false);
    }

private:
    QString family_;
};

const QColor stepColors[] = {QColor(255, 200, 40), QColor(200, 200, 210), QColor(205, 127, 50)};

}  // namespace

Podium::Podium(QWidget& parent, const QString& digitalFamily) : QWidget(&parent), digitalFamily_(digitalFamily) {
    setObjectName(QStringLiteral("podium"));
}

void Podium::show(const std::vector<Standing>& standings) {
    top_.assign(standings.begin(), standings.begin() + std::min<std::ptrdiff_t>(3, std::ssize(standings)));
    QStringList spoken;
    for (const Standing& standing : top_) {
        spoken << QStringLiteral("第%1名 %2 %3分").arg(standing.rank).arg(QString::fromStdString(standing.name)).arg(standing.score);
    }
    setAccessibleName(QStringLiteral("领奖台：") + spoken.join(QStringLiteral("，")));
    QWidget::show();
    update();
}

void Podium::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int columnWidth = width() / 3;
    // Places on the podium: second left, first in the middle, third right.
    const int order[] = {1, 0, 2};
    const double heights[] = {1.0, 0.72, 0.5};
    for (int slot = 0; slot < 3; ++slot) {
        const int place = order[slot];
        if (place >= static_cast<int>(top_.size())) continue;
        const Standing& standing = top_[static_cast<std::size_t>(place)];
        const int stepHeight = static_cast<int>(height() * 0.55 * heights[place]);
        const QRect step(slot * columnWidth + columnWidth / 10, height() - stepHeight, columnWidth * 8 / 10, stepHeight);
        painter.fillRect(step, stepColors[std::min(standing.rank, 3) - 1]);
        QFont digits(digitalFamily_);
        digits.setPixelSize(std::max(12, stepHeight / 3));
        painter.setFont(digits);
        painter.setPen(QColor(40, 40, 40));
        painter.drawText(step, Qt::AlignCenter, QString::number(standing.rank));
        QFont name = font();
        name.setBold(true);
        name.setPixelSize(std::max(14, height() / 10));
        painter.setFont(name);
        painter.setPen(Qt::white);
        const QRect above(step.left() - columnWidth / 10, step.top() - name.pixelSize() * 3, columnWidth,
                          name.pixelSize() * 3);
        painter.drawText(above, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap,
                         QStringLiteral("%1\n%2 分").arg(QString::fromStdString(standing.name)).arg(standing.score));
    }
}

ScoreboardPanel::ScoreboardPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily)
    : OverlayPanel(parent, background, "计分板"), game_(game), digitalFamily_(digitalFamily) {
    setObjectName(QStringLiteral("scoreboard"));
    setAccessibleName(QStringLiteral("计分板"));
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("scoreboardStatus"));
    status->setTextFormat(Qt::PlainText);
    status->setAlignment(Qt::AlignCenter);
    model_ = new StandingsModel(game_, this);
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("standings"));
    table->setAccessibleName(QStringLiteral("比赛排名"));
    table->setModel(model_);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    auto* digits = new DigitsDelegate(digitalFamily_, table);
    for (const int column : {StandingsModel::score, StandingsModel::skips, StandingsModel::rounds}) {
        table->setItemDelegateForColumn(column, digits);
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(StandingsModel::team, QHeaderView::Stretch);
    podium = new Podium(*this, digitalFamily_);
    podium->hide();
    next = new QPushButton(QStringLiteral("下一轮 (Enter)"), this);
    next->setObjectName(QStringLiteral("scoreboardNext"));
    back = new QPushButton(QStringLiteral("返回 (Esc)"), this);
    back->setObjectName(QStringLiteral("scoreboardBack"));
    for (QPushButton* button : {next, back}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(next, &QPushButton::clicked, this, [this] { game_.perform(Command{CommandKind::start}); });
    connect(back, &QPushButton::clicked, this, &QWidget::hide);
    finish();
}

void ScoreboardPanel::refresh() {
    model_->refresh();
    const auto& match = game_.match();
    if (!match) return;
    if (match->finished()) {
        status->setText(QStringLiteral("比赛结束"));
        podium->show(model_->standings());
        next->setText(QStringLiteral("单轮游戏 (Enter)"));
    } else {
        status->setText(QStringLiteral("第 %1 轮 · 下一队：%2")
                            .arg(match->pass())
                            .arg(QString::fromStdString(match->teams().at(static_cast<std::size_t>(match->nextTeam())))));
        podium->hide();
        next->setText(QStringLiteral("下一轮 (Enter)"));
    }
    relayOut();
}

void ScoreboardPanel::layOut(const QRect& content, const QRect& buttons) {
    const int pixels = textPixels();
    QFont font = this->font();
    font.setPixelSize(pixels);
    font.setBold(true);
    status->setFont(font);
    status->setStyleSheet(QStringLiteral("color: rgb(255, 220, 120);"));
    status->setGeometry(content.left(), content.top(), content.width(), pixels * 2);
    styleTable(*table);
    int top = status->geometry().bottom() + 4;
    if (podium->isVisible()) {
        podium->setGeometry(content.left() + content.width() / 6, top, content.width() * 2 / 3, content.height() * 2 / 5);
        top = podium->geometry().bottom() + 8;
    }
    table->setGeometry(content.left(), top, content.width(), content.bottom() - top);
    QFont buttonFont = font;
    buttonFont.setPixelSize(pixels * 4 / 5);
    const int buttonWidth = pixels * 8;
    for (QPushButton* button : {next, back}) button->setFont(buttonFont);
    next->setGeometry(buttons.right() - buttonWidth, buttons.top(), buttonWidth, buttons.height());
    back->setGeometry(next->x() - buttonWidth - pixels, buttons.top(), buttonWidth, buttons.height());
}

void ScoreboardPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        return;
    default:
        OverlayPanel::keyPressEvent(event);
    }
}

}  // namespace caici
