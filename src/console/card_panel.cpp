#include "console/card_panel.h"

#include "texts/round_card_text.h"
#include "texts/user_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace caici {
namespace {

constexpr int markPixels = 24;

QLabel* cardLabel(QWidget& parent, const char* name, int pixels, bool bold) {
    auto* shown = new QLabel(&parent);
    shown->setObjectName(QString::fromLatin1(name));
    // Team and player names are the host's own text, never markup.
    shown->setTextFormat(Qt::PlainText);
    shown->setAlignment(Qt::AlignCenter);
    shown->setWordWrap(true);
    QFont font = shown->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    shown->setFont(font);
    return shown;
}

}  // namespace

CardPanel::CardPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("cardPanel"));
    setAccessibleName(QStringLiteral("规则卡"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#cardPanel { background: #2a2a32; border: 3px solid #ffd23c; border-radius: 12px; }"
        "#cardKind { color: #ffd23c; } #cardCount { color: #ff80ff; }"
        "#cardStage { color: #ffffff; background: #c42a08; border-radius: 8px; padding: 2px 12px; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(8);

    auto* who = new QHBoxLayout;
    cardMark = new QLabel(this);
    cardMark->setObjectName(QStringLiteral("cardMark"));
    cardMark->setFixedSize(markPixels, markPixels);
    cardTeam = cardLabel(*this, "cardTeam", 28, true);
    cardTeam->setWordWrap(false);
    who->addStretch(1);
    who->addWidget(cardMark);
    who->addWidget(cardTeam);
    who->addStretch(1);
    layout->addLayout(who);

    cardActor = cardLabel(*this, "cardActor", 24, false);
    cardStage = cardLabel(*this, "cardStage", 22, true);
    cardKind = cardLabel(*this, "cardKind", 64, true);
    cardRule = cardLabel(*this, "cardRule", 26, false);
    cardCount = cardLabel(*this, "cardCount", 96, true);
    cardCount->setAccessibleDescription(QStringLiteral("规则卡倒数"));
    layout->addWidget(cardActor);
    layout->addWidget(cardStage, 0, Qt::AlignHCenter);
    layout->addWidget(cardKind);
    layout->addWidget(cardRule);
    layout->addWidget(cardCount);
}

void CardPanel::showCard(const RoundCard& card, std::int32_t seconds, const std::optional<NamedTeam>& team) {
    cardMark->setVisible(team.has_value());
    cardTeam->setVisible(team.has_value());
    if (team) {
        cardMark->setPixmap(teamMarkPixmap(team->colour, markPixels));
        cardTeam->setText(team->name);
    }
    cardActor->setVisible(!card.actor.empty());
    cardActor->setText(card.actor.empty() ? QString()
                                          : QStringLiteral("表演：") + QString::fromStdString(card.actor));
    const QString stage = QString::fromStdString(cardStageText(card));
    cardStage->setVisible(!stage.isEmpty());
    cardStage->setText(stage);
    cardKind->setText(QString::fromStdString(roundKindName(card.kind)));
    cardRule->setText(QString::fromStdString(roundKindRule(card.kind)));
    cardCount->setText(QString::number(seconds));
}

}  // namespace caici
