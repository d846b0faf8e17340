#include "round/scoreboard_panel.h"

#include "fadetext/fade_text.h"
#include "game/game.h"
#include "tables/match_models.h"
#include "round/scoreboard_picture.h"
#include "round/show_labels.h"
#include "round/show_look.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStringList>
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

// A team's name after its colour mark, which the table's column fitting
// counts in: the name is never cut for the mark.
class TeamDelegate : public QStyledItemDelegate {
public:
    TeamDelegate(const StandingsModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int side = markSide(option.font);
        const std::vector<Standing>& standings = model_.standings();
        const auto row = static_cast<std::size_t>(index.row());
        if (row < standings.size()) {
            const QRect& cell = option.rect;
            drawTeamMark(*painter, QRectF(cell.left() + side / 2, cell.top() + (cell.height() - side) / 2.0, side, side),
                         teamColor(standings[row].colour));
        }
        QStyleOptionViewItem rest = option;
        rest.rect.setLeft(option.rect.left() + side * 2);
        QStyledItemDelegate::paint(painter, rest, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize hint = QStyledItemDelegate::sizeHint(option, index);
        hint.rwidth() += markSide(option.font) * 2;
        return hint;
    }

private:
    static int markSide(const QFont& font) { return std::max(6, font.pixelSize() * 3 / 5); }

    const StandingsModel& model_;
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
    brand = new BrandLabel(this);
    brand->setObjectName(QStringLiteral("scoreboardBrand"));
    brand->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette brandPalette = brand->palette();
    brandPalette.setColor(QPalette::WindowText, panelHeading);
    brand->setPalette(brandPalette);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("scoreboardStatus"));
    status->setTextFormat(Qt::PlainText);
    status->setAlignment(Qt::AlignCenter);
    awards = new QLabel(this);
    awards->setObjectName(QStringLiteral("scoreboardAwards"));
    // Players' names are the host's own text.
    awards->setTextFormat(Qt::PlainText);
    awards->setAlignment(Qt::AlignCenter);
    awards->hide();
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
    table->setItemDelegateForColumn(StandingsModel::team, new TeamDelegate(*model_, table));
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
    const QStringList earned = match->finished() ? awardLines(match->awards(), match->teams()) : QStringList();
    awards->setText(earned.join(QLatin1Char('\n')));
    awards->setVisible(!earned.isEmpty());
    if (match->finished()) {
        podium->show(model_->standings());
        next->setText(QStringLiteral("单轮游戏 (Enter)"));
    } else {
        podium->hide();
        next->setText(QStringLiteral("下一轮 (Enter)"));
    }
    relayOut();
}

void ScoreboardPanel::setEventBrand(const EventBrand& brandShown) {
    brand->setBrand(brandShown);
    relayOut();
}

QRect ScoreboardPanel::placeAwards(const QRect& body, int pixels) {
    if (!awards->isVisible()) return body;
    QFont font = status->font();
    const QStringList lines = awards->text().split(QLatin1Char('\n'));
    int size = pixels;
    for (const QString& line : lines) size = std::min(size, fittingPixels(font, line, body.width(), pixels));
    font.setPixelSize(size);
    awards->setFont(font);
    const int height = QFontMetrics(font).lineSpacing() * static_cast<int>(lines.size()) + pixels / 4;
    awards->setGeometry(body.left(), body.top(), body.width(), height);
    return body.adjusted(0, height, 0, 0);
}

void ScoreboardPanel::layOut(const QRect& content, const QRect& buttons) {
    const int pixels = textPixels();
    QFont font = this->font();
    font.setBold(true);
    // Left of the title, which stands in the middle about as wide as half
    // the panel's height: as high as half the title, never reaching it.
    brand->setFont(font);
    const QRect heading = title->geometry();
    const int titleLeft = width() / 2 - height() * 23 / 100 - height() / 40;
    brand->setGeometry(content.left(), heading.top() + heading.height() / 4,
                       std::max(0, std::min(width() / 3, titleLeft) - content.left()), heading.height() / 2);
    font.setPixelSize(fittingPixels(font, status->text(), content.width(), pixels));
    status->setFont(font);
    status->setStyleSheet(QStringLiteral("color: %1;").arg(panelHeading.name()));
    status->setGeometry(content.left(), content.top(), content.width(), pixels * 3 / 2);
    awards->setStyleSheet(QStringLiteral("color: rgb(255, 236, 160);"));
    font.setPixelSize(pixels);
    styleTable(*table);
    table->setStyleSheet(table->styleSheet() +
                         QStringLiteral("QTableView { alternate-background-color: rgba(%1, %2, %3, %4); }")
                             .arg(standingsStripe.red())
                             .arg(standingsStripe.green())
                             .arg(standingsStripe.blue())
                             .arg(standingsStripe.alpha()));
    const int top = status->geometry().bottom() + 1 + pixels / 4;
    const QRect body = placeAwards(QRect(content.left(), top, content.width(), content.bottom() + 1 - top), pixels);
    const Arrangement arrangement = arrange(body);
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
