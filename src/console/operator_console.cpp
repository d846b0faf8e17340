#include "console/operator_console.h"

#include "common/error_guard.h"
#include "common/number_text.h"
#include "console/card_panel.h"
#include "game/game.h"
#include "tables/match_models.h"
#include "texts/user_texts.h"
#include "tonightpanel/tonight_panel.h"
#include "words/word_entry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace caici {
namespace {

QLabel* label(QWidget& parent, const char* name, int pixels, bool bold = false) {
    auto* shown = new QLabel(&parent);
    shown->setObjectName(QString::fromLatin1(name));
    // Words and team names are the host's own text, never markup.
    shown->setTextFormat(Qt::PlainText);
    QFont font = shown->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    shown->setFont(font);
    return shown;
}

QPushButton* button(QWidget& parent, const char* name, const QString& text, int pixels) {
    auto* pressed = new QPushButton(text, &parent);
    pressed->setObjectName(QString::fromLatin1(name));
    QFont font = pressed->font();
    font.setPixelSize(pixels);
    font.setBold(true);
    pressed->setFont(font);
    pressed->setMinimumHeight(pixels * 5 / 2);
    pressed->setCursor(Qt::PointingHandCursor);
    // The keys of a clicker go to the console, not to whichever button
    // was pressed last.
    pressed->setFocusPolicy(Qt::NoFocus);
    return pressed;
}

QTableView* table(QWidget& parent, const char* name, const QString& accessibleName) {
    auto* view = new QTableView(&parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFocusPolicy(Qt::NoFocus);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    QFont font = view->font();
    font.setPixelSize(20);
    view->setFont(font);
    view->verticalHeader()->setDefaultSectionSize(32);
    return view;
}

constexpr int teamMarkPixels = 24;

QString pointsText(std::int32_t points) {
    return QStringLiteral("%1分").arg(points);
}

}  // namespace

OperatorConsole::OperatorConsole(Game& game, ErrorReporter& reporter, const QString& digitalFamily)
    : QWidget(nullptr), game_(game), reporter_(reporter) {
    setObjectName(QStringLiteral("operatorConsole"));
    setWindowTitle(QStringLiteral("操作台"));
    setAccessibleName(windowTitle());
    setStyleSheet(QStringLiteral(
        "#operatorConsole { background: #1e1e24; } QLabel { color: #f0f0f0; }"
        "QCheckBox { color: #f0f0f0; } #word { color: #ffd23c; } #points { color: #ffd23c; }"
        "#forbidden { color: #ff9a7a; } #time { color: #ff80ff; } #score { color: #80ff80; } #skips { color: #80d0ff; }"
        "#skipReason { color: #ffd23c; }"
        "QTableView { background: #2a2a32; color: #f0f0f0; gridline-color: #3a3a44; border: none; }"
        "QHeaderView { background: #2a2a32; }"
        "QHeaderView::section { background: #2a2a32; color: #ffdc78; border: none; padding: 4px; }"));
    setAttribute(Qt::WA_StyledBackground);
    setMinimumSize(640, 480);

    // The round on the left; tonight's words beside it, on the right.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(24, 16, 24, 16);
    columns->setSpacing(20);
    auto* layout = new QVBoxLayout;
    layout->setSpacing(12);
    columns->addLayout(layout, 1);

    auto* numbers = new QHBoxLayout;
    teamMark = new QLabel(this);
    teamMark->setObjectName(QStringLiteral("teamMark"));
    teamMark->setFixedSize(teamMarkPixels, teamMarkPixels);
    team = label(*this, "team", 28, true);
    numbers->addWidget(teamMark);
    numbers->addWidget(team, 1);
    QFont digits(digitalFamily);
    digits.setPixelSize(40);
    for (auto [shown, name, caption] : {std::tuple{&time, "time", "时间"}, std::tuple{&score, "score", "得分"},
                                        std::tuple{&skips, "skips", "跳过"}}) {
        auto* title = label(*this, "", 20);
        title->setText(QString::fromUtf8(caption));
        *shown = label(*this, name, 40);
        (*shown)->setFont(digits);
        (*shown)->setAccessibleDescription(QString::fromUtf8(caption));
        numbers->addSpacing(24);
        numbers->addWidget(title);
        numbers->addWidget(*shown);
    }
    layout->addLayout(numbers);

    auto* current = new QVBoxLayout;
    word = label(*this, "word", 72, true);
    word->setAccessibleDescription(QStringLiteral("当前的词"));
    word->setWordWrap(true);
    word->setAlignment(Qt::AlignCenter);
    points = label(*this, "points", 36, true);
    forbidden = label(*this, "forbidden", 30, true);
    forbidden->setAccessibleDescription(QStringLiteral("禁词"));
    forbidden->setWordWrap(true);
    forbidden->setAlignment(Qt::AlignCenter);
    card = new CardPanel(this);
    current->addStretch(1);
    current->addWidget(card);
    current->addWidget(word);
    current->addWidget(forbidden);
    current->addWidget(points, 0, Qt::AlignHCenter);
    current->addStretch(1);
    layout->addLayout(current, 2);

    state = label(*this, "state", 22);
    layout->addWidget(state);
    upcoming = label(*this, "upcoming", 26);
    upcoming->setAccessibleDescription(QStringLiteral("接下来的词"));
    layout->addWidget(upcoming);

    auto* presses = new QHBoxLayout;
    btnCorrect = button(*this, "btnCorrect", QStringLiteral("正确  →"), 28);
    btnSkip = button(*this, "btnSkip", QStringLiteral("跳过  ←"), 28);
    btnFoul = button(*this, "btnFoul", QStringLiteral("犯规  F"), 28);
    btnFoul->setAccessibleName(QStringLiteral("犯规"));
    btnPause = button(*this, "btnPause", QStringLiteral("暂停  空格"), 22);
    btnStart = button(*this, "btnStart", QStringLiteral("开始下一轮"), 22);
    skipReason = label(*this, "skipReason", 16);
    skipReason->setWordWrap(true);
    skipReason->setAlignment(Qt::AlignCenter);
    auto* skipColumn = new QVBoxLayout;
    skipColumn->addWidget(btnSkip);
    skipColumn->addWidget(skipReason);
    presses->addWidget(btnCorrect, 3);
    presses->addLayout(skipColumn, 3);
    presses->addWidget(btnFoul, 3);
    presses->addWidget(btnPause, 2);
    presses->addWidget(btnStart, 2);
    layout->addLayout(presses);
    connect(btnCorrect, &QPushButton::clicked, this, [this] { command(CommandKind::correct); });
    connect(btnSkip, &QPushButton::clicked, this, [this] { command(CommandKind::skip); });
    connect(btnFoul, &QPushButton::clicked, this, [this] { command(CommandKind::foul); });
    connect(btnPause, &QPushButton::clicked, this, [this] { command(CommandKind::pause); });
    connect(btnStart, &QPushButton::clicked, this, [this] { command(CommandKind::start); });

    review = new QWidget(this);
    review->setObjectName(QStringLiteral("consoleReview"));
    auto* reviewLayout = new QVBoxLayout(review);
    reviewLayout->setContentsMargins(0, 0, 0, 0);
    auto* reviewTitle = label(*review, "", 20, true);
    reviewTitle->setText(QStringLiteral("本轮成绩（点一个词改判）"));
    reviewLayout->addWidget(reviewTitle);
    reviewModel_ = new ReviewModel(game_, this);
    reviewTable = table(*review, "consoleReviewTable", QStringLiteral("本轮的词"));
    reviewTable->setModel(reviewModel_);
    reviewTable->horizontalHeader()->setStretchLastSection(false);
    reviewTable->horizontalHeader()->setSectionResizeMode(ReviewModel::word, QHeaderView::Stretch);
    connect(reviewTable, &QTableView::clicked, this, [this](const QModelIndex& index) {
        command(CommandKind::toggleEntry, static_cast<std::size_t>(index.row()));
    });
    reviewLayout->addWidget(reviewTable, 1);
    auto* reviewRow = new QHBoxLayout;
    reviewTotal = label(*review, "consoleReviewTotal", 22, true);
    reviewCounts = new QCheckBox(QStringLiteral("本轮提前结束，仍计入比赛成绩"), review);
    reviewCounts->setFocusPolicy(Qt::NoFocus);
    connect(reviewCounts, &QCheckBox::toggled, this,
            [this](bool on) { command(CommandKind::setCounts, 0, on); });
    reviewConfirm = button(*review, "consoleReviewConfirm", QStringLiteral("确认 (Enter)"), 20);
    connect(reviewConfirm, &QPushButton::clicked, this, [this] { command(CommandKind::confirm); });
    reviewRow->addWidget(reviewTotal, 1);
    reviewRow->addWidget(reviewCounts);
    reviewRow->addWidget(reviewConfirm);
    reviewLayout->addLayout(reviewRow);
    layout->addWidget(review, 3);

    standingsModel_ = new StandingsModel(game_, this);
    standings = table(*this, "consoleStandings", QStringLiteral("比赛排名"));
    standings->setModel(new MarkedStandings(*standingsModel_, this));
    standings->horizontalHeader()->setStretchLastSection(false);
    standings->horizontalHeader()->setSectionResizeMode(StandingsModel::team, QHeaderView::Stretch);
    layout->addWidget(standings, 2);

    auto* screens = new QHBoxLayout;
    auto* screenTitle = label(*this, "", 16);
    screenTitle->setText(QStringLiteral("投影屏幕（观众看的猜词窗口）："));
    projectorChoice = new QComboBox(this);
    projectorChoice->setObjectName(QStringLiteral("projectorChoice"));
    projectorChoice->setAccessibleName(QStringLiteral("投影屏幕"));
    projectorChoice->setFocusPolicy(Qt::NoFocus);
    screens->addWidget(screenTitle);
    screens->addWidget(projectorChoice);
    screens->addStretch(1);
    layout->addLayout(screens);

    addTonightColumn(*columns);

    game_.addListener(*this);
    refresh();
}

void OperatorConsole::addTonightColumn(QHBoxLayout& columns) {
    constexpr int columnWidth = 320;
    tonight = new TonightPanel(game_, this);
    tonight->setFixedWidth(columnWidth);
    // In the sheet, not by setFont: the console's own sheet would keep the
    // fields at the platform's small size.
    tonight->setStyleSheet(QStringLiteral(
        "#tonightPanel, #tonightPanel * { font-size: 16px; }"
        "#tonightTitle { font-size: 22px; font-weight: bold; }"
        "#tonightAnswer { color: #a0f0b0; } #tonightAnswer[refused=\"true\"] { color: #ffd23c; }"
        "QListWidget { background: #2a2a32; color: #f0f0f0; border: none; }"));
    columns.addWidget(tonight);
    // The console opens with the keys for the round, not in the word box: a
    // field is typed into once the operator clicks it.
    for (QWidget* part : tonight->findChildren<QWidget*>()) {
        if (part->focusPolicy() & Qt::TabFocus) part->setFocusPolicy(Qt::ClickFocus);
    }
    // The round keeps the room it had before the column came.
    setMinimumWidth(minimumWidth() + columnWidth + columns.spacing());
}

OperatorConsole::~OperatorConsole() {
    game_.removeListener(*this);
}

void OperatorConsole::command(CommandKind kind, std::size_t entry, bool counts) {
    guarded(reporter_, [&] { game_.perform(Command{kind, entry, counts}); });
}

void OperatorConsole::showTeam(const QString& text, const std::optional<NamedTeam>& named) {
    team->setText(text);
    teamMark->setVisible(named.has_value());
    if (named) teamMark->setPixmap(teamMarkPixmap(named->colour, teamMarkPixels));
}

void OperatorConsole::refresh() {
    const RoundState& round = game_.round();
    const bool running = round.phase == RoundPhase::running;
    const std::optional<RoundCard> shownCard = round.phase == RoundPhase::card ? game_.card() : std::nullopt;
    const bool inRound = running || shownCard.has_value();
    const bool busy = game_.busy();
    const auto& match = game_.match();

    const int shownTeam = inRound || game_.review() ? game_.roundTeam() : game_.nextTeam();
    if (const std::optional<NamedTeam> named = namedTeam(match, shownTeam)) {
        showTeam(inRound ? named->name
                 : game_.review() ? QStringLiteral("%1 · 本轮成绩").arg(named->name)
                                  : QStringLiteral("下一队：%1").arg(named->name),
                 named);
    } else {
        showTeam(QStringLiteral("单轮游戏"), std::nullopt);
    }
    card->setVisible(shownCard.has_value());
    if (shownCard) card->showCard(*shownCard, round.cardSeconds, namedTeam(match, shownCard->team));
    time->setText(QString::fromStdString(threeDigits(round.remainingSeconds)));
    score->setText(QString::fromStdString(threeDigits(round.score)));
    skips->setText(QString::number(round.skipCount));

    if (running && round.line == WordLine::word) {
        word->setText(QString::fromStdString(round.currentEntry.word));
        points->setText(pointsText(round.currentEntry.points));
        forbidden->setText(game_.forbiddenMode()
                               ? QString::fromStdString(forbiddenWordsText(round.currentEntry.forbidden))
                               : QString());
    } else {
        word->clear();
        points->clear();
        forbidden->clear();
    }
    forbidden->setVisible(!forbidden->text().isEmpty());
    if (busy) {
        state->setText(QStringLiteral("正在准备…"));
    } else if (shownCard) {
        state->setText(QStringLiteral("规则卡：%1 秒后开始，按“正确”或“马上开始”立即开始").arg(round.cardSeconds));
    } else if (running) {
        state->setText(round.paused ? QStringLiteral("已暂停：观众看不到词，按空格继续") : QStringLiteral("进行中"));
    } else if (game_.review()) {
        state->setText(QStringLiteral("本轮结束：请核对成绩"));
    } else {
        state->setText(QStringLiteral("等待开始"));
    }

    QStringList next;
    if (running) {
        for (const WordEntry& entry : game_.words().upcoming(upcomingShown)) {
            next << QStringLiteral("%1（%2分）").arg(QString::fromStdString(entry.word)).arg(entry.points);
        }
    }
    upcoming->setText(next.isEmpty() ? QString() : QStringLiteral("接下来：") + next.join(QStringLiteral("   ")));

    const CommandSet available = game_.available();
    btnCorrect->setEnabled(available.has(CommandKind::correct));
    btnSkip->setEnabled(available.has(CommandKind::skip));
    // The game greys 跳过 out; the console only says why.
    const bool capped = !available.has(CommandKind::skip) && round.skipCapReached;
    skipReason->setText(capped ? QString::fromStdString(refusalText(Refusal::skipCap)) : QString());
    skipReason->setVisible(capped);
    btnFoul->setEnabled(available.has(CommandKind::foul));
    btnFoul->setVisible(game_.forbiddenMode());
    btnPause->setEnabled(available.has(CommandKind::pause));
    btnPause->setText(round.paused ? QStringLiteral("继续  空格") : QStringLiteral("暂停  空格"));
    btnStart->setEnabled(available.has(CommandKind::start));
    btnStart->setText(shownCard ? QStringLiteral("马上开始") : QStringLiteral("开始下一轮"));
    reviewConfirm->setEnabled(available.has(CommandKind::confirm));
    showReview();
    standingsModel_->refresh();
    standings->setVisible(match.has_value());
}

void OperatorConsole::showReview() {
    const auto& current = game_.review();
    review->setVisible(current.has_value());
    if (!current) return;
    reviewModel_->refresh();
    reviewTotal->setText(QStringLiteral("总分 %1    跳过 %2").arg(current->total()).arg(current->skips()));
    reviewCounts->setVisible(current->closedEarly());
    const QSignalBlocker quiet(reviewCounts);
    reviewCounts->setChecked(current->counts());
    reviewConfirm->setText(current->team() >= 0 && game_.match() ? QStringLiteral("确认 (Enter)")
                                                                 : QStringLiteral("关闭 (Enter)"));
}

void OperatorConsole::resizeEvent(QResizeEvent* event) {
    // The word as large as the console allows: the operator reads it at a
    // glance, from a step away.
    QFont font = word->font();
    font.setPixelSize(std::clamp(height() / 7, 48, 180));
    word->setFont(font);
    QWidget::resizeEvent(event);
}

void OperatorConsole::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace caici
