#include "round/review_panel.h"

#include "common/number_text.h"
#include "game/game.h"
#include "tables/match_models.h"
#include "round/show_labels.h"
#include "round/show_look.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

namespace caici {
namespace {

QPushButton* panelButton(QWidget& parent, const QString& text) {
    auto* button = new QPushButton(text, &parent);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

ReviewPanel::ReviewPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily)
    : OverlayPanel(parent, background, "本轮成绩"), game_(game), digitalFamily_(digitalFamily) {
    setObjectName(QStringLiteral("review"));
    setAccessibleName(QStringLiteral("本轮成绩"));
    team = new MarkedLabel(this);
    team->setObjectName(QStringLiteral("reviewTeam"));
    team->setAlignment(Qt::AlignCenter);

    model_ = new ReviewModel(game_, this);
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("reviewTable"));
    table->setAccessibleName(QStringLiteral("本轮的词"));
    table->setModel(model_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(ReviewModel::word, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(ReviewModel::verdict, QHeaderView::ResizeToContents);
    table->installEventFilter(this);
    connect(table, &QTableView::clicked, this, [this](const QModelIndex& index) {
        game_.perform(Command{CommandKind::toggleEntry, static_cast<std::size_t>(index.row())});
    });

    total = new QLabel(this);
    total->setObjectName(QStringLiteral("reviewTotal"));
    total->setAlignment(Qt::AlignCenter);
    counts = new QCheckBox(QStringLiteral("本轮提前结束，仍计入比赛成绩"), this);
    counts->setObjectName(QStringLiteral("reviewCounts"));
    connect(counts, &QCheckBox::toggled, this, [this](bool on) { game_.perform(Command{CommandKind::setCounts, 0, on}); });

    confirm = panelButton(*this, QStringLiteral("确认 (Enter)"));
    confirm->setObjectName(QStringLiteral("reviewConfirm"));
    next = panelButton(*this, QStringLiteral("下一轮"));
    next->setObjectName(QStringLiteral("reviewNext"));
    connect(confirm, &QPushButton::clicked, this, [this] { game_.perform(Command{CommandKind::confirm}); });
    connect(next, &QPushButton::clicked, this, [this] { game_.perform(Command{CommandKind::start}); });
    setFocusProxy(table);
    finish();
}

void ReviewPanel::refresh() {
    const int row = table->currentIndex().isValid() ? table->currentIndex().row() : 0;
    model_->refresh();
    const auto& review = game_.review();
    if (!review) return;
    const bool inMatch = review->team() >= 0 && game_.match();
    if (inMatch) {
        const MatchTeam& playing = game_.match()->setup().teams.at(static_cast<std::size_t>(review->team()));
        team->setText(QString::fromStdString(playing.name));
        team->setMark(teamColor(playing.colour));
    } else {
        team->setText(QStringLiteral("本轮"));
        team->setMark(std::nullopt);
    }
    total->setText(QStringLiteral("总分 %1    跳过 %2")
                       .arg(QString::fromStdString(threeDigits(review->total())))
                       .arg(review->skips()));
    counts->setVisible(review->closedEarly());
    const QSignalBlocker quiet(counts);
    counts->setChecked(review->counts());
    confirm->setText(inMatch ? QStringLiteral("确认 (Enter)") : QStringLiteral("关闭 (Enter)"));
    relayOut();
    if (model_->rowCount() > 0) table->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), 0));
}

void ReviewPanel::layOut(const QRect& content, const QRect& buttons) {
    const int pixels = textPixels();
    QFont font = this->font();
    font.setPixelSize(pixels * 5 / 4);
    font.setBold(true);
    team->setFont(font);
    team->setStyleSheet(QStringLiteral("color: rgb(255, 220, 120);"));
    team->setGeometry(content.left(), content.top(), content.width(), pixels * 2);
    QFont digits(digitalFamily_);
    digits.setPixelSize(pixels * 3 / 2);
    total->setFont(digits);
    total->setStyleSheet(QStringLiteral("color: rgb(128, 255, 128);"));
    const int totalHeight = pixels * 2;
    total->setGeometry(content.left(), content.bottom() - totalHeight, content.width(), totalHeight);
    QFont small = this->font();
    small.setPixelSize(pixels * 3 / 4);
    counts->setFont(small);
    counts->setStyleSheet(QStringLiteral("color: white;"));
    counts->setGeometry(buttons.left(), buttons.top(), buttons.width() / 2, buttons.height());
    styleTable(*table);
    const int listWidth = std::min(content.width(), pixels * 24);
    table->setGeometry(content.left() + (content.width() - listWidth) / 2, team->geometry().bottom() + 4, listWidth,
                       total->y() - team->geometry().bottom() - 8);
    QFont buttonFont = font;
    buttonFont.setPixelSize(pixels * 4 / 5);
    const int buttonWidth = pixels * 7;
    for (QPushButton* button : {next, confirm}) button->setFont(buttonFont);
    confirm->setGeometry(buttons.right() - buttonWidth, buttons.top(), buttonWidth, buttons.height());
    next->setGeometry(confirm->x() - buttonWidth - pixels, buttons.top(), buttonWidth, buttons.height());
}

bool ReviewPanel::eventFilter(QObject* watched, QEvent* event) {
    // Space turns the selected word's verdict; Enter is the game's own key
    // (it confirms), taken before the list sees it.
    if (watched == table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && table->currentIndex().isValid()) {
        game_.perform(Command{CommandKind::toggleEntry, static_cast<std::size_t>(table->currentIndex().row())});
        return true;
    }
    return OverlayPanel::eventFilter(watched, event);
}

}  // namespace caici
