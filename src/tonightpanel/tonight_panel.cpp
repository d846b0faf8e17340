#include "tonightpanel/tonight_panel.h"

#include "game/game.h"
#include "texts/user_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStringList>
#include <QVBoxLayout>

namespace caici {
namespace {

// A typed word may be longer than the cap: the game then says by how much,
// where a box that stops typing would say nothing.
constexpr int typedWordLimit = 200;

QString joined(const std::vector<std::string>& words, const QString& separator) {
    QStringList parts;
    for (const std::string& word : words) parts << QString::fromStdString(word);
    return parts.join(separator);
}

QString rowText(const TonightWord& word) {
    QString text = QStringLiteral("%1　%2分").arg(QString::fromStdString(word.word)).arg(word.points);
    if (!word.forbidden.empty()) text += QStringLiteral("　禁词：") + joined(word.forbidden, QStringLiteral("、"));
    if (word.origin == TonightOrigin::phone) text += QStringLiteral("（手机）");
    return text;
}

QPushButton* button(QWidget& parent, const char* name, const QString& text) {
    auto* pushed = new QPushButton(text, &parent);
    pushed->setObjectName(QString::fromLatin1(name));
    pushed->setCursor(Qt::PointingHandCursor);
    return pushed;
}

}  // namespace

TonightPanel::TonightPanel(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
    setObjectName(QStringLiteral("tonightPanel"));
    setAccessibleName(QStringLiteral("今晚的词"));

    title = new QLabel(QStringLiteral("今晚的词"), this);
    title->setObjectName(QStringLiteral("tonightTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    word = new QLineEdit(this);
    word->setObjectName(QStringLiteral("tonightWord"));
    word->setAccessibleName(QStringLiteral("添加词语"));
    word->setPlaceholderText(QStringLiteral("添加词语"));
    word->setMaxLength(typedWordLimit);
    word->setClearButtonEnabled(true);

    points = new QSpinBox(this);
    points->setObjectName(QStringLiteral("tonightPoints"));
    points->setAccessibleName(QStringLiteral("分值"));
    points->setRange(tonightMinPoints, tonightMaxPoints);
    points->setValue(tonightDefaultPoints);
    points->setSuffix(QStringLiteral(" 分"));

    forbidden = new QLineEdit(this);
    forbidden->setObjectName(QStringLiteral("tonightForbidden"));
    forbidden->setAccessibleName(QStringLiteral("禁词"));
    forbidden->setPlaceholderText(QStringLiteral("禁词（可不填）"));
    forbidden->setToolTip(QStringLiteral("说词的人不能说的词，最多 %1 个，用顿号、逗号或空格隔开").arg(maxForbiddenWords));
    forbidden->setMaxLength(typedWordLimit * 2);
    forbidden->setClearButtonEnabled(true);

    btnAdd = button(*this, "btnTonightAdd", QStringLiteral("添加"));
    btnSave = button(*this, "btnTonightSave", QStringLiteral("保存修改"));
    btnRemove = button(*this, "btnTonightRemove", QStringLiteral("删除"));
    btnAdd->setDefault(true);

    answer = new QLabel(this);
    answer->setObjectName(QStringLiteral("tonightAnswer"));
    // The answer quotes the word as typed: plain text, never markup.
    answer->setTextFormat(Qt::PlainText);
    answer->setWordWrap(true);
    answer->setAccessibleName(QStringLiteral("今晚的词的提示"));

    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("tonightList"));
    list->setAccessibleName(QStringLiteral("今晚的词"));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(title);
    layout->addWidget(word);
    auto* details = new QHBoxLayout;
    details->setSpacing(6);
    details->addWidget(points);
    details->addWidget(forbidden, 1);
    layout->addLayout(details);
    auto* actions = new QHBoxLayout;
    actions->setSpacing(6);
    actions->addWidget(btnAdd, 1);
    actions->addWidget(btnSave, 1);
    actions->addWidget(btnRemove, 1);
    layout->addLayout(actions);
    layout->addWidget(answer);
    layout->addWidget(list, 1);

    connect(btnAdd, &QPushButton::clicked, this, &TonightPanel::add);
    connect(btnSave, &QPushButton::clicked, this, &TonightPanel::save);
    connect(btnRemove, &QPushButton::clicked, this, &TonightPanel::remove);
    // Enter in a field does what the host is doing: a new word, or the edit.
    const auto enter = [this] { pickedRow() >= 0 ? save() : add(); };
    connect(word, &QLineEdit::returnPressed, this, enter);
    connect(forbidden, &QLineEdit::returnPressed, this, enter);
    connect(list, &QListWidget::itemSelectionChanged, this, &TonightPanel::picked);

    game_.addListener(*this);
    showWords();
}

TonightPanel::~TonightPanel() {
    game_.removeListener(*this);
}

int TonightPanel::pickedRow() const {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

void TonightPanel::showWords() {
    const int row = pickedRow();
    {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const TonightWord& entry : game_.tonightWords()) list->addItem(rowText(entry));
        if (row >= 0 && row < list->count()) list->setCurrentRow(row);
    }
    const bool stillPicked = pickedRow() >= 0;
    btnSave->setEnabled(stillPicked);
    btnRemove->setEnabled(stillPicked);
}

void TonightPanel::picked() {
    const int row = pickedRow();
    btnSave->setEnabled(row >= 0);
    btnRemove->setEnabled(row >= 0);
    if (row < 0) return;
    const TonightWord& entry = game_.tonightWords().at(static_cast<std::size_t>(row));
    word->setText(QString::fromStdString(entry.word));
    points->setValue(entry.points);
    forbidden->setText(joined(entry.forbidden, QStringLiteral("、")));
    answer->clear();
}

void TonightPanel::add() {
    const TonightInput input{word->text().toStdString(), points->value(), forbidden->text().toStdString()};
    if (const auto refused = game_.addTonightWord(input, TonightOrigin::host)) {
        say(tonightRefusalText(*refused), true);
        return;
    }
    say(tonightAddedText(game_.tonightWords().back().word), false);
    list->clearSelection();
    list->scrollToBottom();
    clearFields();
}

void TonightPanel::save() {
    const int row = pickedRow();
    if (row < 0) return;
    const TonightInput input{word->text().toStdString(), points->value(), forbidden->text().toStdString()};
    if (const auto refused = game_.editTonightWord(static_cast<std::size_t>(row), input)) {
        say(tonightRefusalText(*refused), true);
        return;
    }
    say(tonightSavedText(game_.tonightWords().at(static_cast<std::size_t>(row)).word), false);
    list->clearSelection();
    clearFields();
}

void TonightPanel::remove() {
    const int row = pickedRow();
    if (row < 0) return;
    const std::string removed = game_.tonightWords().at(static_cast<std::size_t>(row)).word;
    if (const auto refused = game_.removeTonightWord(static_cast<std::size_t>(row))) {
        say(tonightRefusalText(*refused), true);
        return;
    }
    say(tonightRemovedText(removed), false);
    list->clearSelection();
    clearFields();
}

void TonightPanel::clearFields() {
    word->clear();
    forbidden->clear();
    points->setValue(tonightDefaultPoints);
    word->setFocus();
}

void TonightPanel::say(const std::string& text, bool refused) {
    answer->setText(QString::fromStdString(text));
    answer->setProperty("refused", refused);
    // The property changes the answer's colour where a style sheet asks.
    answer->style()->unpolish(answer);
    answer->style()->polish(answer);
}

}  // namespace caici
