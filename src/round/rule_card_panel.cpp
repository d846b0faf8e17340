#include "round/rule_card_panel.h"

#include "game/game.h"
#include "round/overlay_panel.h"
#include "round/show_labels.h"
#include "round/show_look.h"
#include "texts/round_card_text.h"
#include "texts/user_texts.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QStringList>

#include <algorithm>

namespace caici {
namespace {

// The count in the time display's colour, so the eye already looks for it.
const QColor countColor(255, 128, 255);
const QColor cardFill(0, 0, 0, 120);
const QColor stageColor(255, 150, 90);
const QColor actorColor(230, 230, 230);

// The card's bands, in hundredths of the window's height from its top.
struct Band {
    int top;
    int bottom;
};
constexpr Band brandBand{3, 10};
constexpr Band cardBand{12, 75};
constexpr Band teamBand{14, 25};
constexpr Band actorBand{25, 32};
constexpr Band stageBand{33, 39};
constexpr Band kindBand{39, 60};
// Without a stage line the kind's name takes its room as well.
constexpr Band kindAloneBand{33, 60};
constexpr Band ruleBand{60, 67};
constexpr Band secondsBand{67, 73};
constexpr Band countBand{77, 97};

QLabel* textLabel(QWidget& parent, const char* name, const QColor& color) {
    auto* label = new QLabel(&parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

RuleCardPanel::RuleCardPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily)
    : QWidget(&parent), game_(game), backdrop_(background), frameColor_(panelHeading) {
    setObjectName(QStringLiteral("ruleCard"));
    setAccessibleName(QStringLiteral("规则卡"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    brand = new BrandLabel(this);
    brand->setObjectName(QStringLiteral("ruleCardBrand"));
    brand->setAlignment(Qt::AlignCenter);
    QPalette brandPalette = brand->palette();
    brandPalette.setColor(QPalette::WindowText, panelHeading);
    brand->setPalette(brandPalette);
    team = new MarkedLabel(this);
    team->setObjectName(QStringLiteral("ruleCardTeam"));
    team->setAlignment(Qt::AlignCenter);
    QPalette teamPalette = team->palette();
    teamPalette.setColor(QPalette::WindowText, Qt::white);
    team->setPalette(teamPalette);
    actor = textLabel(*this, "ruleCardActor", actorColor);
    stage = textLabel(*this, "ruleCardStage", stageColor);
    kind = new HeadlineLabel(this);
    kind->setObjectName(QStringLiteral("ruleCardKind"));
    rule = textLabel(*this, "ruleCardRule", Qt::white);
    seconds = textLabel(*this, "ruleCardSeconds", panelHeading);
    count = new CountLabel(this, digitalFamily, countColor);
    count->setObjectName(QStringLiteral("ruleCardCount"));
    count->setAccessibleDescription(QStringLiteral("倒数"));
    for (QWidget* part : findChildren<QWidget*>()) part->setFocusPolicy(Qt::NoFocus);
    parent.installEventFilter(this);
    setGeometry(parent.rect());
    hide();
    game_.addListener(*this);
}

RuleCardPanel::~RuleCardPanel() {
    game_.removeListener(*this);
}

void RuleCardPanel::setEventBrand(const EventBrand& brandShown) {
    brand->setBrand(brandShown);
    layOut();
}

void RuleCardPanel::roundStarted() {
    hide();
}

void RuleCardPanel::cardShown(const RoundCard& card) {
    const auto& match = game_.match();
    const bool inMatch = match && card.team >= 0 && static_cast<std::size_t>(card.team) < match->setup().teams.size();
    if (inMatch) {
        const MatchTeam& playing = match->setup().teams[static_cast<std::size_t>(card.team)];
        team->setText(fromUtf8(playing.name));
        frameColor_ = teamColor(playing.colour);
        team->setMark(frameColor_);
    } else {
        team->clear();
        team->setMark(std::nullopt);
        frameColor_ = panelHeading;
    }
    team->setVisible(inMatch);
    actor->setText(card.actor.empty() ? QString() : QStringLiteral("表演：") + fromUtf8(card.actor));
    actor->setVisible(!card.actor.empty());
    stage->setText(fromUtf8(cardStageText(card)));
    stage->setVisible(!stage->text().isEmpty());
    kind->setText(fromUtf8(roundKindName(card.kind)));
    rule->setText(fromUtf8(roundKindRule(card.kind)));
    seconds->setText(QStringLiteral("倒计时 %1 秒").arg(card.countdownSeconds));
    const RoundState& round = game_.round();
    countOf_ = std::max(round.rules.cardSeconds, round.cardSeconds);
    count->setCount(round.cardSeconds, countOf_);
    setAccessibleDescription(QStringList{team->text(), actor->text(), stage->text(), kind->text(), rule->text(),
                                         seconds->text()}
                                 .join(QLatin1Char(' '))
                                 .simplified());
    show();
    raise();
    layOut();
    update();
}

void RuleCardPanel::cardTimeChanged(std::int32_t secondsLeft) {
    countOf_ = std::max(countOf_, static_cast<int>(secondsLeft));
    count->setCount(secondsLeft, countOf_);
}

void RuleCardPanel::wordShown(const WordEntry&) {
    hide();
}

void RuleCardPanel::libraryExhausted() {
    hide();
}

void RuleCardPanel::roundClosed() {
    hide();
}

bool RuleCardPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QRect RuleCardPanel::cardArea() const {
    const int margin = width() / 10;
    return QRect(margin, height() * cardBand.top / 100, width() - 2 * margin,
                 height() * (cardBand.bottom - cardBand.top) / 100);
}

void RuleCardPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    backdrop_.paint(painter, size());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect card = cardArea();
    const qreal border = std::max(2, height() / 200);
    const qreal radius = height() / 40.0;
    painter.setPen(QPen(frameColor_, border));
    painter.setBrush(cardFill);
    painter.drawRoundedRect(QRectF(card).adjusted(border / 2, border / 2, -border / 2, -border / 2), radius, radius);
}

void RuleCardPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) backdrop_.fit(size());
    layOut();
}

void RuleCardPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    backdrop_.fit(size());
    layOut();
}

void RuleCardPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    backdrop_.release();
}

