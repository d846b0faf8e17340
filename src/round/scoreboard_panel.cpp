#include "round/scoreboard_panel.h"

#include "game/game.h"
#include "tables/match_models.h"
#include "round/scoreboard_picture.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <numeric>

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

// A row is 8/5 as high as its text, the header row three quarters of a row.
int rowHeightFor(int textPixels) {
    return textPixels * 8 / 5;
}
int headerHeightFor(int textPixels) {
    return textPixels * 6 / 5;
}
// Below this the table is not shrunk further: a tiny window scrolls instead.
constexpr int smallestText = 8;

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
    drawPodium(painter, rect(), top_, font(), digitalFamily_);
}

ScoreboardPanel::ScoreboardPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily)
    : OverlayPanel(parent, background, scoreboardTitle), game_(game), digitalFamily_(digitalFamily) {
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
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    // The layout sizes rows and columns to the room and the widest text.
    for (QHeaderView* header : {table->horizontalHeader(), table->verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
    }
    auto* digits = new DigitsDelegate(digitalFamily_, table);
    for (int column = 0; column < StandingsModel::columns; ++column) {
        if (StandingsModel::look(static_cast<StandingsModel::Column>(column)).digits) {
            table->setItemDelegateForColumn(column, digits);
        }
    }
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
    status->setText(matchStatusText(*match));
    if (match->finished()) {
        podium->show(model_->standings());
        next->setText(QStringLiteral("单轮游戏 (Enter)"));
    } else {
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
    status->setStyleSheet(QStringLiteral("color: %1;").arg(panelHeading.name()));
    status->setGeometry(content.left(), content.top(), content.width(), pixels * 3 / 2);
    styleTable(*table);
    table->setStyleSheet(table->styleSheet() +
                         QStringLiteral("QTableView { alternate-background-color: rgba(%1, %2, %3, %4); }")
                             .arg(standingsStripe.red())
                             .arg(standingsStripe.green())
                             .arg(standingsStripe.blue())
                             .arg(standingsStripe.alpha()));
    const int top = status->geometry().bottom() + 1 + pixels / 4;
    const Arrangement arrangement = arrange(QRect(content.left(), top, content.width(), content.bottom() + 1 - top));
    if (podium->isVisible()) podium->setGeometry(arrangement.podium);
    sizeTable(arrangement.textPixels);
    const std::vector<int> needs = columnNeeds();
    const int spare = std::max(0, arrangement.table.width() - std::accumulate(needs.begin(), needs.end(), 0));
    const int columns = static_cast<int>(needs.size());
    for (int column = 0; column < columns; ++column) {
        table->setColumnWidth(
            column, needs[static_cast<std::size_t>(column)] + spare / columns + (column < spare % columns ? 1 : 0));
    }
    const int rowsHeight =
        headerHeightFor(arrangement.textPixels) + rowHeightFor(arrangement.textPixels) * model_->rowCount();
    table->setGeometry(arrangement.table.left(), arrangement.table.top(), arrangement.table.width(),
                       std::min(arrangement.table.height(), rowsHeight));

    QFont buttonFont = font;
    buttonFont.setPixelSize(pixels * 4 / 5);
    const int buttonWidth = pixels * 8;
    for (QPushButton* button : {next, back}) button->setFont(buttonFont);
    next->setGeometry(buttons.right() - buttonWidth, buttons.top(), buttonWidth, buttons.height());
    back->setGeometry(next->x() - buttonWidth - pixels, buttons.top(), buttonWidth, buttons.height());
}

ScoreboardPanel::Arrangement ScoreboardPanel::arrange(const QRect& body) {
    const int pixels = textPixels();
    // A few teams get type a quarter larger than the panel's lines.
    const int largest = pixels * 5 / 4;
    if (!podium->isVisible()) return {{}, body, fittingText(body.size(), largest)};
    const int gap = pixels / 2;
    const auto tableHeight = [rows = model_->rowCount()](int text) {
        return headerHeightFor(text) + rowHeightFor(text) * rows;
    };
    const auto over = [&](int podiumHeight) {
        const QRect below(body.left(), body.top() + podiumHeight + gap, body.width(),
                          body.height() - podiumHeight - gap);
        // No wider than three and a half times its height: the steps stay steps.
        const int podiumWidth = std::min(body.width() * 2 / 3, podiumHeight * 7 / 2);
        return Arrangement{QRect(body.left() + (body.width() - podiumWidth) / 2, body.top(), podiumWidth, podiumHeight),
                           below, fittingText(below.size(), largest)};
    };
    // Over the table the podium takes half the height as long as the table's
    // type still reads from the back of the room, else a quarter.
    Arrangement stacked = over(body.height() / 2);
    if (stacked.textPixels < pixels * 3 / 4) stacked = over(body.height() / 4);
    // Beside the table, at its left, where that makes the table's type
    // clearly larger: many teams, or a screen much wider than high.
    const int podiumWidth = body.width() * 2 / 5;
    const QRect beside(body.left() + podiumWidth + gap, body.top(), body.width() - podiumWidth - gap, body.height());
    const int besideText = fittingText(beside.size(), largest);
    if (besideText * 4 <= stacked.textPixels * 5) return stacked;
    const int podiumHeight = std::min(body.height(), podiumWidth * 3 / 4);
    const int podiumTop = std::clamp(body.top() + (std::min(body.height(), tableHeight(besideText)) - podiumHeight) / 2,
                                     body.top(), body.top() + body.height() - podiumHeight);
    return {QRect(body.left(), podiumTop, podiumWidth, podiumHeight), beside, besideText};
}

int ScoreboardPanel::fittingText(const QSize& area, int maxPixels) {
    // Header and rows together are (8 rows + 6) / 5 text heights high.
    const int rows = model_->rowCount();
    int pixels = std::min(maxPixels, area.height() * 5 / (8 * rows + 6));
    while (pixels > smallestText) {
        sizeTable(pixels);
        const std::vector<int> needs = columnNeeds();
        const int need = std::accumulate(needs.begin(), needs.end(), 0);
        if (need <= area.width()) break;
        pixels = std::min(pixels - 1, pixels * area.width() / need);
    }
    return std::max(pixels, smallestText);
}

void ScoreboardPanel::sizeTable(int pixels) {
    QFont font = table->font();
    font.setPixelSize(pixels);
    table->setFont(font);
    QFont header = font;
    header.setPixelSize(std::max(1, pixels * 3 / 4));
    table->horizontalHeader()->setFont(header);
    table->horizontalHeader()->setFixedHeight(headerHeightFor(pixels));
    table->verticalHeader()->setDefaultSectionSize(rowHeightFor(pixels));
}

std::vector<int> ScoreboardPanel::columnNeeds() const {
    // What the table itself asks for its cells, which is what it draws them
    // in, so none is cut short; and a little air between the columns.
    const QAbstractItemView& view = *table;
    const int air = table->font().pixelSize() / 2;
    std::vector<int> needs;
    for (int column = 0; column < StandingsModel::columns; ++column) {
        needs.push_back(std::max(view.sizeHintForColumn(column), table->horizontalHeader()->sectionSizeHint(column)) +
                        air);
    }
    return needs;
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