void RuleCardPanel::layOut() {
    if (!isVisible()) return;
    const int h = height();
    const QRect card = cardArea();
    const int inner = card.width() * 9 / 10;
    const int left = card.left() + (card.width() - inner) / 2;
    const auto band = [&](const Band& part) {
        return QRect(left, h * part.top / 100, inner, h * (part.bottom - part.top) / 100);
    };
    const auto fit = [&](QLabel& label, const Band& part, int percentOfHeight, bool bold) {
        QFont font = label.font();
        font.setBold(bold);
        const QRect area = band(part);
        font.setPixelSize(fittingPixels(font, label.text(), area.width() * 19 / 20, h * percentOfHeight / 100));
        label.setFont(font);
        label.setGeometry(area);
    };
    QFont brandFont = brand->font();
    brandFont.setBold(true);
    brand->setFont(brandFont);
    brand->setGeometry(QRect(card.left(), h * brandBand.top / 100, card.width(),
                             h * (brandBand.bottom - brandBand.top) / 100));
    fit(*team, teamBand, 8, true);
    // The mark takes room beside the name: the name shrinks for it.
    if (team->mark() && team->sizeHint().width() > team->width()) {
        QFont font = team->font();
        font.setPixelSize(std::max(8, font.pixelSize() * team->width() / team->sizeHint().width()));
        team->setFont(font);
    }
    fit(*actor, actorBand, 5, false);
    fit(*stage, stageBand, 5, true);
    kind->setGeometry(band(stage->isVisibleTo(this) ? kindBand : kindAloneBand));
    fit(*rule, ruleBand, 5, true);
    fit(*seconds, secondsBand, 4, false);
    const int side = h * (countBand.bottom - countBand.top) / 100;
    count->setGeometry(width() / 2 - side / 2, h * countBand.top / 100, side, side);
}

}  // namespace caici
